#pragma once
// The catalogue of output items of the CSV text and the database data file,
// and how an entry of a selected output field list is read.
#include <array>
#include <string>
#include <string_view>

namespace tessivar {

// The catalogue numbers of the output items, named after G_FieldNames.
enum FieldItem : int {
  kLocalCodeItem = 1,         // 地方自治体コード
  kOldCodeItem = 2,           // 旧郵便番号
  kPostalCodeItem = 3,        // 新郵便番号
  kPrefKanaItem = 4,          // 都道府県名カタカナ
  kCityKanaItem = 5,          // 市区町村名カタカナ
  kTownKanaItem = 6,          // 町域名カタカナ
  kPrefKanjiItem = 7,         // 都道府県名漢字
  kCityKanjiItem = 8,         // 市区町村名漢字
  kTownKanjiItem = 9,         // 町域名漢字
  kPrefKanaLengthItem = 10,   // 都道府県カタカナ文字数
  kCityKanaLengthItem = 11,   // 市区町村名カタカナ文字数
  kTownKanaLengthItem = 12,   // 町域名カタカナ文字数
  kPrefKanjiLengthItem = 13,  // 都道府県名漢字文字数
  kCityKanjiLengthItem = 14,  // 市区町村名漢字文字数
  kTownKanjiLengthItem = 15,  // 町域名漢字文字数
  kFlag1Item = 16,            // 一町域が二以上の郵便番号で表される場合の表示
  kFlag2Item = 17,            // 小字毎に番地が起番されている町域の表示
  kFlag3Item = 18,            // 丁目を有する町域の場合の表示
  kFlag4Item = 19,            // 一つの郵便番号で二以上の町域を表す場合の表示
  kUpdateItem = 20,           // 更新の表示
  kReasonItem = 21,           // 変更理由
  kOrgTownKanaItem = 22,      // org町域名カタカナ
  kOrgTownKanjiItem = 23,     // org町域名漢字
  kCommentKanjiItem = 24,     // コメント漢字
  kCommentKanaItem = 25,      // コメントカナ
  kCommaSeparator = 26,       // -- 区切り（カンマ）
  kFullWidthBlank = 27,       // 空白（全角）
  kHalfWidthBlank = 28,       // 空白（半角）
  kCompanyKanaItem = 29,      // 会社名カタカナ
  kCompanyKanjiItem = 30,     // 会社名漢字
  kLastItem = kCompanyKanjiItem,
};

// G_FieldNames: index 0 the editor's heading line, 1..kLastItem the output items.
const std::array<std::u16string_view, kLastItem + 1>& G_FieldNames();

// What one entry of G_SelFields stands for: its catalogue number, kEndOfList
// for the end marker "-1", kNoItem for a text that is not a whole number
// (such an entry writes nothing, as an out-of-range number does).
inline constexpr int kEndOfList = -1;
inline constexpr int kNoItem = -2;
int FieldEntryNumber(std::u16string_view entry);

}  // namespace tessivar
