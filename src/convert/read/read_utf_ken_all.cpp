#include "convert/read/read_utf_ken_all.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "convert/context/zip_record.h"
#include "convert/read/csv_columns.h"
#include "text/cp932_variants.h"
#include "text/width.h"

namespace tessivar {

namespace {

// unicode: as utf_ken_all.csv writes it; cp932: as KEN_ALL.CSV decodes.
using CharacterDifference = text::Cp932Variant;

// Where the two files write different characters, beside the width of the
// readings (measured field by field on the whole files of one month): in the
// kanji fields a wave dash 〜 and a minus sign − stand for ～ and －
// (「１〜３丁目」 is 「１～３丁目」: text::kCp932Variants), and in the readings a
// range is − for "-".
constexpr CharacterDifference kReadingDifferences[] = {{u'\u2212', u'-'}};

void Map(std::span<char16_t> field, std::span<const CharacterDifference> differences) {
  for (char16_t& c : field) {
    for (const auto& difference : differences) {
      if (c == difference.unicode) c = difference.cp932;
    }
  }
}

// Brings one column of an address line (columns counted from 0, split as
// the record reader splits them) to KEN_ALL.CSV's form, and appends it to
// line.
void AppendColumn(int column, std::span<char16_t> field, std::u16string& line) {
  const std::u16string_view view(field.data(), field.size());
  if (column >= kPrefKana && column <= kTownKana) {
    Map(field, kReadingDifferences);
    text::AppendNarrow(view, line);  // ホッカイドウ becomes ﾎｯｶｲﾄﾞｳ
  } else {
    if (column >= kPrefKanji && column <= kTownKanji) Map(field, text::kCp932Variants);
    line += view;
  }
}

}  // namespace

// Works in the line as read, without a copy per column, and takes the
// columns after the kanji town name as they are: the whole country passes
// through here.
bool UtfKenAllLines::Next(std::u16string& line) {
  if (!utf8_->Next(raw_)) return false;
  line.clear();
  size_t from = 0;
  for (int column = 0; column <= kTownKanji && from <= raw_.size(); ++column) {
    const size_t comma = std::min(ColumnEnd(raw_, from), raw_.size());
    AppendColumn(column, std::span<char16_t>(raw_.data() + from, comma - from), line);
    if (comma < raw_.size()) line += u',';
    from = comma + 1;
  }
  if (from < raw_.size()) line.append(raw_, from);
  return true;
}

}  // namespace tessivar
