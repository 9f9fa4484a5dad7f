#pragma once
// The record emitter: every output record of a run passes through here and
// becomes one line of the word list or of the CSV text.
#include "convert/convert_context.h"

namespace tessivar {

// F_EmitRecord with the ten emission values passed by reference in their
// documented order; the emitter and the writers may rewrite all but cityKana.
void F_EmitRecord(ConvertContext& ctx, Text& cityKanji, Text& outTownKanji, Text& outSubKanji,
                  Text& commentKanji, Text& commentTailKanji, Text& cityKana, Text& outTownKana,
                  Text& outSubKana, Text& commentKana, Text& commentTailKana);

// The usual call: the ten G_ values of the context in their order.
void EmitRecord(ConvertContext& ctx);
// The swapped call of the Kyoto street codes: the sub-area text takes the
// place of the main name and the main name that of the sub-area.
void EmitRecordSwapped(ConvertContext& ctx);

}  // namespace tessivar
