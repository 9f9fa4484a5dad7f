#include "convert/write/write_line.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "convert/context/record_trap.h"
#include "fieldsets/field_catalogue.h"
#include "text/short_copy.h"
#include "text/width.h"

namespace tessivar {

namespace {

// The comment rule of both formats: a comment loses its bracket prefix, ex.
// "（次のビルを除く）" is written "次のビルを除く", unless its tail is the keep
// marker, which is then dropped and the comment written as it stands.
// The word list strips closing brackets only when there was an opening one;
// the CSV items strip them in any case.
enum class CloseBrackets { kAfterOpening, kAlways };

void ApplyCommentRule(Text& comment, Text& tail, TextView open, TextView close, CloseBrackets strip) {
  if (tail == kKeepComment) {
    tail.clear();
    return;
  }
  long k = InStr(comment, open);
  if (k == 0 && strip == CloseBrackets::kAfterOpening) return;
  ReplaceIn(comment, Text(Left(comment, k)), u"");
  ReplaceIn(comment, close, u"");
}

// A line built at the start of its buffer, whose length is the room it
// keeps from line to line: std::u16string's appends check and set its
// length piece by piece, where the CSV text writes some fifty pieces a line,
// the whole country through.
class LineBuilder {
 public:
  explicit LineBuilder(Text& buffer) : buffer_(buffer) {
    if (buffer_.size() < kFirstRoom) buffer_.resize(kFirstRoom);
    at_ = buffer_.data();
    end_ = at_ + buffer_.size();
  }

  LineBuilder& operator+=(char16_t c) {
    if (at_ == end_) Grow(1);
    *at_++ = c;
    return *this;
  }
  LineBuilder& operator+=(TextView text) {
    if (static_cast<size_t>(end_ - at_) < text.size()) Grow(text.size());
    text::CopyChars(at_, text.data(), text.size());
    at_ += text.size();
    return *this;
  }

  TextView Line() const { return TextView(buffer_.data(), Length()); }

 private:
  static constexpr size_t kFirstRoom = 512;

  size_t Length() const { return static_cast<size_t>(at_ - buffer_.data()); }

  void Grow(size_t more) {
    const size_t length = Length();
    buffer_.resize(std::max(2 * buffer_.size(), length + more));
    at_ = buffer_.data() + length;
    end_ = buffer_.data() + buffer_.size();
  }

  Text& buffer_;
  char16_t* at_ = nullptr;
  char16_t* end_ = nullptr;
};

// "1234567" in the hyphen form: "123-4567".
template <typename Line>
void AppendHyphenated(Line& line, TextView code) {
  line += Left(code, 3);
  line += u'-';
  line += Right(code, 4);
}

void AppendQuoted(LineBuilder& line, TextView text) {
  line += u'"';
  line += text;
  line += u'"';
}

// A comment item: the comment without its bracket prefix, then its tail,
// quoted; nothing when there is no comment.
void AppendComment(LineBuilder& line, Text& comment, Text& tail, TextView open, TextView close) {
  if (comment.empty()) return;
  ApplyCommentRule(comment, tail, open, close, CloseBrackets::kAlways);
  line += u'"';
  line += comment;
  line += tail;
  line += u'"';
}

// The same with each protected comma written as the comma it stands for.
void AppendQuotedRestoringCommas(LineBuilder& line, TextView text, char16_t protected_comma, char16_t comma) {
  line += u'"';
  for (const char16_t c : text) line += c == protected_comma ? comma : c;
  line += u'"';
}

void AppendDecimal(LineBuilder& line, long n) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
  for (const char* digit = digits; digit < end; ++digit) line += static_cast<char16_t>(*digit);
}

// The reading of a word-list entry: the postal code, "0608554" or in the
// hyphen form "060-8554", in full-width digits for the Microsoft IME
// ("０６０－８５５４") and in ASCII for Mozc, whose importer takes only ASCII
// and hiragana in a reading and whose users type ASCII digits.
void AppendWordListReading(Text& line, Text& reading, TextView code, bool hyphen, ImeTarget target) {
  Text& narrow = target == ImeTarget::kMozc ? line : reading;
  if (target != ImeTarget::kMozc) reading.clear();
  if (hyphen)
    AppendHyphenated(narrow, code);
  else
    narrow += code;
  if (target != ImeTarget::kMozc) AppendWide(reading, line);
}

}  // namespace

