#pragma once
// Where a run's output lines go: the output file during a run, a list of
// lines in tests.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dialogs/dialogs.h"
#include "dialogs/notices.h"
#include "text/text_file.h"

namespace tessivar {

class LineSink {
 public:
  virtual ~LineSink() = default;
  virtual void WriteLine(std::u16string_view line) = 0;
  // True once the output cannot be written whole any more: the run stops.
  virtual bool failed() const { return false; }
  // Where the next line goes, and whether the line that went to such a place
  // is line: the word list looks there for an entry it may have written.
  virtual uint64_t NextPlace() const = 0;
  virtual bool Holds(uint64_t place, std::u16string_view line) = 0;
};

// The output file as the run's line sink: a line that cannot be written in
// code page 932 is one of the run's notices, naming the file and line, and
// the run goes on. An output that could not be opened, or that fails to take
// a line (a full disk), is reported once, not once per record, and counts as
// failed. Holds answers only for a sink made to be looked back in (the word
// list's): only its lines are checked for reading back as they were.
class OutputFileSink : public LineSink {
 public:
  enum class LookBack { kNo, kYes };
  OutputFileSink(text::TextFileWriter& file, Dialogs& dialogs, Notices& notices, LookBack look_back)
      : file_(file), dialogs_(dialogs), notices_(notices), look_back_(look_back == LookBack::kYes) {}
  void WriteLine(std::u16string_view line) override;
  bool failed() const override { return file_.failed(); }
  uint64_t NextPlace() const override { return file_.size(); }
  bool Holds(uint64_t place, std::u16string_view line) override;

 private:
  text::TextFileWriter& file_;
  Dialogs& dialogs_;
  Notices& notices_;
  bool look_back_;
  // The lines the file cannot give back as they were (a character without a
  // code page 932 form, written "?"), by place: rare, so kept whole.
  std::unordered_map<uint64_t, std::u16string> unreadable_;
};

class MemorySink : public LineSink {
 public:
  void WriteLine(std::u16string_view line) override { lines.emplace_back(line); }
  uint64_t NextPlace() const override { return lines.size(); }
  bool Holds(uint64_t place, std::u16string_view line) override {
    return place < lines.size() && lines[place] == line;
  }
  std::vector<std::u16string> lines;
};

}  // namespace tessivar
