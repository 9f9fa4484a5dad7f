// Siblings and the exclusion tail, main names and parts: the steps that turn
// a town text such as "中央（１番地、３～５番地、その他）" into a main name
// ("中央") and a list of parts ("１番地", "３～５番地", "その他").
#include "convert/context/record_limits.h"
#include "convert/context/record_trap.h"
#include "convert/town_area/town_area_steps.h"

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
void UpdateSiblingsOf(Text& town, Text& siblings, Text& tail, const Script& script,
                      const RunEnvironment& run) {
  if (Contains(town, script.others)) {
    tail = script.excluded_tail;
    return;
  }
  tail.clear();
  if (EndsWith(town, script.open_range_end)) {
    siblings = town;
    town = LeadBeforeNumber(town, script.open);
  } else if (!siblings.empty()) {
    AppendSibling(siblings, TextView(&script.comma, 1), town, run);
  } else {
    siblings = town;
  }
}

// Text from pos+1 up to the character before the last one (the closing
// parenthesis); fails when pos is the last character or beyond.
Text Inner(const Text& text, long pos) { return Text(Mid(text, pos + 1, Len(text) - pos - 1)); }

std::vector<Text> SplitParts(const RunEnvironment& run, const Text& text, long pos, char16_t comma,
                             bool inner_allowed) {
  const TextView comma_text(&comma, 1);
  std::vector<Text> parts;
  if (InStr(pos + 1, text, comma_text) > 0) {
    Trap(run, [&] { parts = Split(Inner(text, pos), comma_text); });
    return parts;
  }
  Text inner;
  // A town cut before its open range ("大前（細原２２５９～）" -> "大前") has
  // no bracket left to take: the one part is the cut text, no failure.
  if (pos >= Len(text)) inner_allowed = false;
  if (inner_allowed) Trap(run, [&] { inner = Inner(text, pos); });
  parts.push_back(!inner.empty() ? inner : text);
  return parts;
}

}  // namespace

void AppendSibling(Text& siblings, TextView comma, TextView town, const RunEnvironment& run) {
  if (siblings.size() + comma.size() + town.size() > kMaxTownLength) {
    Report(run, "同じ町域名の町域の一覧が " + std::to_string(kMaxTownLength) +
                    " 文字を超えるため、この町域は一覧に加えません。");
    return;
  }
  siblings += comma;
  siblings += town;
}

void UpdateSiblingsAndTail(TownAreaState& town, EmissionValues& values, const RunEnvironment& run) {
  const long pK = town.pK;
  if (pK > 1 && Left(town.G_TownKanji, pK - 1) != Left(town.G_SiblingsKanji, pK - 1)) {
    // A new main name begins.
    town.G_SiblingsKanji.clear();
    town.G_SiblingsKana.clear();
    values.G_CommentKanji.clear();
    values.G_CommentKana.clear();
  }
  UpdateSiblingsOf(town.G_TownKanji, town.G_SiblingsKanji, values.G_CommentTailKanji, kKanji, run);
  UpdateSiblingsOf(town.G_TownKana, town.G_SiblingsKana, values.G_CommentTailKana, kKana, run);
}

void BuildMainNames(const TownAreaState& town, EmissionValues& values, const RunEnvironment& run) {
  // A floor of a building stays part of the name: "ＡＢタワー（１階）".
  if (Contains(town.G_TownKanji, u"階）"))
    values.G_OutTownKanji = town.G_TownKanji;
  else
    Trap(run, [&] { values.G_OutTownKanji = Left(town.G_TownKanji, town.pK - 1); });
  // The reading of a floor stays whole only with a floor in the kanji too:
  // "ｶｲ)" alone also ends readings such as "ﾔﾏﾉﾒ(ｻｶｲ)" (山目（境）).
  const bool floor = Contains(town.G_TownKana, u"ｶｲ)") && Contains(town.G_TownKanji, u"階）");
  if (town.pR == 0 || floor)
    values.G_OutTownKana = town.G_TownKana;
  else
    Trap(run, [&] { values.G_OutTownKana = Left(town.G_TownKana, town.pR - 1); });
}

void BuildParts(TownAreaState& town, const RunEnvironment& run) {
  // A list that cannot be split keeps its previous value, as every failed
  // operation does; the tail lists always match the parts lists in size.
  std::vector<Text> kanji = SplitParts(run, town.G_TownKanji, town.pK, kKanji.comma, true);
  if (!kanji.empty()) town.G_PartsKanji = std::move(kanji);
  std::vector<Text> kana = SplitParts(run, town.G_TownKana, town.pR, kKana.comma, town.pR > 0);
  if (!kana.empty()) town.G_PartsKana = std::move(kana);
  town.G_PartTailsKanji.assign(town.G_PartsKanji.size(), Text());
  town.G_PartTailsKana.assign(town.G_PartsKana.size(), Text());
}

}  // namespace tessivar::town_area
