// The part loop: every part of a parenthesised list becomes one or more
// records, by the first of fifteen cases that applies, in this order. The
// correction table is consulted at F1 to F6 and by the code rules of cases
// 4, 11 and 12.
#include <algorithm>

#include "convert/town_area_steps.h"
#include "convert/town_kyoto_codes.h"
#include "dialogs/trap.h"

namespace tessivar::town_area {

namespace {

enum class Flow { kNextPart, kReturn, kNextCase };

// A checkpoint that is a case of its own: without a match (or when the
// entry lets the general rules go on) the next case is tried.
Flow FlowOf(std::optional<CorrectionEnd> end) {
  if (end == CorrectionEnd::kReturn) return Flow::kReturn;
  if (end == CorrectionEnd::kNextPart) return Flow::kNextPart;
  return Flow::kNextCase;
}

// The number formed by the digits (either width) at the start of s.
// No digit there is the "type mismatch" of a number conversion.
long LeadingDigits(TextView s) {
  long n = 0;
  size_t count = 0;
  while (count < s.size() && IsDigit(s[count])) {
    if (count == 9) throw TypeMismatch();  // beyond any number of a town text
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

// The town names that the 地割 ranges of two codes leave out. The reading
// gets the place's reading in front too, so that it reads as its kanji does.
struct PlaceName {
  TextView code, kanji, kana;
};
constexpr PlaceName kRangePlaces[] = {{u"0285102", u"葛巻", u"ｸｽﾞﾏｷ"}, {u"0282402", u"川井", u"ｶﾜｲ"}};

class PartLoop {
 public:
  PartLoop(ConvertContext& ctx, const TownCorrections& corrections)
      : ctx_(ctx), corrections_(corrections), code_(ctx.reader.ZipRec[kPostalCode]) {}

  void Run() {
    for (size_t i = 0; i < ctx_.town.G_PartsKanji.size(); ++i) {
      if (RunCases(i) == Flow::kReturn) return;
    }
  }

 private:
  Flow RunCases(size_t i) {
    const Text K = ctx_.town.G_PartsKanji[i];
    TrapErrors(ctx_.run.dialogs, [&] { T_ = Item(ctx_.town.G_PartTailsKanji, i); });

    // 1. Checkpoint F1.
    if (Flow f = Consult(Checkpoint::kF1, K); f != Flow::kNextCase) return f;
    // 2. Lists that are a note as a whole.
    if (IsNoteList(ctx_.town.G_TownKanji)) {
      ctx_.values.G_CommentKanji = K;
      ReadKana(i);
      ctx_.values.G_CommentKana = R_;
      Emit(ctx_);
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
    if (T_ == u"番地" && Contains(K, u"～") && ctx_.town.G_PartsKanji.size() == 1) {
      SingleBanchiRange();
      return Flow::kNextPart;
    }
    // 7. 番地.
    if (T_ == u"番地") return Banchi(i, K);
    // 8. Checkpoint F4.
    if (Flow f = Consult(Checkpoint::kF4, K); f != Flow::kNextCase) return f;
    // 9. 地割 areas.
    if (IsChiwariArea()) {
      ChiwariArea(i, K);
      return Flow::kNextPart;
    }
    // 10. Checkpoint F5.
    if (Flow f = Consult(Checkpoint::kF5, K); f != Flow::kNextCase) return f;
    // 11. "以上" / "以下".
    if (Len(K) > 2 && (EndsWith(K, u"以上") || EndsWith(K, u"以下"))) return AtLeastOrBelow(i, K);
    // 12. "番": code rules only.
    if (Len(K) > 1 && EndsWith(K, u"番")) {
      if (Flow f = Consult(Checkpoint::kCase12, K); f != Flow::kNextCase) return f;
    }
    // 13. A floor: already part of the main name.
    if (Len(K) > 1 && EndsWith(K, u"階")) {
      ClearSubAreas();
      Emit(ctx_);
      ClearComments();
      ClearSiblings();
      return Flow::kNextPart;
    }
    // 14. Checkpoint F6.
    if (Flow f = Consult(Checkpoint::kF6, K); f != Flow::kNextCase) return f;
    // 15. Otherwise the part is the sub-area.
    ctx_.values.G_OutSubKanji = K;
    ctx_.values.G_OutSubKana = SubKana(i);
    EmitInOrder();
    return Flow::kNextPart;
  }

  Flow Consult(Checkpoint checkpoint, TextView part) {
    return FlowOf(ConsultCorrections(ctx_, corrections_, checkpoint, part));
  }

  // R: the kana part with the kanji part's index. When the kana list is
  // shorter, the read fails and R keeps the kana part read before.
  void ReadKana(size_t i) {
    TrapErrors(ctx_.run.dialogs, [&] { R_ = Item(ctx_.town.G_PartsKana, i); });
  }

  // The sub kana of cases 4 and 15: the kana part with the same index, the
  // last one when the kana list is shorter, none without a kana "(".
  Text SubKana(size_t i) const {
    const auto& kana = ctx_.town.G_PartsKana;
    if (ctx_.town.pR == 0 || kana.empty()) return Text();
    return kana[std::min(i, kana.size() - 1)];
  }

  // Kyoto street codes write the sub-area in front of the main name.
  void EmitInOrder() {
    if (F_IsKyotoCode(code_) && ctx_.town.pK > 0)
      EmitSwapped(ctx_);
    else
      Emit(ctx_);
  }

  void ClearSubAreas() {
    ctx_.values.G_OutSubKanji.clear();
    ctx_.values.G_OutSubKana.clear();
  }
  void ClearComments() {
    ctx_.values.G_CommentKanji.clear();
    ctx_.values.G_CommentKana.clear();
  }
  void ClearSiblings() {
    ctx_.town.G_SiblingsKanji.clear();
    ctx_.town.G_SiblingsKana.clear();
  }

  static bool IsNoteList(TextView town) {
    TextView last4 = Right(town, 4);
    return last4 == u"（番地）" || last4 == u"（大字）" || last4 == u"（丁目）" ||
           Right(town, 9) == u"（次のビルを除く）";
  }

  // Case 3.
  void ExcludeOthers() {
    if (!ctx_.town.G_SiblingsKanji.empty()) {
      ctx_.values.G_CommentKanji = ctx_.town.G_SiblingsKanji;
      ctx_.values.G_CommentKana = ctx_.town.G_SiblingsKana;
    } else if (code_ == u"6060067") {
      // The whole town is the note, kept as written.
      ctx_.values.G_CommentKanji = ctx_.town.G_TownKanji;
      ctx_.values.G_CommentTailKanji = u"notCompless";
      ctx_.values.G_CommentKana = ctx_.town.G_TownKana;
      ctx_.values.G_CommentTailKana = u"notCompless";
    } else if (ctx_.values.G_OutTownKanji == ctx_.last.G_LastTownKanji) {
      ctx_.values.G_CommentKanji = ctx_.last.G_LastCommentKanji;
      ctx_.values.G_CommentKana = ctx_.last.G_LastCommentKana;
    } else {
      TrapErrors(ctx_.run.dialogs, [&] {
        ctx_.values.G_CommentKanji = Concat(u"郵便番号が指定されている 「",
                                            Left(ctx_.town.G_TownKanji, ctx_.town.pK - 1), u"」の地域");
      });
      TrapErrors(ctx_.run.dialogs, [&] {
        ctx_.values.G_CommentKana =
            Concat(u"郵便番号が指定されている <", Left(ctx_.town.G_TownKana, ctx_.town.pR - 1), u"> の地域");
      });
    }
    ClearSiblings();
    ClearSubAreas();
    Emit(ctx_);
  }

  // Case 4: "３丁目", or one record per number of "１～１９丁目".
  Flow NumberedSubAreas(size_t i, const Text& K) {
    if (!Contains(K, u"～")) {
      ctx_.values.G_OutSubKanji = K;
      ctx_.values.G_OutSubKana = SubKana(i);
      EmitInOrder();
    } else {
      long first = 0, last = 0;
      TrapErrors(ctx_.run.dialogs, [&] { first = LeadingDigits(K); });
      TrapErrors(ctx_.run.dialogs, [&] { last = LeadingDigits(Mid(K, InStr(K, u"～") + 1)); });
      for (long n = first; n <= last; ++n) {
        ctx_.values.G_OutSubKanji = Concat(FullWidthDecimal(n), T_);
        TrapErrors(ctx_.run.dialogs, [&] {
          ctx_.values.G_OutSubKana = Concat(Decimal(n), Item(ctx_.town.G_PartTailsKana, i));
        });
        Emit(ctx_);
      }
    }
    return Consult(Checkpoint::kCase4, K) == Flow::kReturn ? Flow::kReturn : Flow::kNextPart;
  }

  // Case 5: "地階・階層不明", or one record per piece of "Ａ・Ｂ".
  Flow DottedList(size_t i, const Text& K) {
    if (Flow f = Consult(Checkpoint::kF2, K); f != Flow::kNextCase) return f;
    if (Left(K, 7) == u"地階・階層不明") {
      ClearSubAreas();
      ctx_.values.G_CommentKanji = u"（階層不明）";
      ctx_.values.G_CommentKana = u"(ｶｲｿｳﾌﾒｲ)";
      Emit(ctx_);
      ctx_.values.G_OutSubKanji = u"（地階）";
      ctx_.values.G_OutSubKana = u"(ﾁｶｲ)";
      ClearComments();
      Emit(ctx_);
      ClearSiblings();
      return Flow::kNextPart;
    }
    ReadKana(i);
    std::vector<Text> kanji_pieces = Split(K, u"・");
    std::vector<Text> kana_pieces = Split(R_, Contains(R_, u"･") ? u"･" : u".");
    for (size_t j = 0; j < kanji_pieces.size(); ++j) {
      ctx_.values.G_OutSubKanji = kanji_pieces[j];
      TrapErrors(ctx_.run.dialogs, [&] { ctx_.values.G_OutSubKana = Item(kana_pieces, j); });
      Emit(ctx_);
    }
    return Flow::kNextPart;
  }

  // Case 6.
  void SingleBanchiRange() {
    ClearSubAreas();
    ctx_.values.G_CommentTailKanji.clear();
    ctx_.values.G_CommentTailKana.clear();
    TrapErrors(ctx_.run.dialogs,
               [&] { ctx_.values.G_CommentKanji = Between(ctx_.town.G_TownKanji, u"（", u"）"); });
    TrapErrors(ctx_.run.dialogs,
               [&] { ctx_.values.G_CommentKana = Between(ctx_.town.G_TownKana, u"(", u")"); });
    Emit(ctx_);
    ClearComments();
    ClearSiblings();
  }

  // Case 7.
  Flow Banchi(size_t i, const Text& K) {
    if (!Contains(K, u"～")) {
      ctx_.values.G_OutSubKanji = K;
      ReadKana(i);
      ctx_.values.G_OutSubKana = R_;
      Emit(ctx_);
      return Flow::kNextPart;
    }
    if (Flow f = Consult(Checkpoint::kF3, K); f != Flow::kNextCase) return f;
    ClearSubAreas();
    ctx_.values.G_CommentKanji = ctx_.town.G_SiblingsKanji;
    ctx_.values.G_CommentKana = ctx_.town.G_SiblingsKana;
    Emit(ctx_);
    if (code_ == u"0580343") {
      ClearComments();
      return Flow::kReturn;
    }
    return Flow::kNextPart;
  }

  bool IsChiwariArea() const {
    const Text& old_code = ctx_.reader.ZipRec[kOldCode];
    return old_code == u"02879" || old_code == u"02955" || code_ == u"0285102" || code_ == u"0282402";
  }

  // The text of the first quoted pair becomes the comment; then every pair
  // is cut out of the part. ex. "第４０地割「５７番地１２５を除く」～第４５地割"
  void TakeQuotes(Text& part, TextView open, TextView close, Text& comment) {
    if (!Contains(part, open)) return;
    TrapErrors(ctx_.run.dialogs, [&] {
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
    TrapErrors(ctx_.run.dialogs, [&] { before = Left(text, InStr(text, mark) - 1); });
    size_t digit = 0;
    while (digit < before.size() && !IsDigit(before[digit])) ++digit;
    range.prefix = before.substr(0, digit);
    size_t after_digits = digit;
    while (after_digits < before.size() && IsDigit(before[after_digits])) ++after_digits;
    range.suffix = before.substr(after_digits);
    if (!with_numbers) return range;
    TrapErrors(ctx_.run.dialogs, [&] { range.first = LeadingDigits(TextView(before).substr(digit)); });
    TrapErrors(ctx_.run.dialogs, [&] {
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
    TakeQuotes(kanji, u"「", u"」", ctx_.values.G_CommentKanji);
    TakeQuotes(kana, u"<", u">", ctx_.values.G_CommentKana);
    const bool in_part = T_ == u"地割";
    const Text range_kanji = in_part ? kanji : ctx_.values.G_OutTownKanji;
    const Text range_kana = in_part ? kana : ctx_.values.G_OutTownKana;
    if (!Contains(range_kanji, u"～")) {
      ctx_.values.G_OutTownKanji = kanji;
      ctx_.values.G_OutTownKana = kana;
      Emit(ctx_);
      return;
    }
    NumberRange range = ReadRange(range_kanji, u"～", true);
    NumberRange range_of_kana = ReadRange(range_kana, u"-", false);
    for (const PlaceName& place : kRangePlaces) {
      if (code_ == place.code) {
        range.prefix.insert(0, place.kanji);
        range_of_kana.prefix.insert(0, place.kana);
      }
    }
    for (long n = range.first; n <= range.last; ++n) {
      ctx_.values.G_OutTownKanji = Concat(range.prefix, FullWidthDecimal(n), range.suffix);
      ctx_.values.G_OutTownKana = Concat(range_of_kana.prefix, Decimal(n), range_of_kana.suffix);
      ClearSubAreas();
      Emit(ctx_);
      ClearComments();
    }
  }

  // Case 11: "３丁目以上" has the sub-area "３丁目" and itself as comment.
  Flow AtLeastOrBelow(size_t i, const Text& K) {
    Flow f = Consult(Checkpoint::kCase11, K);
    if (f != Flow::kNextCase) return f;
    if (long p = InStr(K, u"丁目"); p > 0) {
      ctx_.values.G_OutSubKanji = Left(K, p + 1);
      ctx_.values.G_CommentKanji = K;
    } else {
      ctx_.values.G_OutSubKanji = K;
    }
    ReadKana(i);
    if (long q = InStr(R_, u"ﾁｮｳﾒ"); q > 0) {
      ctx_.values.G_OutSubKana = Left(R_, q + 3);
      ctx_.values.G_CommentKana = R_;
    } else {
      ctx_.values.G_OutSubKana = R_;
    }
    Emit(ctx_);
    ClearComments();
    return Flow::kNextPart;
  }

  ConvertContext& ctx_;
  const TownCorrections& corrections_;
  const Text code_;
  Text R_;  // the kana part last read
  Text T_;  // the kanji tail of the current part
};

}  // namespace

void RunPartLoop(ConvertContext& ctx, const TownCorrections& corrections) {
  PartLoop(ctx, corrections).Run();
}

}  // namespace tessivar::town_area
