#include "convert/read_zip_file.h"

#include "convert/business_edit.h"
#include "convert/town_area.h"
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
  ZipFileReader(ConvertContext& ctx, TextFileReader& input, const RecordHandler& hand_on)
      : ctx_(ctx), input_(input), hand_on_(hand_on) {}

  void Run() {
    Text previous_key(kNothingPending);
    int depth = 0;
    int prefecture = 0;
    while (input_.Next(line_)) {
      if (!input_.error().empty()) ctx_.run.dialogs.Message(input_.error());
      // A line whose code is no number keeps the code of the line before it.
      TrapErrors(ctx_.run.dialogs, [&] { prefecture = static_cast<int>(ToNumber(Left(line_, 2))); });
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
        depth += ParenthesisBalance(ctx_.reader.ZipRec[kTownKanji]);
      }
      previous_key.assign(depth == 0 ? kComplete : key);

      ++ctx_.reader.G_LineCount;
      if (ctx_.reader.G_LineCount % 1000 == 1) ctx_.run.dialogs.ProcessEvents();
    }
    if (previous_key != kNothingPending) HandOn();
    input_.Close();
  }

 private:
  // A code without a box (above 47) cannot be tested: reported, and the line
  // is taken as if its box were set.
  bool PrefectureSelected(int code) {
    if (code < 0 || code >= kPrefectureBoxes) {
      ctx_.run.dialogs.Message(IndexOutOfRange().what());
      return true;
    }
    return ctx_.run.options.prefecture_checked[static_cast<size_t>(code)];
  }

  void StartRecord() {
    auto& rec = ctx_.reader.ZipRec;
    SplitColumns(line_, rec);
    // Every record has all seventeen slots, also when a line has more or
    // fewer columns than its file's layout.
    if (rec.size() < kZipSlots) rec.resize(kZipSlots);
    if (ctx_.reader.G_InputIndex == kBusinessIndex) {
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
    if (ctx_.run.options.with_blank) rec[kTownKanji] += u'　';
    TrapErrors(ctx_.run.dialogs, [&] { rec[kTownKanji] += Unquote(rec[6]); });
    SetUnquoted(rec[kPrefKanji], rec[3]);
    SetUnquoted(rec[kCityKanji], rec[4]);
    rec[kPrefKana].clear();
    rec[kCityKana].clear();
    rec[kTownKana].clear();
  }

  void AppendContinuation(int& depth) {
    SplitColumns(line_, continuation_);
    auto& rec = ctx_.reader.ZipRec;
    TrapErrors(ctx_.run.dialogs, [&] {
      const Text& kana = continuation_.at(kTownKana);
      if (Concat(u"\"", rec[kTownKana], u"\"") != kana) rec[kTownKana] += Unquote(kana);
    });
    TrapErrors(ctx_.run.dialogs, [&] {
      const Text& town = continuation_.at(kTownKanji);
      rec[kTownKanji] += Unquote(town);
      depth += ParenthesisBalance(town);
    });
  }

  void UnquoteInPlace(Text& field) {
    TrapErrors(ctx_.run.dialogs, [&] {
      if (field.size() < 2) throw InvalidArgument();
      field.pop_back();
      field.erase(0, 1);
    });
  }

  void SetUnquoted(Text& target, const Text& field) {
    TrapErrors(ctx_.run.dialogs, [&] { target = Unquote(field); });
  }

  // The handlers report their own failures; the trap here only keeps a
  // failure that escapes them from ending the file.
  void HandOn() {
    TrapErrors(ctx_.run.dialogs, [&] { hand_on_(ctx_); });
  }

  ConvertContext& ctx_;
  TextFileReader& input_;
  const RecordHandler& hand_on_;
  Text line_;
  std::vector<Text> continuation_;
};

}  // namespace

Text Unquote(TextView field) { return Text(Mid(field, 2, Len(field) - 2)); }

void F_ReadZipFile(ConvertContext& ctx, TextFileReader& input, const RecordHandler& hand_on) {
  ZipFileReader(ctx, input, hand_on).Run();
}

void F_ReadZipFile(ConvertContext& ctx, TextFileReader& input) {
  static const RecordHandler kDispatch = [](ConvertContext& c) {
    if (c.reader.G_InputIndex == kBusinessIndex) {
      F_BusinessEdit(c);
    } else {
      F_TownAreaEdit(c);
    }
  };
  F_ReadZipFile(ctx, input, kDispatch);
}

}  // namespace tessivar
