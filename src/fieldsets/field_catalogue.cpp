#include "fieldsets/field_catalogue.h"

#include "text/strings.h"

namespace tessivar {

const std::array<std::u16string_view, kLastItem + 1>& G_FieldNames() {
  // The separators start with twelve full-width blanks so that they stand out
  // indented in the set lists.
  static constexpr std::array<std::u16string_view, kLastItem + 1> kNames = {
      u"<---- 以下に 選択項目が　表示されます ---->",
      u"地方自治体コード",
      u"旧郵便番号",
      u"新郵便番号",
      u"都道府県名カタカナ",
      u"市区町村名カタカナ",
      u"町域名カタカナ",
      u"都道府県名漢字",
      u"市区町村名漢字",
      u"町域名漢字",
      u"都道府県カタカナ文字数",
      u"市区町村名カタカナ文字数",
      u"町域名カタカナ文字数",
      u"都道府県名漢字文字数",
      u"市区町村名漢字文字数",
      u"町域名漢字文字数",
      u"一町域が二以上の郵便番号で表される場合の表示",
      u"小字毎に番地が起番されている町域の表示",
      u"丁目を有する町域の場合の表示",
      u"一つの郵便番号で二以上の町域を表す場合の表示",
      u"更新の表示",
      u"変更理由",
      u"org町域名カタカナ",
      u"org町域名漢字",
      u"コメント漢字",
      u"コメントカナ",
      u"　　　　　　　　　　　　-- 区切り（カンマ）",
      u"　　　　　　　　　　　　   空白（全角）",
      u"　　　　　　　　　　　　   空白（半角）",
      u"会社名カタカナ",
      u"会社名漢字",
  };
  return kNames;
}

int FieldEntryNumber(std::u16string_view entry) {
  // The usual entries, one or two half-width digits, are read directly: the
  // CSV writer reads the list for every record.
  auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
  if (entry.size() == 1 && digit(entry[0])) return entry[0] - u'0';
  if (entry.size() == 2 && digit(entry[0]) && digit(entry[1])) {
    int n = (entry[0] - u'0') * 10 + (entry[1] - u'0');
    return n <= kLastItem ? n : kNoItem;
  }
  if (entry == u"-1") return kEndOfList;
  try {
    long n = text::ToNumber(entry);
    if (n == -1) return kEndOfList;
    // Any other number outside the catalogue writes nothing.
    return n >= 0 && n <= kLastItem ? static_cast<int>(n) : kNoItem;
  } catch (const text::RuleError&) {
    return kNoItem;
  }
}

}  // namespace tessivar
