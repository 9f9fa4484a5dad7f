// The part loop: every part of a parenthesised list becomes one or more
// records, by the first of fifteen cases that applies, in this order. The
// correction table is consulted at F1 to F6 (cases 1, 5, 7, 8 and 14) and
// after or before the general rules of cases 4, 11 and 12.
#include <algorithm>

#include "convert/context/range_limit.h"
#include "convert/context/record_trap.h"
#include "convert/town_area/town_area_steps.h"
#include "convert/town_area/town_kyoto_codes.h"

namespace tessivar::town_area {

namespace {

enum class Flow { kNextPart, kReturn, kNextCase };

// A checkpoint that is a case of its own: without a match (or when the
// entry lets the general rules go on) the next case is tried.
Flow FlowOf(std::optional<End> end) {
  if (end == End::kReturn) return Flow::kReturn;
  if (end == End::kNextPart) return Flow::kNextPart;
  return Flow::kNextCase;
}

// The number formed by the digits (either width) at the start of s.
// No digit there is the "type mismatch" of a number conversion.
long LeadingDigits(TextView s) {
  long n = 0;
  size_t count = 0;
  while (count < s.size() && IsDigit(s[count])) {
    if (count == kMaxNumberDigits) throw Overflow();  // beyond any number of a town text
    n = n * 10 + DigitValue(s[count]);
    ++count;
  }
  if (count == 0) throw TypeMismatch();
  return n;
}

// Text between the first open mark and the first close mark.
Text Between(TextView text, TextView open, TextView close) {
  long from = InStr(text, open);
  long to = InStr(text, close);
  return Text(Mid(text, from + 1, to - from - 1));
}

// A range "第４０地割～第４５地割": prefix "第", first 40, suffix "地割", last 45.
struct NumberRange {
  Text prefix, suffix;
  long first = 0, last = 0;
};

class PartLoop {
 public:
  PartLoop(ConvertContext& ctx, RecordEmitter& emitter, const Corrections& corrections)
      : ctx_(ctx),
        rec_(ctx.reader.ZipRec),
        values_(ctx.values),
        town_(ctx.town),
        last_(ctx.last),
        run_(ctx.run),
        emitter_(emitter),
        corrections_(corrections),
        code_(rec_[kPostalCode]) {}

  void Run() {
    for (size_t i = 0; i < town_.G_PartsKanji.size(); ++i) {
      if (RunCases(i) == Flow::kReturn) return;
    }
  }

 private:
  Flow RunCases(size_t i) {
    const Text K = town_.G_PartsKanji[i];
    Trap(run_, [&] { T_ = Item(town_.G_PartTailsKanji, i); });

    // 1. Checkpoint F1.
    if (Flow f = Consult(Checkpoint::kF1, i); f != Flow::kNextCase) return f;
    // 2. Lists that are a note as a whole.
    if (IsNoteList(town_.G_TownKanji)) {
      values_.G_CommentKanji = K;
      ReadKana(i);
      values_.G_CommentKana = R_;
      Emit();
      return Flow::kNextPart;
    }
    // 3. "その他": one record for the main name, naming what is excluded.
    if (T_ == u"その他") {
      ExcludeOthers();
      return Flow::kNextPart;
    }
    // 4. Numbered sub-areas: 丁目, 号, 線.
    if (T_ == u"丁目" || T_ == u"号" || T_ == u"線") return NumberedSubAreas(i, K);
    // 5. Lists joined with "・".
    if (Contains(K, u"・")) return DottedList(i, K);
    // 6. The one part is a 番地 range: the list becomes the comment.
    if (T_ == u"番地" && Contains(K, u"～") && town_.G_PartsKanji.size() == 1) {
      SingleBanchiRange();
      return Flow::kNextPart;
    }
    // 7. 番地.
    if (T_ == u"番地") return Banchi(i, K);
    // 8. Checkpoints F4 and F5. They come before the 地割 areas: an entry
    // for a record of such an area (0295513) would never be reached after them.
    if (Flow f = Consult(Checkpoint::kF4, i); f != Flow::kNextCase) return f;
    if (Flow f = Consult(Checkpoint::kF5, i); f != Flow::kNextCase) return f;
    // 9. 地割 areas.
    if (IsChiwariArea()) {
      ChiwariArea(i, K);
      return Flow::kNextPart;
    }
    // 10. An exclusion list, "（１１０－２、１１０－７、１１０－１０番地を除く）", is
    // one note: each part would else be a word "…１１０－２番地を除く".
    if (IsExclusionList(town_.G_TownKanji)) {
      ExclusionListAsComment();
      return Flow::kReturn;
    }
    // 11. "以上" / "以下".
    if (Len(K) > 2 && (EndsWith(K, u"以上") || EndsWith(K, u"以下"))) return AtLeastOrBelow(i, K);
    // 12. "番": the rows of checkpoint case12 only.
    if (Len(K) > 1 && EndsWith(K, u"番")) {
      if (Flow f = Consult(Checkpoint::kCase12, i); f != Flow::kNextCase) return f;
    }
    // 13. A floor: already part of the main name.
    if (Len(K) > 1 && EndsWith(K, u"階")) {
      ClearSubAreas();
      Emit();
      ClearComments();
      ClearSiblings();
      return Flow::kNextPart;
    }
    // 14. Checkpoint F6.
    if (Flow f = Consult(Checkpoint::kF6, i); f != Flow::kNextCase) return f;
    // 15. Otherwise the part is the sub-area.
    values_.G_OutSubKanji = K;
    values_.G_OutSubKana = SubKana(i);
    EmitInOrder();
    return Flow::kNextPart;
  }