void F_郵便番号SUB(RunEnvironment& run, const ZipRecord& rec, Text& word, Text& comment, Text& tail,
                   WordListBuffers& buffers) {
  Trap(run, "F_郵便番号SUB_Err:", [&] {
    if (run.options.with_prefecture)
      word = Concat(rec[kPrefKanji], run.options.with_blank ? u"　" : u"", word);
    ReplaceIn(comment, u"＠", u"、");
    ReplaceIn(word, u"＠", u"、");
    ReplaceIn(tail, u"＠", u"、");

    Text& line = buffers.line;
    line.clear();
    AppendWordListReading(line, buffers.reading, rec[kPostalCode], run.options.hyphen,
                          run.options.ime_target);
    line += u'\t';
    line += word;
    if (!rec[kCompanyKanji].empty()) {
      line += u'　';
      line += rec[kCompanyKanji];
    }
    line += u"\t地名その他";
    if (!comment.empty()) {
      ApplyCommentRule(comment, tail, u"（", u"）", CloseBrackets::kAfterOpening);
      if (Len(comment) + Len(tail) > 64) {
        // The marker " 他" is appended even when nothing was cut.
        comment = Narrow(comment);
        ReplaceIn(comment, u"~", u"ｶﾗ");
        comment = tail.empty() ? Concat(Left(comment, 60), u" 他") : Concat(Left(comment, 56), u" 他 ");
      }
      line += u'\t';
      line += comment;
      line += tail;
    }
    // An entry already written in this run is not written again.
    if (run.written_entries.Add(line, *run.output)) {
      run.output->WriteLine(line);
      ++run.G_RecordCount;
    }
  });
  // The comment of a "その他" record is not handed on as the last comment.
  if (Contains(rec[kTownKanji], u"その他")) comment.clear();
  run.dialogs.ProcessEvents();
}

std::vector<int> CsvItems(const std::vector<Text>& sel_fields) {
  std::vector<int> items;
  for (size_t i = 1; i < sel_fields.size(); ++i) {
    const int n = FieldEntryNumber(sel_fields[i]);
    if (n == kEndOfList) break;
    items.push_back(n);
  }
  return items;
}

void F_WriteCsvLine(RunEnvironment& run, const std::vector<int>& items, const ZipRecord& rec, Text& town,
                    Text& comment, Text& tail, Text& townKana, Text& commentKana, Text& tailKana,
                    Text& line_buffer) {
  Trap(run, [&] {
    // Commas that the town-area rules protected come back.
    ReplaceIn(town, u"＠", u"、");
    ReplaceIn(comment, u"＠", u"、");
    ReplaceIn(townKana, u"@", u"､");
    ReplaceIn(commentKana, u"@", u"､");

    const bool hyphen = run.options.hyphen;
    LineBuilder line(line_buffer);
    for (const int n : items) {
      switch (n) {
        case kLocalCodeItem: line += rec[kLocalCode]; break;
        case kOldCodeItem: {
          TextView old_code = rec[kOldCode];
          line += u'"';
          if (!hyphen) {
            line += old_code;
          } else if (Len(Trim(old_code)) == 3) {
            line += Left(old_code, 3);
          } else {
            line += Left(old_code, 3);
            line += u'-';
            line += Right(old_code, 2);
          }
          line += u'"';
          break;
        }
        case kPostalCodeItem: {
          TextView code = rec[kPostalCode];
          line += u'"';
          if (hyphen)
            AppendHyphenated(line, code);
          else
            line += code;
          line += u'"';
          break;
        }
        case kPrefKanaItem: AppendQuoted(line, rec[kPrefKana]); break;
        case kCityKanaItem: AppendQuoted(line, rec[kCityKana]); break;
        case kTownKanaItem: AppendQuoted(line, townKana); break;
        case kPrefKanjiItem: AppendQuoted(line, rec[kPrefKanji]); break;
        case kCityKanjiItem: AppendQuoted(line, rec[kCityKanji]); break;
        case kTownKanjiItem: AppendQuoted(line, town); break;
        case kPrefKanaLengthItem: AppendDecimal(line, Len(rec[kPrefKana])); break;
        case kCityKanaLengthItem: AppendDecimal(line, Len(rec[kCityKana])); break;
        case kTownKanaLengthItem: AppendDecimal(line, Len(townKana)); break;
        case kPrefKanjiLengthItem: AppendDecimal(line, Len(rec[kPrefKanji])); break;
        case kCityKanjiLengthItem: AppendDecimal(line, Len(rec[kCityKanji])); break;
        case kTownKanjiLengthItem: AppendDecimal(line, Len(town)); break;
        case kFlag1Item: line += rec[kFlag1]; break;
        case kFlag2Item: line += rec[kFlag2]; break;
        case kFlag3Item: line += rec[kFlag3]; break;
        case kFlag4Item: line += rec[kFlag4]; break;
        case kUpdateItem: line += rec[kUpdate]; break;
        case kReasonItem: line += rec[kReason]; break;
        case kOrgTownKanaItem: AppendQuotedRestoringCommas(line, rec[kTownKana], u'@', u'､'); break;
        case kOrgTownKanjiItem: AppendQuotedRestoringCommas(line, rec[kTownKanji], u'＠', u'、'); break;
        case kCommentKanjiItem: AppendComment(line, comment, tail, u"（", u"）"); break;
        case kCommentKanaItem: AppendComment(line, commentKana, tailKana, u"(", u")"); break;
        case kCommaSeparator: line += u','; break;
        case kFullWidthBlank: line += u'　'; break;
        case kHalfWidthBlank: line += u' '; break;
        case kCompanyKanaItem: AppendQuoted(line, rec[kCompanyKana]); break;
        case kCompanyKanjiItem: AppendQuoted(line, rec[kCompanyKanji]); break;
        default: break;  // 0 and numbers outside the catalogue write nothing
      }
    }
    run.output->WriteLine(line.Line());
    ++run.G_RecordCount;
  });
  if (Contains(rec[kTownKanji], u"その他")) {
    comment.clear();
    commentKana.clear();
  }
}

