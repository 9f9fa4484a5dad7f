#include "convert/read_zip_file.h"

#include "dialogs/trap.h"

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

  void Run() {
    Text previous_key(kNothingPending);
    int depth = 0;
    int prefecture = 0;
    while (input_.Next(line_)) {
      if (!input_.error().empty()) run_.dialogs.Message(input_.error());
      // A line whose code is no number keeps the code of the line before it.
      TrapErrors(run_.dialogs, [&] { prefecture = static_cast<int>(ToNumber(Left(line_, 2))); });
      if (!PrefectureSelected(prefecture)) continue;

      const TextView key = Mid(line_, 16, 7);
      if (key == previous_key) {
        AppendContinuation(depth);
      } else {
        if (previous_key != kNothingPending) {
          HandOn();
          depth = 0;
        }
        StartRecord();
        depth += ParenthesisBalance(state_.ZipRec[kTownKanji]);
      }
      previous_key.assign(depth == 0 ? kComplete : key);

      ++state_.G_LineCount;
      if (state_.G_LineCount % 1000 == 1) run_.dialogs.ProcessEvents();
    }
    if (!input_.error().empty()) run_.dialogs.Message(input_.error());  // it ended early
    if (previous_key != kNothingPending) HandOn();
    input_.Close();
  }

 private:
  // A code without a box (above 47) cannot be tested: reported, and the line
  // is taken as if its box were set.
  bool PrefectureSelected(int code) {
    if (code < 0 || code >= kPrefectureBoxes) {
      run_.dialogs.Message(IndexOutOfRange().what());
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
    TrapErrors(run_.dialogs, [&] { rec[kTownKanji] += Unquote(rec[6]); });
    SetUnquoted(rec[kPrefKanji], rec[3]);
    SetUnquoted(rec[kCityKanji], rec[4]);
    rec[kPrefKana].clear();
    rec[kCityKana].clear();
    rec[kTownKana].clear();
  }

  void AppendContinuation(int& depth) {
    SplitColumns(line_, continuation_);
    auto& rec = state_.ZipRec;
    TrapErrors(run_.dialogs, [&] {
      const Text& kana = continuation_.at(kTownKana);
      if (Concat(u"\"", rec[kTownKana], u"\"") != kana) rec[kTownKana] += Unquote(kana);
    });
    TrapErrors(run_.dialogs, [&] {
      const Text& town = continuation_.at(kTownKanji);
      rec[kTownKanji] += Unquote(town);
      depth += ParenthesisBalance(town);
    });
  }

  void UnquoteInPlace(Text& field) {
    TrapErrors(run_.dialogs, [&] {
      if (field.size() < 2) throw InvalidArgument();
      field.pop_back();
      field.erase(0, 1);
    });
  }

  void SetUnquoted(Text& target, const Text& field) {
    TrapErrors(run_.dialogs, [&] { target = Unquote(field); });
  }

  // The handlers report their own failures; the trap here only keeps a
  // failure that escapes them from ending the file.
  void HandOn() {
    TrapErrors(run_.dialogs, [&] { hand_on_(state_.ZipRec); });
  }

  const RunEnvironment& run_;
  ReaderState& state_;
  text::LineSource& input_;
  const RecordHandler& hand_on_;
  Text line_;
  std::vector<Text> continuation_;
};

}  // namespace

Text Unquote(TextView field) { return Text(Mid(field, 2, Len(field) - 2)); }

void F_ReadZipFile(const RunEnvironment& run, ReaderState& state, text::LineSource& input,
                   const RecordHandler& hand_on) {
  ZipFileReader(run, state, input, hand_on).Run();
}

}  // namespace tessivar
