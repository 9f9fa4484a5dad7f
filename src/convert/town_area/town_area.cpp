// F_TownAreaEdit: the town-area rules in their fixed order. Steps that need
// more than a few lines live in town_area_parts.cpp (siblings, main names,
// parts), town_area_propagation.cpp and town_area_part_loop.cpp; the
// correction table is consulted at the checkpoints A to E.
//
// Every operation that can fail on real data runs under Trap: the failure is
// reported with where its record came from, the operation's target keeps its
// value and the rules go on.
#include "convert/town_area/town_area.h"

#include "convert/town_area/town_area_steps.h"

namespace tessivar {

namespace town_area {

const Script kKanji{u'（',   u'）',   u'、',         u'「',     u'」',   u'＠',
                    u"－～", u"以上", u"（その他）", u"を除く", u"～）", false};
const Script kKana{u'(', u')', u'､', u'<', u'>', u'@', u"-", u"ｲｼﾞｮｳ", u"(ｿﾉﾀ)", u"ｦﾉｿﾞｸ", u"-)", true};

const Text& Item(const std::vector<Text>& list, size_t index) {
  if (index >= list.size()) throw IndexOutOfRange();
  return list[index];
}

}  // namespace town_area

namespace {

using namespace town_area;

// "○市　△△区" and "○郡　△△町" with the blank option; else the city as read.
void SetCityName(ConvertContext& ctx) {
  const Text& city = ctx.reader.ZipRec[kCityKanji];
  ctx.values.G_CityKana = ctx.reader.ZipRec[kCityKana];
  if (!ctx.run.options.with_blank) {
    ctx.values.G_CityKanji = city;
    return;
  }
  ctx.values.G_CityKanji = Concat(city, u"　");
  long split = 0;
  if (EndsWith(city, u"区"))
    split = InStr(2, city, u"市");
  else if (EndsWith(city, u"町") || EndsWith(city, u"村"))
    split = InStr(2, city, u"郡");
  if (split > 0) ctx.values.G_CityKanji = Concat(Left(city, split), u"　", Mid(city, split + 1));
}

// "…の次に番地がくる場合" also comes with the numbers in it: "小菅村の次に１～６６３番地がくる場合".
bool IsWholeAreaNote(TextView town) {
  return town == u"以下に掲載がない場合" || Right(town, 10) == u"の次に番地がくる場合" ||
         Right(town, 2) == u"一円" || (Contains(town, u"の次に") && EndsWith(town, u"がくる場合"));
}

void EmitWholeAreaNote(const TownAreaState& town, EmissionValues& values, RecordEmitter& emitter) {
  values.G_CommentKanji = town.G_TownKanji;
  values.G_CommentKana = town.G_TownKana;
  for (Text* cleared : {&values.G_CommentTailKanji, &values.G_CommentTailKana, &values.G_OutTownKanji,
                        &values.G_OutTownKana}) {
    cleared->clear();
  }
  emitter.Emit(values);
  values.G_CommentKanji.clear();
  values.G_CommentKana.clear();
}

// Inside every quoted pair the list comma becomes an at sign of the same
// width, so that the quoted list stays one part; the emitter turns it back.
// ex. "（今熊「２１３、２４０」）" -> "（今熊「２１３＠２４０」）"
void ProtectQuotedCommas(Text& text, const Script& script) {
  size_t from = 0;
  while (true) {
    size_t opening = text.find(script.quote_open, from);
    if (opening == Text::npos) return;
    size_t closing = text.find(script.quote_close, opening + 1);
    if (closing == Text::npos) return;
    for (size_t i = opening + 1; i < closing; ++i) {
      if (text[i] == script.comma) text[i] = script.protected_comma;
    }
    if (closing + 1 == text.size()) return;
    from = closing + 1;
  }
}

void EmitPlainTown(const TownAreaState& town, EmissionValues& values, RecordEmitter& emitter) {
  values.G_OutTownKanji = town.G_TownKanji;
  values.G_OutTownKana = town.G_TownKana;
  values.G_OutSubKanji.clear();
  values.G_OutSubKana.clear();
  values.G_CommentKanji.clear();
  values.G_CommentKana.clear();
  emitter.Emit(values);
}

}  // namespace

void F_TownAreaEdit(ConvertContext& ctx, RecordEmitter& emitter) {
  F_TownAreaEdit(ctx, emitter, ShippedTownCorrections());
}

void F_TownAreaEdit(ConvertContext& ctx, RecordEmitter& emitter, const Corrections& corrections) {
  const auto& rec = ctx.reader.ZipRec;
  // A checkpoint whose entry ends the record.
  auto finished_at = [&](Checkpoint checkpoint) {
    return ConsultCorrections(corrections, checkpoint, ctx, emitter) == End::kReturn;
  };

  // 1. What the corrections switch belongs to one record.
  ctx.town.prefix_rule = PrefixRule::kUsual;
  ctx.town.area_place.clear();
  ctx.town.area_place_kana.clear();
  ctx.values.narrow_floor_number = false;

  // 2. City name.
  SetCityName(ctx);

  // 3. Working copies.
  ctx.town.G_TownKanji = rec[kTownKanji];
  ctx.town.G_TownKana = rec[kTownKana];
  ctx.values.G_OutSubKanji.clear();
  ctx.values.G_OutSubKana.clear();
  // A comment belongs to the record it was set for: "三ツ木（大字）" must not
  // lend its "大字" to the words of "三ツ木（１～５丁目）" that follow.
  ctx.values.G_CommentKanji.clear();
  ctx.values.G_CommentKana.clear();

  // 4. Whole-area notes.
  if (IsWholeAreaNote(ctx.town.G_TownKanji)) {
    EmitWholeAreaNote(ctx.town, ctx.values, emitter);
    return;
  }

  // 5. Positions and protected commas.
  ctx.town.pK = InStr(ctx.town.G_TownKanji, u"（");
  ctx.town.pR = InStr(ctx.town.G_TownKana, u"(");
  if (ctx.town.pK > 0 && Contains(ctx.town.G_TownKanji, u"「")) {
    ProtectQuotedCommas(ctx.town.G_TownKanji, kKanji);
    ProtectQuotedCommas(ctx.town.G_TownKana, kKana);
  }

  // 6. Checkpoint A: whole-record corrections (and the word list's repeats).
  if (finished_at(Checkpoint::kA)) return;

  // 7. Plain towns.
  const bool old_area_02955 = rec[kOldCode] == u"02955";
  if (!old_area_02955 && !Contains(ctx.town.G_TownKanji, u"（")) {
    EmitPlainTown(ctx.town, ctx.values, emitter);
    return;
  }

  // 8. Checkpoint B.
  if (finished_at(Checkpoint::kB)) return;

  // 9. The old-code area "02955": a list with an empty main name.
  if (old_area_02955) {
    ctx.town.G_TownKanji = Concat(u"（", ctx.town.G_TownKanji, u"）");
    ctx.town.G_TownKana = Concat(u"(", ctx.town.G_TownKana, u")");
    ctx.town.pK = 1;
    ctx.town.pR = 1;
  }

  // 10.-12. Siblings and the exclusion tail, main names, parts.
  UpdateSiblingsAndTail(ctx.town, ctx.values, ctx.run);
  BuildMainNames(ctx.town, ctx.values, ctx.run);
  BuildParts(ctx.town, ctx.run);

  // 13. Checkpoint C.
  if (finished_at(Checkpoint::kC)) return;

  // 14. Prefix propagation, as checkpoint C may have switched it.
  if (ctx.town.prefix_rule != PrefixRule::kOff) {
    PropagatePrefixes(ctx.town.G_PartsKanji, kKanji, ctx.town.prefix_rule);
    PropagatePrefixes(ctx.town.G_PartsKana, kKana, ctx.town.prefix_rule);
  }

  // 15. Checkpoint D.
  if (finished_at(Checkpoint::kD)) return;

  // 16. Tail propagation.
  PropagateTails(ctx.town.G_PartsKanji, ctx.town.G_PartTailsKanji, kKanji);
  PropagateTails(ctx.town.G_PartsKana, ctx.town.G_PartTailsKana, kKana);

  // 17. Checkpoint E.
  if (finished_at(Checkpoint::kE)) return;

  // 18. The part loop.
  RunPartLoop(ctx, emitter, corrections);
}

}  // namespace tessivar
