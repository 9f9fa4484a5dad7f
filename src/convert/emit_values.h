#pragma once
// The emission values: one output record as the rules describe it to the
// emitter (and the writers rewrite some of them as they write), and the last
// record the emitter wrote, which the town-area rules read back.
#include "convert/zip_record.h"

namespace tessivar {

// The ten values, in the order the documents of the rules list them.
struct EmissionValues {
  Text G_CityKanji;         // in front of the word: the city (empty for business offices)
  Text G_OutTownKanji;      // the main name
  Text G_OutSubKanji;       // the sub-area, written after the main name
  Text G_CommentKanji;      // the comment
  Text G_CommentTailKanji;  // appended to the comment: "", "を除く" or the keep marker
  Text G_CityKana;          // handed on with the record, never read
  Text G_OutTownKana;
  Text G_OutSubKana;
  Text G_CommentKana;
  Text G_CommentTailKana;
};

// The main name and comment of the last record written, as the writers left
// them; cleared at the start of every run.
struct LastRecord {
  Text G_LastTownKanji, G_LastTownKana, G_LastCommentKanji, G_LastCommentKana;
};

}  // namespace tessivar
