#pragma once
// The postal record ZipRec: one record of a Japan Post file in the layout of
// an address line, seventeen texts (at least) named after the output field
// catalogue. The reader owns it and lends it to the rules, the emitter and
// the line writers, which may rewrite any slot.
#include <vector>

#include "text/strings.h"

namespace tessivar {

// The rules are written in the text layer's terms: Text, Len, Mid, InStr, ...
using namespace text;

// Slots of the postal record ZipRec, named after the output field catalogue.
enum ZipSlot {
  kLocalCode = 0,   // 地方自治体コード
  kOldCode = 1,     // 旧郵便番号
  kPostalCode = 2,  // 新郵便番号
  kPrefKana = 3,    // 都道府県名カタカナ
  kCityKana = 4,    // 市区町村名カタカナ
  kTownKana = 5,    // 町域名カタカナ
  kPrefKanji = 6,   // 都道府県名漢字
  kCityKanji = 7,   // 市区町村名漢字
  kTownKanji = 8,   // 町域名漢字
  kFlag1 = 9,  // 一町域が二以上の郵便番号で表される場合の表示 (business: handling office)
  kFlag2 = 10,         // 小字毎に番地が起番されている町域の表示
  kFlag3 = 11,         // 丁目を有する町域の場合の表示
  kFlag4 = 12,         // 一つの郵便番号で二以上の町域を表す場合の表示
  kUpdate = 13,        // 更新の表示
  kReason = 14,        // 変更理由
  kCompanyKana = 15,   // 会社名カタカナ
  kCompanyKanji = 16,  // 会社名漢字
};
inline constexpr int kZipSlots = 17;
using ZipRecord = std::vector<Text>;

}  // namespace tessivar
