#pragma once
// The rules by which Mozc's dictionary tool ("Import as new dictionary",
// Debian 12's mozc-utils-gui 2.28) takes a word list in the Microsoft IME text
// format, applied to every line of a word list:
//   - a first line "!Microsoft IME ..." names the format; lines beginning
//     with "!" and empty lines are skipped;
//   - an entry is reading, TAB, word, TAB, part of speech [, TAB, comment]:
//     a line of fewer fields is ignored, fields after the fourth are lost;
//   - the part of speech must be one Mozc maps ("地名その他" becomes 地名);
//   - the reading may hold only ASCII 0x21-0x7E and hiragana, the word must
//     not be empty; reading, word and comment at most 300 bytes of UTF-8;
//   - an entry with the reading, word and part of speech of one already
//     taken is dropped without a word (the comment is not compared);
//   - a dictionary holds at most 1,000,000 entries; the import stops there.
// Here a reading must be plain ASCII (the hiragana Mozc would also take are
// not what Tessivar writes).
#include <string>
#include <vector>

namespace tessivar::e2e {

inline constexpr long kMozcMaxEntries = 1000000;

struct MozcImport {
  long entries = 0;                  // entry lines in the file
  long merged = 0;                   // dropped by Mozc as the same reading, word and part of speech
  std::vector<std::string> refused;  // lines Mozc would refuse or cut, with the reason
};

// Checks a word list given as UTF-8 text with CR LF line ends.
MozcImport CheckMozcImport(const std::string& utf8_text);

}  // namespace tessivar::e2e
