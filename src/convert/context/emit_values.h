#pragma once
// The emission values: one output record as the rules describe it to the
// emitter, and the last record the emitter wrote, which the town-area rules
// read back.
#include "convert/context/zip_record.h"

namespace tessivar {

// The ten values: city, main name, sub-area, comment and comment tail, in
// kanji and then in kana.
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
  // The word list writes the floor number of the main name half width
  // ("（10階）"), and does not shorten the word; set by a correction.
  bool narrow_floor_number = false;
};

// Which text a record's word and town field begin with: the main name (the
// usual order) or the sub-area (the Kyoto street codes).
enum class EmitOrder { kMainFirst, kSubFirst };

// The main name and the sub-area of one side (kanji or kana) in the order a
// record writes them.
struct TownTexts {
  Text& first;
  Text& second;
};
inline TownTexts KanjiInOrder(EmissionValues& values, EmitOrder order) {
  if (order == EmitOrder::kSubFirst) return {values.G_OutSubKanji, values.G_OutTownKanji};
  return {values.G_OutTownKanji, values.G_OutSubKanji};
}
inline TownTexts KanaInOrder(EmissionValues& values, EmitOrder order) {
  if (order == EmitOrder::kSubFirst) return {values.G_OutSubKana, values.G_OutTownKana};
  return {values.G_OutTownKana, values.G_OutSubKana};
}
struct ConstTownTexts {
  const Text& first;
  const Text& second;
};
inline ConstTownTexts KanjiInOrder(const EmissionValues& values, EmitOrder order) {
  if (order == EmitOrder::kSubFirst) return {values.G_OutSubKanji, values.G_OutTownKanji};
  return {values.G_OutTownKanji, values.G_OutSubKanji};
}
inline ConstTownTexts KanaInOrder(const EmissionValues& values, EmitOrder order) {
  if (order == EmitOrder::kSubFirst) return {values.G_OutSubKana, values.G_OutTownKana};
  return {values.G_OutTownKana, values.G_OutSubKana};
}

// The main name and comment of the last record written, as the line writer
// wrote them; cleared at the start of every run.
struct LastRecord {
  Text G_LastTownKanji, G_LastTownKana, G_LastCommentKanji, G_LastCommentKana;
};

}  // namespace tessivar
