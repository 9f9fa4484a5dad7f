#pragma once
// The town-area corrections: entries of tables/town_corrections.tsv, each
// tested at one checkpoint of the town-area rules for one postal code and
// the wording of the record it was made for. A matching entry replaces what
// the general rules would do at that point.
//
// ex. checkpoint A, 3812241 "青木島町青木島乙": two records, 青木島町青木島乙９５６番地 and
//     青木島町青木島乙 with the comment 乙９５６番地を除く.
#include <optional>

#include "convert/context/convert_context.h"
#include "convert/context/emit_interface.h"
#include "convert/corrections/corrections.h"

namespace tessivar {

using correction::Checkpoint;
using correction::End;

// The table built into the program.
const Corrections& ShippedTownCorrections();

// Tests the checkpoint for the record (and, in the part loop, the part at
// hand): a matching alternative runs its steps on the town-area rules'
// values and lists, and its end is returned; none when nothing matched. An
// alternative that emits starts from cleared sub-areas, comments and tails
// and clears them again after its records, so nothing of it reaches a later
// record.
std::optional<End> ConsultCorrections(const Corrections& corrections, Checkpoint at, ConvertContext& ctx,
                                      RecordEmitter& emitter,
                                      std::optional<size_t> part_at_hand = std::nullopt);

}  // namespace tessivar