  Flow Consult(Checkpoint checkpoint, size_t i) {
    return FlowOf(ConsultCorrections(corrections_, checkpoint, ctx_, emitter_, i));
  }

  // R: the kana part with the kanji part's index. When the kana list is
  // shorter, the read fails and R keeps the kana part read before.
  void ReadKana(size_t i) {
    Trap(run_, [&] { R_ = Item(town_.G_PartsKana, i); });
  }

  // The sub kana of cases 4 and 15: the kana part with the same index, the
  // last one when the kana list is shorter, none without a kana "(".
  Text SubKana(size_t i) const {
    const auto& kana = town_.G_PartsKana;
    if (town_.pR == 0 || kana.empty()) return Text();
    return kana[std::min(i, kana.size() - 1)];
  }

  void Emit() { emitter_.Emit(values_); }

  // Kyoto street codes write the sub-area in front of the main name.
  void EmitInOrder() {
    if (F_IsKyotoCode(code_) && town_.pK > 0)
      emitter_.EmitSubFirst(values_);
    else
      Emit();
  }

  void ClearSubAreas() {
    values_.G_OutSubKanji.clear();
    values_.G_OutSubKana.clear();
  }
  void ClearComments() {
    values_.G_CommentKanji.clear();
    values_.G_CommentKana.clear();
  }
  void ClearSiblings() {
    town_.G_SiblingsKanji.clear();
    town_.G_SiblingsKana.clear();
  }

  static bool IsNoteList(TextView town) {
    TextView last4 = Right(town, 4);
    return last4 == u"（番地）" || last4 == u"（大字）" || last4 == u"（丁目）" ||
           Right(town, 9) == u"（次のビルを除く）";
  }

  // Quoted exclusions ("…「２１１番地を除く」…") belong to their own part.
  static bool IsExclusionList(TextView town) { return EndsWith(town, u"を除く）") && !Contains(town, u"「"); }

  // Case 10: one record for the main name; the comment is the text inside
  // the brackets, as written.
  void ExclusionListAsComment() {
    ClearSubAreas();
    values_.G_CommentTailKanji.clear();
    values_.G_CommentTailKana.clear();
    values_.G_CommentKanji = InsideBrackets(town_.G_TownKanji, u'（', u'）');
    values_.G_CommentKana = InsideBrackets(town_.G_TownKana, u'(', u')');
    Emit();
    ClearComments();
  }

  // The text from the first open bracket to the last close bracket, both
  // left out; the whole text when it has no such pair.
  static Text InsideBrackets(TextView text, char16_t open, char16_t close) {
    const size_t from = text.find(open), to = text.rfind(close);
    if (from == TextView::npos || to == TextView::npos || to < from) return Text(text);
    return Text(text.substr(from + 1, to - from - 1));
  }

  // Case 3.
  void ExcludeOthers() {
    if (!town_.G_SiblingsKanji.empty()) {
      values_.G_CommentKanji = town_.G_SiblingsKanji;
      values_.G_CommentKana = town_.G_SiblingsKana;
    } else if (values_.G_OutTownKanji == last_.G_LastTownKanji) {
      values_.G_CommentKanji = last_.G_LastCommentKanji;
      values_.G_CommentKana = last_.G_LastCommentKana;
    } else {
      Trap(run_, [&] {
        values_.G_CommentKanji =
            Concat(u"郵便番号が指定されている 「", Left(town_.G_TownKanji, town_.pK - 1), u"」の地域");
      });
      Trap(run_, [&] {
        values_.G_CommentKana =
            Concat(u"郵便番号が指定されている <", Left(town_.G_TownKana, town_.pR - 1), u"> の地域");
      });
    }
    ClearSiblings();
    ClearSubAreas();
    Emit();
  }

