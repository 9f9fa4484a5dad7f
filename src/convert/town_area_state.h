#pragma once
// The town-area rules' own state. The working copies, the parts and the two
// positions belong to the record at hand; the sibling lists carry over from
// record to record, the duplicate flags over the whole run.
#include <array>
#include <vector>

#include "convert/zip_record.h"

namespace tessivar {

struct TownAreaState {
  Text G_TownKanji, G_TownKana;  // working copies of slots 8 and 5
  Text G_SiblingsKanji, G_SiblingsKana;
  std::vector<Text> G_PartsKanji, G_PartsKana;
  std::vector<Text> G_PartTailsKanji, G_PartTailsKana;
  std::array<bool, 3> G_DupSeen{};  // entries 1 and 2 are used
  long pK = 0;                      // position of "（" in G_TownKanji
  long pR = 0;                      // position of "(" in G_TownKana
};

}  // namespace tessivar
