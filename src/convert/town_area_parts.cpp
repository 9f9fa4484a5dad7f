// Siblings and the exclusion tail, main names and parts: the steps that turn
// a town text such as "中央（１番地、３～５番地、その他）" into a main name
// ("中央") and a list of parts ("１番地", "３～５番地", "その他").
#include "convert/town_area_steps.h"

namespace tessivar::town_area {

namespace {

// The leading characters before the first digit or opening parenthesis,
// looking at positions 1 to Len-2 only; the whole text when there is none.
// ex. "大前（細原２２５９～）" -> "大前"
Text LeadBeforeNumber(const Text& town, char16_t open) {
  for (long i = 0; i < Len(town) - 2; ++i) {
    if (IsDigit(town[i]) || town[i] == open) return town.substr(0, i);
  }
  return town;
}

// One side (kanji or kana) of the sibling rule.
void UpdateSiblingsOf(Text& town, Text& siblings, Text& tail, const Script& script) {
  if (Contains(town, script.others)) {
    tail = script.excluded_tail;
    return;
  }
  tail.clear();
  if (EndsWith(town, script.open_range_end)) {
    siblings = town;
    town = LeadBeforeNumber(town, script.open);
  } else if (!siblings.empty()) {
    siblings = Concat(siblings, TextView(&script.comma, 1), town);
  } else {
    siblings = town;
  }
}

// Text from pos+1 up to the character before the last one (the closing
// parenthesis); fails when pos is the last character or beyond.
Text Inner(const Text& text, long pos) { return Text(Mid(text, pos + 1, Len(text) - pos - 1)); }

std::vector<Text> SplitParts(ConvertContext& ctx, const Text& text, long pos, char16_t comma,
                             bool inner_allowed) {
  const TextView comma_text(&comma, 1);
  std::vector<Text> parts;
  if (InStr(pos + 1, text, comma_text) > 0) {
    Trap(ctx, [&] { parts = Split(Inner(text, pos), comma_text); });
    return parts;
  }
  Text inner;
  if (inner_allowed) Trap(ctx, [&] { inner = Inner(text, pos); });
  parts.push_back(!inner.empty() ? inner : text);
  return parts;
}

}  // namespace

void UpdateSiblingsAndTail(ConvertContext& ctx) {
  const long pK = ctx.pK;
  if (pK > 1 && Left(ctx.G_TownKanji, pK - 1) != Left(ctx.G_SiblingsKanji, pK - 1)) {
    // A new main name begins.
    ctx.G_SiblingsKanji.clear();
    ctx.G_SiblingsKana.clear();
    ctx.G_CommentKanji.clear();
    ctx.G_CommentKana.clear();
  }
  UpdateSiblingsOf(ctx.G_TownKanji, ctx.G_SiblingsKanji, ctx.G_CommentTailKanji, kKanji);
  UpdateSiblingsOf(ctx.G_TownKana, ctx.G_SiblingsKana, ctx.G_CommentTailKana, kKana);
}

void BuildMainNames(ConvertContext& ctx) {
  // A floor of a building stays part of the name: "ＡＢタワー（１階）".
  if (Contains(ctx.G_TownKanji, u"階）"))
    ctx.G_OutTownKanji = ctx.G_TownKanji;
  else
    Trap(ctx, [&] { ctx.G_OutTownKanji = Left(ctx.G_TownKanji, ctx.pK - 1); });
  // The reading of a floor stays whole only with a floor in the kanji too:
  // "ｶｲ)" alone also ends readings such as "ﾔﾏﾉﾒ(ｻｶｲ)" (山目（境）).
  const bool floor = Contains(ctx.G_TownKana, u"ｶｲ)") && Contains(ctx.G_TownKanji, u"階）");
  if (ctx.pR == 0 || floor)
    ctx.G_OutTownKana = ctx.G_TownKana;
  else
    Trap(ctx, [&] { ctx.G_OutTownKana = Left(ctx.G_TownKana, ctx.pR - 1); });
}

void BuildParts(ConvertContext& ctx) {
  // A list that cannot be split keeps its previous value, as every failed
  // operation does; the tail lists always match the parts lists in size.
  std::vector<Text> kanji = SplitParts(ctx, ctx.G_TownKanji, ctx.pK, kKanji.comma, true);
  if (!kanji.empty()) ctx.G_PartsKanji = std::move(kanji);
  std::vector<Text> kana = SplitParts(ctx, ctx.G_TownKana, ctx.pR, kKana.comma, ctx.pR > 0);
  if (!kana.empty()) ctx.G_PartsKana = std::move(kana);
  ctx.G_PartTailsKanji.assign(ctx.G_PartsKanji.size(), Text());
  ctx.G_PartTailsKana.assign(ctx.G_PartsKana.size(), Text());
}

}  // namespace tessivar::town_area
