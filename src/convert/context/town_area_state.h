#pragma once
// The town-area rules' own state. The working copies, the parts, the two
// positions and what the corrections switched belong to the record at hand;
// the sibling lists carry over from record to record, the entries that let a
// word-list record through over the whole run.
#include <cstdint>
#include <set>
#include <vector>

#include "convert/context/correction_schema.h"
#include "convert/context/zip_record.h"

namespace tessivar {

struct TownAreaState {
  Text G_TownKanji, G_TownKana;  // working copies of slots 8 and 5
  Text G_SiblingsKanji, G_SiblingsKana;
  std::vector<Text> G_PartsKanji, G_PartsKana;
  std::vector<Text> G_PartTailsKanji, G_PartTailsKana;
  long pK = 0;  // position of "（" in G_TownKanji
  long pR = 0;  // position of "(" in G_TownKana
  // Set by the corrections for this record: how prefixes pass through its
  // parts, and the place its 地割 ranges are written with (empty: none).
  correction::PrefixRule prefix_rule = correction::PrefixRule::kUsual;
  Text area_place, area_place_kana;
  // The word_list_once entries (by index) that have let a record through.
  std::set<uint16_t> once_entries_run;
};

}  // namespace tessivar
