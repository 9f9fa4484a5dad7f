#include "convert/read/read_zip_file.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "convert/context/record_limits.h"
#include "convert/context/record_trap.h"
#include "convert/read/csv_columns.h"
#include "text/cp932.h"
#include "text/line_splitter.h"
#include "text/short_copy.h"

namespace tessivar {

namespace {

// previous key before the first accepted line of a file: no record pending.
constexpr TextView kNothingPending = u"0     0";
// previous key when the pending record is complete.
constexpr TextView kComplete = u"00";

// Whether field is text in quotes, compared in place: joining a record over
// many lines must not copy the growing text once per line.
bool IsQuoted(TextView field, TextView text) {
  return field.size() == text.size() + 2 && field.front() == u'"' && field.back() == u'"' &&
         field.substr(1, text.size()) == text;
}

bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// A postal code is seven ASCII digits; anything else would be written as
// another code ("064094" as ０６４－４０９４).
bool IsPostalCode(TextView code) {
  if (code.size() != 7) return false;
  for (char16_t c : code) {
    if (!IsAsciiDigit(c)) return false;
  }
  return true;
}

// "U+0009" for a TAB.
std::string CodePoint(char16_t c) {
  char name[8];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

// A field as a message quotes it: at most its first ten characters.
std::string Shown(TextView field) {
  constexpr size_t kShown = 10;
  if (field.size() <= kShown) return text::ToUtf8(field);
  return text::ToUtf8(field.substr(0, kShown)) + "…";
}

// text = view, where view never lies within text: without the general
// assignment's care for that, and inlined into the loops over the slots, as
// every column of the whole country is taken here.
inline void SetText(Text& text, TextView view) {
  const size_t size = view.size();
  // Most slots keep their length from record to record (codes, flags,
  // the same city): then only the characters change.
  if (size == text.size()) {
    text::CopyChars(text.data(), view.data(), size);
    return;
  }
  text.clear();
  text.append(view.data(), size);
}

int ParenthesisBalance(TextView text) {
  int depth = 0;
  for (char16_t c : text) {
    if (c == u'（')
      ++depth;
    else if (c == u'）')
      --depth;
  }
  return depth;
}

class ZipFileReader {
 public:
  ZipFileReader(const RunEnvironment& run, ReaderState& state, text::LineSource& input,
                const RecordHandler& hand_on)
      : run_(run), state_(state), input_(input), hand_on_(hand_on) {}

  bool Run() {
    state_.origin = RecordOrigin{input_.name(), 0, {}};
    if (const std::string_view encoding = input_.foreign_encoding(); !encoding.empty()) {
      // Decoded in the wrong encoding it would be garbage in every record.
      run_.dialogs.Message(input_.name() + " は " + std::string(input_.encoding()) + " ではなく " +
                           std::string(encoding) + " のファイルのため、読み込みません。");
      input_.Close();
      return false;
    }
    Text previous_key(kNothingPending);
    int depth = 0;
    int prefecture = 0;
    while (!OutputFailed() && NextLine()) {
      // A line whose code is no number keeps the code of the line before it.
      if (line_.size() >= 2 && IsAsciiDigit(line_[0]) && IsAsciiDigit(line_[1])) {
        prefecture = (line_[0] - u'0') * 10 + (line_[1] - u'0');  // as every line has it
      } else {
        Trap(run_, [&] { prefecture = static_cast<int>(ToNumber(Left(line_, 2))); });
      }
      if (!PrefectureSelected(prefecture)) continue;

      const TextView key = Mid(line_, 16, 7);
      if (key == previous_key) {
        state_.origin.postal_code = pending_code_;
        AppendContinuation(depth);
      } else {
        if (previous_key != kNothingPending) {
          HandOn();
          depth = 0;
          state_.origin.line = line_start_;
          state_.origin.postal_code.clear();
        }
        StartRecord();
        depth += ParenthesisBalance(state_.ZipRec[kTownKanji]);
        pending_line_ = state_.origin.line;
        pending_code_ = state_.origin.postal_code;
      }
      previous_key.assign(depth == 0 ? kComplete : key);

      ++state_.G_LineCount;
      if (state_.G_LineCount % 1000 == 1) run_.dialogs.ProcessEvents();
    }
    // A failure to read ends the input early: what was read is no whole file.
    const bool cut_short = !input_.error().empty();
    if (cut_short) run_.dialogs.Message(input_.error());
    if (previous_key != kNothingPending && !OutputFailed() && !cut_short) HandOn();
    const bool empty = input_.line_number() == 0 && !OutputFailed() && !cut_short;
    input_.Close();
    if (blank_lines_ > 0) {
      run_.notices.Say(input_.name() + " の空の行 " + std::to_string(blank_lines_) + " 行（最初は " +
                       std::to_string(first_blank_line_) + " 行目）は読み飛ばしました。");
    }
    // Japan Post's files are never empty: an empty one is a failed download
    // or copy, not a file without records.
    if (empty) run_.dialogs.Message(input_.name() + " にデータがありません。");
    return !empty && !cut_short;
  }

 private:
  // The next line to take as a record line, in line_ and split into
  // columns_; false at the end of the input or when reading failed. A line whose quoted field runs on past
  // its line end comes with the lines the field runs on over, joined by LF.
  // Empty lines are no records and end none (a second conversion of the line
  // ends gives CR CR LF): they are skipped, and counted for one message per
  // file. Lines too long are skipped too.
  bool NextLine() {
    while (input_.Next(line_)) {
      line_start_ = input_.line_number();
      state_.origin.line = line_start_;
      state_.origin.postal_code.clear();
      if (!input_.error().empty()) run_.notices.Say(input_.error());
      // A line too long to take is skipped as a line of an unchecked
      // prefecture is: it neither counts nor ends the pending record.
      if (input_.line_too_long()) continue;
      if (line_.empty()) {
        if (blank_lines_++ == 0) first_blank_line_ = line_start_;
        continue;
      }
      if (SplitColumns(line_, columns_)) return true;
      switch (TakeQuotedLineEnds()) {
        case Taken::kWhole: SplitColumns(line_, columns_); return true;
        case Taken::kTooLong: continue;
        // What came before a failure to read is no whole line.
        case Taken::kToTheEnd: SplitColumns(line_, columns_); return input_.error().empty();
      }
    }
    return false;
  }

  enum class Taken { kWhole, kTooLong, kToTheEnd };

  // Appends to line_ the lines its last quoted field runs on over, up to the
  // one that closes it. A field running on beyond the line limit is
  // reported, and what was taken of it skipped: reading goes on with the line
  // after, so that a stray quote costs at most that much.
  Taken TakeQuotedLineEnds() {
    while (input_.Next(more_)) {
      if (!input_.error().empty()) run_.notices.Say(input_.error());
      line_ += u'\n';
      line_ += more_;
      // Each character took at least one byte.
      if (input_.line_too_long() || line_.size() > text::kMaxLineBytes) {
        run_.notices.Say(text::LineTooLongMessage(input_.name(), line_start_));
        return Taken::kTooLong;
      }
      if (!EndsInsideQuotes(more_)) return Taken::kWhole;
    }
    return Taken::kToTheEnd;
  }

  // Leaves the pending record out, saying why: it is not handed on, and
  // its further lines are taken without being joined.
  void Reject(const std::string& why) {
    Report(run_, why);
    rejected_ = true;
  }

  // What makes a line unfit for any record: a control character (a TAB
  // would split a word-list entry into columns, a NUL cut a text short).
  bool RejectedForControlCharacter() {
    // Looked for in every line: a quick test of all characters first.
    if (!HasControlCharacter(line_)) return false;
    for (char16_t c : line_) {
      if (IsControlCharacter(c)) {
        Reject("制御文字「" + CodePoint(c) + "」を含むため、このレコードは読み飛ばしました。");
        return true;
      }
    }
    return false;
  }

  // Joined over any number of lines, a town name could grow without bound.
  void RejectIfTooLong() {
    const auto& rec = state_.ZipRec;
    if (rec[kTownKanji].size() > kMaxTownLength || rec[kTownKana].size() > kMaxTownLength) {
      Reject("町域名が " + std::to_string(kMaxTownLength) +
             " 文字を超えるため、このレコードは読み飛ばしました。");
    }
  }

  // A code without a box (above 47) cannot be tested: reported, and the line
  // is taken as if its box were set.
  bool PrefectureSelected(int code) {
    if (code < 0 || code >= kPrefectureBoxes) {
      Report(run_, IndexOutOfRange().what());
      return true;
    }
    return run_.options.prefecture_checked[static_cast<size_t>(code)];
  }

  // The line split into ZipRec in the address layout. A line with a control
  // character or without a postal code of seven digits is no record: it is
  // left out, with its continuation lines.
  // Each slot takes its column of the line straight from the line, the one
  // copy a column costs.
  void StartRecord() {
    auto& rec = state_.ZipRec;
    rejected_ = false;
    // Every record has all seventeen slots, also when a line has more or
    // fewer columns than its file's layout.
    rec.resize(std::max<size_t>(kZipSlots, columns_.size()));
    const TextView code_column = ColumnOrEmpty(state_.G_InputIndex == kBusinessIndex ? 7 : kPostalCode);
    const TextView code =
        code_column.size() < 2 ? code_column : code_column.substr(1, code_column.size() - 2);
    const bool code_valid = IsPostalCode(code);
    if (code_valid) state_.origin.postal_code = code;
    if (RejectedForControlCharacter()) {
      TakeColumnsAsTheyAre(rec);
      return;
    }
    if (!code_valid) {
      TakeColumnsAsTheyAre(rec);
      Reject("郵便番号「" + Shown(code) + "」が 7 桁の数字ではないため、このレコードは読み飛ばしました。");
      return;
    }
    if (state_.G_InputIndex == kBusinessIndex) {
      RearrangeBusinessLine(rec);
    } else {
      // The texts of the address layout lose their quotes.
      Text* const slots = rec.data();
      SetText(slots[kLocalCode], ColumnOrEmpty(kLocalCode));
      for (size_t slot = kOldCode; slot <= kTownKanji; ++slot) {
        const TextView column = ColumnOrEmpty(slot);
        if (column.size() >= 2)
          SetText(slots[slot], column.substr(1, column.size() - 2));
        else
          SetUnquoted(slots[slot], column, column);
      }
      for (size_t slot = kFlag1, count = rec.size(); slot < count; ++slot)
        SetText(slots[slot], ColumnOrEmpty(slot));
    }
    RejectIfTooLong();
  }

  void TakeColumnsAsTheyAre(std::vector<Text>& rec) const {
    for (size_t slot = 0; slot < rec.size(); ++slot) SetText(rec[slot], ColumnOrEmpty(slot));
  }

  // The business file's columns moved into the address layout: each slot
  // takes its column unquoted, or keeps the line's own column when that
  // cannot be unquoted, as if the columns were moved one after another in
  // this order within the record.
  void RearrangeBusinessLine(std::vector<Text>& rec) {
    const auto column = [&](size_t index) { return ColumnOrEmpty(index); };
    for (size_t slot = 0; slot < rec.size(); ++slot) {
      if (slot == kLocalCode || (slot >= kFlag1 && slot <= kReason) || slot >= kZipSlots)
        SetText(rec[slot], column(slot));
    }
    SetUnquoted(rec[kCompanyKana], column(kCompanyKana), column(1));
    SetUnquoted(rec[kCompanyKanji], column(kCompanyKanji), column(2));
    SetUnquoted(rec[kOldCode], column(kOldCode), column(8));
    SetUnquoted(rec[kPostalCode], column(kPostalCode), column(7));
    SetUnquoted(rec[kTownKanji], column(kTownKanji), column(5));
    if (run_.options.with_blank) rec[kTownKanji] += u'　';
    Trap(run_, [&] { rec[kTownKanji] += Unquote(column(6)); });
    SetUnquoted(rec[kPrefKanji], column(kPrefKanji), column(3));
    SetUnquoted(rec[kCityKanji], column(kCityKanji), column(4));
    rec[kPrefKana].clear();
    rec[kCityKana].clear();
    rec[kTownKana].clear();
  }

  // A line that continues a record left out is only followed to its end.
  void AppendContinuation(int& depth) {
    if (!rejected_) rejected_ = RejectedForControlCharacter();
    if (rejected_) {
      if (columns_.size() > kTownKanji) depth += ParenthesisBalance(columns_[kTownKanji]);
      return;
    }
    auto& rec = state_.ZipRec;
    Trap(run_, [&] {
      const TextView kana = Column(kTownKana);
      if (!IsQuoted(kana, rec[kTownKana])) rec[kTownKana] += Unquote(kana);
    });
    Trap(run_, [&] {
      const TextView town = Column(kTownKanji);
      rec[kTownKanji] += Unquote(town);
      depth += ParenthesisBalance(town);
    });
    RejectIfTooLong();
  }

  // A column of the line at hand; a damaged line without it is the rules'
  // failure, reported with the file and line like every other.
  TextView Column(size_t slot) const {
    if (slot >= columns_.size())
      throw RuleError("この行には " + std::to_string(slot + 1) + " 列目がありません。");
    return columns_[slot];
  }

  // A column of the line at hand, empty where the line has none.
  TextView ColumnOrEmpty(size_t index) const {
    return index < columns_.size() ? columns_[index] : TextView();
  }

  // target takes field without its quotes. A field that cannot be unquoted
  // is reported, and target then holds own, its own column of the line.
  void SetUnquoted(Text& target, TextView own, TextView field) {
    if (field.size() >= 2) {
      SetText(target, field.substr(1, field.size() - 2));
    } else {
      SetText(target, own);
      Report(run_, InvalidArgument().what());  // as Unquote says
    }
  }

  // The handlers report their own failures; the trap here only keeps a
  // failure that escapes them, or one that ends the record, from ending the
  // file. They see where the record began (a joined record: its first line).
  void HandOn() {
    if (rejected_) return;  // said when it was left out
    state_.origin.line = pending_line_;
    state_.origin.postal_code = pending_code_;
    TrapRecord(run_, [&] { hand_on_(state_.ZipRec); });
  }

  // An output that could not be written ends the reading: nothing after it
  // would reach the file.
  bool OutputFailed() const { return run_.output && run_.output->failed(); }

  const RunEnvironment& run_;
  ReaderState& state_;
  text::LineSource& input_;
  const RecordHandler& hand_on_;
  Text line_;
  Text more_;                      // a line a quoted field runs on over
  long line_start_ = 0;            // where line_ began
  std::vector<TextView> columns_;  // of line_
  long pending_line_ = 0;          // where the pending record began
  Text pending_code_;
  bool rejected_ = false;  // the pending record is left out
  long blank_lines_ = 0;
  long first_blank_line_ = 0;
};

}  // namespace

TextView Unquote(TextView field) { return Mid(field, 2, Len(field) - 2); }

bool F_ReadZipFile(const RunEnvironment& run, ReaderState& state, text::LineSource& input,
                   const RecordHandler& hand_on) {
  return ZipFileReader(run, state, input, hand_on).Run();
}

}  // namespace tessivar
