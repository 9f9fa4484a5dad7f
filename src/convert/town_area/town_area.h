#pragma once
// The town-area rules: one address record (ZipRec) becomes zero or more output
// records, each a town main name, a sub-area and a comment in kanji and kana,
// handed to the record emitter.
#include "convert/context/convert_context.h"
#include "convert/context/emit_interface.h"
#include "convert/town_area/town_corrections.h"

namespace tessivar {

// F_TownAreaEdit with the shipped correction table.
void F_TownAreaEdit(ConvertContext& ctx, RecordEmitter& emitter);
// With a correction table of the caller's (tests pass tiny ones; the review
// counts what fires).
void F_TownAreaEdit(ConvertContext& ctx, RecordEmitter& emitter, const Corrections& corrections);

}  // namespace tessivar
