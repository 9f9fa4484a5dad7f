#pragma once
// Shortening of word-list entries, run by the emitter for every record of a
// word-list run when the business-office file is present: post-office-box
// and port-office notes move into the comment, then, while the entry is
// longer than 30 characters, legal-entity forms are abbreviated, the text is
// narrowed and building details move into the comment.
#include "convert/context/emit_values.h"
#include "convert/context/zip_record.h"

namespace tessivar {

// Works on G_OutTownKanji, G_OutSubKanji and G_CommentKanji (reading
// G_CityKanji) and on ZipRec slots 8, 9 and 16. A failing text operation
// propagates to the caller.
void F_ShortenWord(EmissionValues& values, ZipRecord& rec);

// The entry length the word list allows, and the length of the entry as it
// stands: city, town, sub-area, business-office name and the blank between
// address and name.
inline constexpr long kMaxWordLength = 30;
long WordLength(const EmissionValues& values, const ZipRecord& rec);

}  // namespace tessivar
