#pragma once
// 変更一覧.CSV: one row per postal code whose lines changed, for a person to
// read the month at a glance: the code, 追加 (only new lines), 削除 (only old
// lines) or 変更 (both), the old lines' words and the new lines' words. The
// rows stand in code order; the words of several lines are joined by " ／ ".
// Only the place of each changed line is held, its words are read back from
// the outputs when the list is written, so a month of many changes costs 24
// bytes a line.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "changes/file_lines.h"
#include "text/text_file.h"

namespace changes {

// Where a line of the output holds its postal code and its words.
struct LineLayout {
  // The word list: reading (the code), TAB, word, TAB, part of speech
  // [, TAB, comment]; the words are the word and the comment in brackets.
  // Otherwise the CSV text, whose words are the whole line.
  bool word_list = true;
  // The CSV text: the column (0-based, between commas) that is the postal
  // code alone; -1 when the field set has none, and then there is no list.
  int code_column = -1;
  bool hyphen = true;  // the list writes the code as "060-8554", else "0608554"
};

class ChangeList {
 public:
  explicit ChangeList(LineLayout layout);

  // Whether the lines name their postal code, so the list can be made.
  bool possible() const { return layout_.word_list || layout_.code_column >= 0; }
  // A line of the old output the new one lacks, and where it stands there.
  void Removed(std::string_view line, uint64_t offset) { Add(line, offset, false); }
  // A line of the new output the old one lacks.
  void Added(std::string_view line, uint64_t offset) { Add(line, offset, true); }

  // Writes the column-name line and the rows, reading the lines back.
  // False, with error set, when a line could not be read again.
  bool Write(text::TextFileWriter& file, std::string_view output_name, FileLines& old_lines,
             FileLines& new_lines, std::string& error);

  // The seven digits of the postal code a line holds; kNoCode when it names
  // none. Public for the tests.
  static constexpr uint32_t kNoCode = UINT32_MAX;
  uint32_t CodeOf(std::string_view line) const;

 private:
  struct Entry {
    uint32_t code;
    bool added;
    uint64_t offset;
    uint32_t length;
  };

  void Add(std::string_view line, uint64_t offset, bool added);
  std::string WordsOf(std::string_view line) const;
  std::string Row(uint32_t code, const std::string& kind, const std::string& old_words,
                  const std::string& new_words) const;

  LineLayout layout_;
  std::vector<Entry> entries_;
  // The list's own texts in code page 932.
  std::string added_, removed_, changed_, open_, close_, joint_;
};

}  // namespace changes
