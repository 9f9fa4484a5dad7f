#include "text/width.h"

#include <gtest/gtest.h>

#include "icu_reference.h"
#include "text/text_file.h"

namespace text {
namespace {

TEST(Width, NarrowAndWidenJapaneseText) {
  EXPECT_EQ(Narrow(u"ガパ１２３－～ＡＢ　ー・、「」（）"), u"ｶﾞﾊﾟ123-~AB ｰ･､｢｣()");
  EXPECT_EQ(Widen(u"060-0042"), u"０６０－００４２");
  EXPECT_EQ(Widen(u"ｶﾞｷﾞ1"), u"ガギ１");  // sound marks join the kana before them
  EXPECT_EQ(Narrow(u"札幌市"), u"札幌市");
  EXPECT_EQ(Narrow(u""), u"");
}

// The tables hold what the transliterators make of every character standing
// alone, also of those outside the sets the tables were built from, and
// before each half-width sound mark (which joins some kana).
TEST(Width, TablesAgreeWithTransliteratorsOnEveryCharacter) {
  for (char32_t c = 0; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;  // no character alone
    const char16_t one = static_cast<char16_t>(c);
    for (const std::u16string& text :
         {std::u16string{one}, std::u16string{one, u'ﾞ'}, std::u16string{one, u'ﾟ'},
          std::u16string{one, u'ﾞ', u'ﾟ', u'a'}, std::u16string{u'ｶ', one, u'ﾞ'}}) {
      ASSERT_EQ(Narrow(text), NarrowByIcu(text)) << std::hex << static_cast<uint32_t>(c);
      ASSERT_EQ(Widen(text), WidenByIcu(text)) << std::hex << static_cast<uint32_t>(c);
    }
  }
}

// The table-driven conversions give exactly what the transliterators give, on
// every field of the real address file.
TEST(RealDataWidth, TablesAgreeWithTransliteratorsOnTheAddressFile) {
  TextFileReader reader;
  ASSERT_TRUE(reader.Open(std::string(JAPANPOST_DIR) + "/KEN_ALL.CSV"));
  std::u16string line;
  long checked = 0;
  while (reader.Next(line)) {
    if (reader.line_number() % 7 != 0) continue;  // a spread sample keeps the test quick
    ASSERT_EQ(Narrow(line), NarrowByIcu(line)) << reader.line_number();
    ASSERT_EQ(Widen(line), WidenByIcu(line)) << reader.line_number();
    ++checked;
  }
  EXPECT_GT(checked, 15000);
}

}  // namespace
}  // namespace text