  // Case 4: "３丁目", or one record per number of "１～１９丁目"; then checkpoint case4.
  Flow NumberedSubAreas(size_t i, const Text& K) {
    if (!Contains(K, u"～")) {
      values_.G_OutSubKanji = K;
      values_.G_OutSubKana = SubKana(i);
      EmitInOrder();
    } else {
      long first = 0, last = 0;
      Trap(run_, [&] { first = LeadingDigits(K); });
      Trap(run_, [&] { last = LeadingDigits(Mid(K, InStr(K, u"～") + 1)); });
      bool within_limit = false;
      Trap(run_, [&] {
        CheckRangePlaces(first, last);
        within_limit = true;
      });
      for (long n = first; within_limit && n <= last; ++n) {
        values_.G_OutSubKanji = Concat(FullWidthDecimal(n), T_);
        Trap(run_, [&] { values_.G_OutSubKana = Concat(Decimal(n), Item(town_.G_PartTailsKana, i)); });
        Emit();
      }
    }
    return Consult(Checkpoint::kCase4, i) == Flow::kReturn ? Flow::kReturn : Flow::kNextPart;
  }

  // Case 5 (checkpoint F2 first): "地階・階層不明", or one record per piece of "Ａ・Ｂ".
  Flow DottedList(size_t i, const Text& K) {
    if (Flow f = Consult(Checkpoint::kF2, i); f != Flow::kNextCase) return f;
    if (Left(K, 7) == u"地階・階層不明") {
      ClearSubAreas();
      values_.G_CommentKanji = u"（階層不明）";
      values_.G_CommentKana = u"(ｶｲｿｳﾌﾒｲ)";
      Emit();
      values_.G_OutSubKanji = u"（地階）";
      values_.G_OutSubKana = u"(ﾁｶｲ)";
      ClearComments();
      Emit();
      ClearSiblings();
      return Flow::kNextPart;
    }
    ReadKana(i);
    std::vector<Text> kanji_pieces = Split(K, u"・");
    std::vector<Text> kana_pieces = Split(R_, Contains(R_, u"･") ? u"･" : u".");
    for (size_t j = 0; j < kanji_pieces.size(); ++j) {
      values_.G_OutSubKanji = kanji_pieces[j];
      Trap(run_, [&] { values_.G_OutSubKana = Item(kana_pieces, j); });
      Emit();
    }
    return Flow::kNextPart;
  }

  // Case 6.
  void SingleBanchiRange() {
    ClearSubAreas();
    values_.G_CommentTailKanji.clear();
    values_.G_CommentTailKana.clear();
    Trap(run_, [&] { values_.G_CommentKanji = Between(town_.G_TownKanji, u"（", u"）"); });
    Trap(run_, [&] { values_.G_CommentKana = Between(town_.G_TownKana, u"(", u")"); });
    Emit();
    ClearComments();
    ClearSiblings();
  }

  // Case 7 (checkpoint F3 before a range).
  Flow Banchi(size_t i, const Text& K) {
    if (!Contains(K, u"～")) {
      values_.G_OutSubKanji = K;
      ReadKana(i);
      values_.G_OutSubKana = R_;
      Emit();
      return Flow::kNextPart;
    }
    if (Flow f = Consult(Checkpoint::kF3, i); f != Flow::kNextCase) return f;
    ClearSubAreas();
    values_.G_CommentKanji = town_.G_SiblingsKanji;
    values_.G_CommentKana = town_.G_SiblingsKana;
    Emit();
    return Flow::kNextPart;
  }

  bool IsChiwariArea() const {
    const Text& old_code = rec_[kOldCode];
    return old_code == u"02879" || old_code == u"02955" || !town_.area_place.empty();
  }

  // The text of the first quoted pair becomes the comment; then every pair
  // is cut out of the part. ex. "第４０地割「５７番地１２５を除く」～第４５地割"
  void TakeQuotes(Text& part, TextView open, TextView close, Text& comment) {
    if (!Contains(part, open)) return;
    Trap(run_, [&] {
      long from = InStr(part, open);
      long to = InStr(from + 1, part, close);
      comment = Mid(part, from + 1, to - from - 1);
    });
    while (true) {
      long from = InStr(part, open);
      if (from == 0) return;
      long to = InStr(from + 1, part, close);
      if (to == 0) return;
      part = Concat(Left(part, from - 1), Mid(part, to + 1));
    }
  }

