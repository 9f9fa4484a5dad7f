#include "changes/change_list.h"

#include <algorithm>

#include "text/cp932.h"

namespace changes {

namespace {

std::string Cp932Of(std::u16string_view text) {
  std::string bytes;
  text::Cp932().Encode(text, bytes);
  return bytes;
}

// The field of a line between the n-th separator and the next (0-based); a
// separator inside double quotes does not count. Code page 932 never uses
// a comma, quote or TAB as the second byte of a character.
std::string_view Field(std::string_view line, char separator, int n) {
  bool quoted = false;
  size_t start = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] != separator || quoted) continue;
    if (n == 0) return line.substr(start, i - start);
    --n;
    start = i + 1;
  }
  return n == 0 ? line.substr(start) : std::string_view();
}

// "060-8554" from 608554, or "0608554".
std::string CodeText(uint32_t code, bool hyphen) {
  if (code == ChangeList::kNoCode) return "";
  std::string digits = std::to_string(code);
  digits.insert(0, 7 - std::min<size_t>(7, digits.size()), '0');
  if (hyphen) digits.insert(3, "-");
  return digits;
}

// A CSV field: in double quotes, a quote inside doubled.
std::string Quoted(std::string_view text) {
  std::string field = "\"";
  for (char c : text) {
    field += c;
    if (c == '"') field += '"';
  }
  return field + "\"";
}

}  // namespace

ChangeList::ChangeList(LineLayout layout)
    : layout_(layout),
      added_(Cp932Of(u"追加")),
      removed_(Cp932Of(u"削除")),
      changed_(Cp932Of(u"変更")),
      open_(Cp932Of(u"（")),
      close_(Cp932Of(u"）")),
      joint_(Cp932Of(u" ／ ")) {}

uint32_t ChangeList::CodeOf(std::string_view line) const {
  std::string_view field = layout_.word_list ? Field(line, '\t', 0) : Field(line, ',', layout_.code_column);
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
    field = field.substr(1, field.size() - 2);
  uint32_t code = 0;
  int digits = 0;
  for (size_t i = 0; i < field.size(); ++i) {
    const auto c = static_cast<unsigned char>(field[i]);
    const auto next = i + 1 < field.size() ? static_cast<unsigned char>(field[i + 1]) : 0;
    uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c == 0x82 && next >= 0x4F && next <= 0x58) {  // ０ to ９
      digit = next - 0x4F;
      ++i;
    } else if (c == '-' || (c == 0x81 && next == 0x7C)) {  // - or －
      i += c == '-' ? 0 : 1;
      continue;
    } else {
      return kNoCode;
    }
    code = code * 10 + digit;
    if (++digits > 7) return kNoCode;
  }
  return digits == 7 ? code : kNoCode;
}

void ChangeList::Add(std::string_view line, uint64_t offset, bool added) {
  if (!possible()) return;
  entries_.push_back({CodeOf(line), added, offset, static_cast<uint32_t>(line.size())});
}

std::string ChangeList::WordsOf(std::string_view line) const {
  if (!layout_.word_list) return std::string(line);
  std::string words(Field(line, '\t', 1));
  const std::string_view comment = Field(line, '\t', 3);
  if (!comment.empty()) words.append(open_).append(comment).append(close_);
  return words;
}

std::string ChangeList::Row(uint32_t code, const std::string& kind, const std::string& old_words,
                            const std::string& new_words) const {
  return Quoted(CodeText(code, layout_.hyphen)) + "," + Quoted(kind) + "," + Quoted(old_words) + "," +
         Quoted(new_words) + "\r\n";
}

bool ChangeList::Write(text::TextFileWriter& file, std::string_view output_name, FileLines& old_lines,
                       FileLines& new_lines, std::string& error) {
  const std::u16string name = text::FromUtf8(output_name);
  file.WriteLine(u"\"郵便番号\",\"種別\",\"前回の " + name + u"\",\"今回の " + name + u"\"");
  // By code; in a code the old lines first, each side in the order of its file.
  std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
    if (a.code != b.code) return a.code < b.code;
    if (a.added != b.added) return b.added;
    return a.offset < b.offset;
  });
  std::string_view line;
  for (size_t from = 0; from < entries_.size();) {
    const uint32_t code = entries_[from].code;
    std::string words[2];  // old, new
    bool has[2] = {false, false};
    for (; from < entries_.size() && entries_[from].code == code; ++from) {
      const Entry& entry = entries_[from];
      FileLines& source = entry.added ? new_lines : old_lines;
      if (!source.ReadAt(entry.offset, entry.length, line)) {
        error = source.error();
        return false;
      }
      const int side = entry.added ? 1 : 0;
      if (has[side]) words[side] += joint_;
      words[side] += WordsOf(line);
      has[side] = true;
    }
    const std::string& kind = !has[0] ? added_ : !has[1] ? removed_ : changed_;
    file.WriteBytes(Row(code, kind, words[0], words[1]));
  }
  return true;
}

}  // namespace changes
