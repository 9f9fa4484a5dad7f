#pragma once
// What makes the words of an address record irregular: what the town-area
// rules should have taken out of a word (brackets, quote marks, list marks,
// an exclusion), a range they left unexpanded, an empty word, a word over
// the length limit. The rules are documented in src/convert/tables/README.md.
#include <string>
#include <vector>

#include "convert/context/zip_record.h"

namespace tessivar::review {

// Which ranges "～" count: all of them, or all but the lot-number ranges kept
// on purpose ("中町５１１５～５１４９", "４丁目１～１４番", "２７９の３～５番地").
enum class Ranges { kAll, kButLotNumbers };

// The irregularities of one word-list word (city, town and sub-area, as the
// review writes the word list); none when it is regular.
std::vector<std::string> WordIrregularities(TextView word, Ranges ranges);

// Of a word that is no address alone (a business office's, whose name
// Japan Post writes with brackets and marks): its length only.
std::vector<std::string> LengthIrregularities(TextView word);

// The irregularities of a CSV line's town (kanji) and its reading; an empty
// town is no fault there (a whole-area note is a comment).
std::vector<std::string> TownIrregularities(TextView town, Ranges ranges);
std::vector<std::string> ReadingIrregularities(TextView reading);

// The limit of a word-list word: 30 full-width characters, 60 bytes of code
// page 932 (a half-width character counts one byte).
inline constexpr long kMaxWordBytes = 60;
long Cp932Bytes(TextView text);

}  // namespace tessivar::review