  // Each piece of a range is its own operation: a piece that cannot be read
  // is reported and keeps its value. The numbers come from the kanji; of the
  // kana only the prefix and suffix are read.
  NumberRange ReadRange(const Text& text, TextView mark, bool with_numbers) {
    NumberRange range;
    Text before;
    Trap(run_, [&] { before = Left(text, InStr(text, mark) - 1); });
    size_t digit = 0;
    while (digit < before.size() && !IsDigit(before[digit])) ++digit;
    range.prefix = before.substr(0, digit);
    size_t after_digits = digit;
    while (after_digits < before.size() && IsDigit(before[after_digits])) ++after_digits;
    range.suffix = before.substr(after_digits);
    if (!with_numbers) return range;
    Trap(run_, [&] { range.first = LeadingDigits(TextView(before).substr(digit)); });
    Trap(run_, [&] {
      TextView after = Mid(text, InStr(text, mark) + 1);
      size_t from = 0;
      while (from < after.size() && !IsDigit(after[from])) ++from;
      range.last = LeadingDigits(after.substr(from));
    });
    return range;
  }

  // Case 9.
  void ChiwariArea(size_t i, const Text& K) {
    Text kanji = K;
    ReadKana(i);
    Text kana = R_;
    TakeQuotes(kanji, u"「", u"」", values_.G_CommentKanji);
    TakeQuotes(kana, u"<", u">", values_.G_CommentKana);
    const bool in_part = T_ == u"地割";
    const Text range_kanji = in_part ? kanji : values_.G_OutTownKanji;
    const Text range_kana = in_part ? kana : values_.G_OutTownKana;
    if (!Contains(range_kanji, u"～")) {
      values_.G_OutTownKanji = kanji;
      values_.G_OutTownKana = kana;
      Emit();
      return;
    }
    NumberRange range = ReadRange(range_kanji, u"～", true);
    NumberRange range_of_kana = ReadRange(range_kana, u"-", false);
    // A place the correction named (the range leaves out its town name);
    // the reading gets the place's reading, so that it reads as its kanji does.
    range.prefix.insert(0, town_.area_place);
    range_of_kana.prefix.insert(0, town_.area_place_kana);
    bool within_limit = false;
    Trap(run_, [&] {
      CheckRangePlaces(range.first, range.last);
      within_limit = true;
    });
    for (long n = range.first; within_limit && n <= range.last; ++n) {
      values_.G_OutTownKanji = Concat(range.prefix, FullWidthDecimal(n), range.suffix);
      values_.G_OutTownKana = Concat(range_of_kana.prefix, Decimal(n), range_of_kana.suffix);
      ClearSubAreas();
      Emit();
      ClearComments();
    }
  }

  // Case 11 (checkpoint case11 first): "３丁目以上" has the sub-area "３丁目" and itself as comment.
  Flow AtLeastOrBelow(size_t i, const Text& K) {
    Flow f = Consult(Checkpoint::kCase11, i);
    if (f != Flow::kNextCase) return f;
    if (long p = InStr(K, u"丁目"); p > 0) {
      values_.G_OutSubKanji = Left(K, p + 1);
      values_.G_CommentKanji = K;
    } else {
      values_.G_OutSubKanji = K;
    }
    ReadKana(i);
    if (long q = InStr(R_, u"ﾁｮｳﾒ"); q > 0) {
      values_.G_OutSubKana = Left(R_, q + 3);
      values_.G_CommentKana = R_;
    } else {
      values_.G_OutSubKana = R_;
    }
    Emit();
    ClearComments();
    return Flow::kNextPart;
  }

  ConvertContext& ctx_;
  const ZipRecord& rec_;
  EmissionValues& values_;
  TownAreaState& town_;
  const LastRecord& last_;
  const RunEnvironment& run_;
  RecordEmitter& emitter_;
  const Corrections& corrections_;
  const Text code_;
  Text R_;  // the kana part last read
  Text T_;  // the kanji tail of the current part
};

}  // namespace

void RunPartLoop(ConvertContext& ctx, RecordEmitter& emitter, const Corrections& corrections) {
  PartLoop(ctx, emitter, corrections).Run();
}

}  // namespace tessivar::town_area
