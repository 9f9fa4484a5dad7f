#include "convert/read_zip_file.h"

#include "convert/record_trap.h"

namespace tessivar {

namespace {

// previous key before the first accepted line of a file: no record pending.
constexpr TextView kNothingPending = u"0     0";
// previous key when the pending record is complete.
constexpr TextView kComplete = u"00";

// Splits line at every comma into cols, with no regard to quotes (a comma
// inside a quoted field splits it too). Reuses the strings of cols.
void SplitColumns(TextView line, std::vector<Text>& cols) {
  size_t count = 0;
  size_t from = 0;
  while (true) {
    size_t comma = line.find(u',', from);
    TextView piece = line.substr(from, comma == TextView::npos ? TextView::npos : comma - from);
    if (count < cols.size()) {
      cols[count].assign(piece);
    } else {
      cols.emplace_back(piece);
    }
    ++count;
    if (comma == TextView::npos) break;
    from = comma + 1;
  }
  cols.resize(count);
}

// Whether field is text in quotes, compared in place: joining a record over
// many lines must not copy the growing text once per line.
bool IsQuoted(TextView field, TextView text) {
  return field.size() == text.size() + 2 && field.front() == u'"' && field.back() == u'"' &&
         field.substr(1, text.size()) == text;
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
    while (!OutputFailed() && input_.Next(line_)) {
      state_.origin.line = input_.line_number();
      state_.origin.postal_code.clear();
      if (!input_.error().empty()) run_.dialogs.Message(input_.error());
      // A line too long to take is skipped as a line of an unchecked
      // prefecture is: it neither counts nor ends the pending record.
      if (input_.line_too_long()) continue;
      // A line whose code is no number keeps the code of the line before it.
      Trap(run_, [&] { prefecture = static_cast<int>(ToNumber(Left(line_, 2))); });
      if (!PrefectureSelected(prefecture)) continue;

      const TextView key = Mid(line_, 16, 7);
      if (key == previous_key) {
        state_.origin.postal_code = pending_code_;
        AppendContinuation(depth);
      } else {
        if (previous_key != kNothingPending) {
          HandOn();
          depth = 0;
          state_.origin.line = input_.line_number();
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
    // Japan Post's files are never empty: an empty one is a failed download
    // or copy, not a file without records.
    if (empty) run_.dialogs.Message(input_.name() + " にデータがありません。");
    return !empty && !cut_short;
  }

 private:
  // A code without a box (above 47) cannot be tested: reported, and the line
  // is taken as if its box were set.
  bool PrefectureSelected(int code) {
    if (code < 0 || code >= kPrefectureBoxes) {
      Report(run_, IndexOutOfRange().what());
      return true;
    }
    return run_.options.prefecture_checked[static_cast<size_t>(code)];
  }

  void StartRecord() {
    auto& rec = state_.ZipRec;
    SplitColumns(line_, rec);
    // Every record has all seventeen slots, also when a line has more or
    // fewer columns than its file's layout.
    if (rec.size() < kZipSlots) rec.resize(kZipSlots);
    if (state_.G_InputIndex == kBusinessIndex) {
      RearrangeBusinessLine(rec);
    } else {
      for (int slot = kOldCode; slot <= kTownKanji; ++slot) UnquoteInPlace(rec[slot]);
    }
    state_.origin.postal_code = rec[kPostalCode];
  }

  // The business file's columns moved into the address layout, in exactly
  // this order (each step reads the slots as the steps before left them).
  void RearrangeBusinessLine(std::vector<Text>& rec) {
    SetUnquoted(rec[kCompanyKana], rec[1]);
    SetUnquoted(rec[kCompanyKanji], rec[2]);
    SetUnquoted(rec[kOldCode], rec[8]);
    SetUnquoted(rec[kPostalCode], rec[7]);
    SetUnquoted(rec[kTownKanji], rec[5]);
    if (run_.options.with_blank) rec[kTownKanji] += u'　';
    Trap(run_, [&] { rec[kTownKanji] += Unquote(rec[6]); });
    SetUnquoted(rec[kPrefKanji], rec[3]);
    SetUnquoted(rec[kCityKanji], rec[4]);
    rec[kPrefKana].clear();
    rec[kCityKana].clear();
    rec[kTownKana].clear();
  }

  void AppendContinuation(int& depth) {
    SplitColumns(line_, continuation_);
    auto& rec = state_.ZipRec;
    Trap(run_, [&] {
      const Text& kana = continuation_.at(kTownKana);
      if (!IsQuoted(kana, rec[kTownKana])) rec[kTownKana] += Unquote(kana);
    });
    Trap(run_, [&] {
      const Text& town = continuation_.at(kTownKanji);
      rec[kTownKanji] += Unquote(town);
      depth += ParenthesisBalance(town);
    });
  }

  void UnquoteInPlace(Text& field) {
    Trap(run_, [&] {
      if (field.size() < 2) throw InvalidArgument();
      field.pop_back();
      field.erase(0, 1);
    });
  }

  void SetUnquoted(Text& target, const Text& field) {
    Trap(run_, [&] { target = Unquote(field); });
  }

  // The handlers report their own failures; the trap here only keeps a
  // failure that escapes them from ending the file. They see where the
  // record began (a joined record: its first line).
  void HandOn() {
    state_.origin.line = pending_line_;
    state_.origin.postal_code = pending_code_;
    Trap(run_, [&] { hand_on_(state_.ZipRec); });
  }

  // An output that could not be written ends the reading: nothing after it
  // would reach the file.
  bool OutputFailed() const { return run_.output && run_.output->failed(); }

  const RunEnvironment& run_;
  ReaderState& state_;
  text::LineSource& input_;
  const RecordHandler& hand_on_;
  Text line_;
  std::vector<Text> continuation_;
  long pending_line_ = 0;  // where the pending record began
  Text pending_code_;
};

}  // namespace

Text Unquote(TextView field) { return Text(Mid(field, 2, Len(field) - 2)); }

bool F_ReadZipFile(const RunEnvironment& run, ReaderState& state, text::LineSource& input,
                   const RecordHandler& hand_on) {
  return ZipFileReader(run, state, input, hand_on).Run();
}

}  // namespace tessivar
