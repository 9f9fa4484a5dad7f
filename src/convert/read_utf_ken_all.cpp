#include "convert/read_utf_ken_all.h"

#include <span>
#include <string_view>

#include "convert/zip_record.h"
#include "text/width.h"

namespace tessivar {

namespace {

struct CharacterDifference {
  char16_t utf8_file;   // as utf_ken_all.csv writes it
  char16_t cp932_file;  // as KEN_ALL.CSV decodes
};

// Where the two files write different characters, beside the width of the
// readings (measured field by field on the whole files of one month): in the
// kanji fields a wave dash 〜 and a minus sign − stand for ～ and －
// (「１〜３丁目」 is 「１～３丁目」), and in the readings a range is − for "-".
constexpr CharacterDifference kKanjiDifferences[] = {{u'\u301C', u'\uFF5E'}, {u'\u2212', u'\uFF0D'}};
constexpr CharacterDifference kReadingDifferences[] = {{u'\u2212', u'-'}};

void Map(std::u16string& text, std::span<const CharacterDifference> differences) {
  for (char16_t& c : text) {
    for (const auto& difference : differences) {
      if (c == difference.utf8_file) c = difference.cp932_file;
    }
  }
}

// An address line's column in KEN_ALL.CSV's form (columns counted from 0,
// split at every comma as the record reader splits them).
void AppendColumn(int column, std::u16string_view text, std::u16string& line) {
  if (column >= kPrefKana && column <= kTownKana) {
    std::u16string reading(text);
    Map(reading, kReadingDifferences);
    line += text::Narrow(reading);  // ホッカイドウ becomes ﾎｯｶｲﾄﾞｳ
  } else if (column >= kPrefKanji && column <= kTownKanji) {
    std::u16string kanji(text);
    Map(kanji, kKanjiDifferences);
    line += kanji;
  } else {
    line += text;
  }
}

}  // namespace

bool UtfKenAllLines::Next(std::u16string& line) {
  if (!utf8_->Next(raw_)) return false;
  line.clear();
  int column = 0;
  for (size_t from = 0;; ++column) {
    const size_t comma = raw_.find(u',', from);
    AppendColumn(column, std::u16string_view(raw_).substr(from, comma - from), line);
    if (comma == std::u16string::npos) break;
    line += u',';
    from = comma + 1;
  }
  return true;
}

}  // namespace tessivar
