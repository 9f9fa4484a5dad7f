#pragma once
// The steps of the town-area rules, one family per file, run in order by
// F_TownAreaEdit (town_area.cpp). Shared only inside the convert library and
// its tests.
#include <vector>

#include "convert/context/convert_context.h"
#include "convert/context/emit_interface.h"
#include "convert/town_area/town_corrections.h"

namespace tessivar::town_area {

// The punctuation one side of a town text is written with: the kanji side
// uses full-width marks, the kana side half-width ones.
struct Script {
  char16_t open;             // "（" / "("
  char16_t close;            // "）" / ")"
  char16_t comma;            // "、" / "､"
  char16_t quote_open;       // "「" / "<"
  char16_t quote_close;      // "」" / ">"
  char16_t protected_comma;  // stands for a comma inside quotes: "＠" / "@"
  TextView range_marks;      // marks skipped inside a number range: "－～" / "-"
  TextView at_least;         // "以上" / "ｲｼﾞｮｳ"
  TextView others;           // "（その他）" / "(ｿﾉﾀ)"
  TextView excluded_tail;    // "を除く" / "ｦﾉｿﾞｸ"
  TextView open_range_end;   // "～）" / "-)"
  bool is_kana;
};
extern const Script kKanji;
extern const Script kKana;

// A list entry, or the "index out of range" failure of the rules.
const Text& Item(const std::vector<Text>& list, size_t index);

// --- Siblings, main names and parts ---------------------------------------
// The sibling lists and the exclusion tail; may cut the working town copies.
void UpdateSiblingsAndTail(TownAreaState& town, EmissionValues& values, const RunEnvironment& run);
// Appends town to a sibling list after a comma. A real list stays far below
// kMaxTownLength, but records of one main name repeated without end would
// make it, and every comment taken from it, grow without bound: a town that
// would take the list beyond is reported and left out of it.
void AppendSibling(Text& siblings, TextView comma, TextView town, const RunEnvironment& run);
// G_OutTownKanji / G_OutTownKana from the working copies.
void BuildMainNames(const TownAreaState& town, EmissionValues& values, const RunEnvironment& run);
// G_PartsKanji / G_PartsKana and their empty tail lists.
void BuildParts(TownAreaState& town, const RunEnvironment& run);

// --- Propagation -----------------------------------------------------------
using correction::PrefixRule;
// A part like "２丁目１～３" lends "２丁目" to the parts after it ("５" becomes
// "２丁目５"); rule kOff is not for this function (no part takes a prefix).
void PropagatePrefixes(std::vector<Text>& parts, const Script& script, PrefixRule rule);
// A part's trailing word passes to the bare numbers before it ("３" before
// "５番地" becomes "３番地"); tails receives each part's trailing word.
void PropagateTails(std::vector<Text>& parts, std::vector<Text>& tails, const Script& script);

// --- The part loop -------------------------------------------------------------
// Turns every part into records; a correction may end the whole record.
void RunPartLoop(ConvertContext& ctx, RecordEmitter& emitter, const Corrections& corrections);

}  // namespace tessivar::town_area