namespace {

class WordListWriter final : public LineWriter {
 public:
  WordListWriter(RunEnvironment& run, const ZipRecord& rec) : run_(run), rec_(rec) {}

  WrittenRecord Write(const EmissionValues& values, EmitOrder order) override {
    const ConstTownTexts kanji = KanjiInOrder(values, order);
    // The word is trimmed of half-width and full-width blanks alike.
    word_.clear();
    word_ += values.G_CityKanji;
    word_ += kanji.first;
    word_ += kanji.second;
    const TextView trimmed = TrimBlanks(word_);
    const auto from = static_cast<size_t>(trimmed.data() - word_.data());
    word_.erase(from + trimmed.size());
    word_.erase(0, from);
    // The comment and tail as the line writes them, in copies of the writer's
    // own; a line without a comment writes no tail either.
    comment_ = values.G_CommentKanji;
    if (comment_.empty())
      tail_.clear();
    else
      tail_ = values.G_CommentTailKanji;
    F_郵便番号SUB(run_, rec_, word_, comment_, tail_, buffers_);
    const Text& tail = values.G_CommentKanji.empty() ? values.G_CommentTailKanji : tail_;
    return {values.G_OutTownKanji,   comment_, tail, values.G_OutTownKana, values.G_CommentKana,
            values.G_CommentTailKana};
  }

 private:
  RunEnvironment& run_;
  const ZipRecord& rec_;
  // Kept between records, so that a line costs no allocation.
  Text word_;
  WordListBuffers buffers_;
  Text comment_, tail_;
};

class CsvLineWriter final : public LineWriter {
 public:
  CsvLineWriter(RunEnvironment& run, const ZipRecord& rec)
      : run_(run), rec_(rec), items_(CsvItems(run.G_SelFields)) {}

  WrittenRecord Write(const EmissionValues& values, EmitOrder order) override {
    const ConstTownTexts kanji = KanjiInOrder(values, order);
    const ConstTownTexts kana = KanaInOrder(values, order);
    town_.assign(kanji.first).append(kanji.second);
    town_kana_.assign(kana.first).append(kana.second);
    // The comments and tails as the line writes them, in copies of the writer's own.
    comment_ = values.G_CommentKanji;
    tail_ = values.G_CommentTailKanji;
    comment_kana_ = values.G_CommentKana;
    tail_kana_ = values.G_CommentTailKana;
    F_WriteCsvLine(run_, items_, rec_, town_, comment_, tail_, town_kana_, comment_kana_, tail_kana_, line_);
    return {values.G_OutTownKanji, comment_, tail_, values.G_OutTownKana, comment_kana_, tail_kana_};
  }

 private:
  RunEnvironment& run_;
  const ZipRecord& rec_;
  const std::vector<int> items_;  // the field set, read once per run
  // Kept between records, so that a line costs no allocation.
  Text town_;
  Text town_kana_;
  Text line_;
  Text comment_, tail_, comment_kana_, tail_kana_;
};

// No purpose, or no output: nothing is written, and the values stand as
// they are.
class NoLineWriter final : public LineWriter {
 public:
  WrittenRecord Write(const EmissionValues& values, EmitOrder) override {
    return {values.G_OutTownKanji, values.G_CommentKanji, values.G_CommentTailKanji,
            values.G_OutTownKana,  values.G_CommentKana,  values.G_CommentTailKana};
  }
};

}  // namespace

std::unique_ptr<LineWriter> LineWriterFor(RunEnvironment& run, const ZipRecord& rec) {
  if (!run.output) return std::make_unique<NoLineWriter>();
  switch (run.options.purpose) {
    case Purpose::kWordList: return std::make_unique<WordListWriter>(run, rec);
    case Purpose::kDatabase:
    case Purpose::kCsv: return std::make_unique<CsvLineWriter>(run, rec);
    case Purpose::kNone: break;
  }
  return std::make_unique<NoLineWriter>();
}

}  // namespace tessivar
