#include "text/width.h"

#include <gtest/gtest.h>

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
// alone, also of those outside the sets the tables were built from.
TEST(Width, TablesAgreeWithTransliteratorsOnEveryCharacter) {
  for (char32_t c = 0; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;  // no character alone
    const std::u16string one(1, static_cast<char16_t>(c));
    ASSERT_EQ(Narrow(one), NarrowByIcu(one)) << std::hex << static_cast<uint32_t>(c);
    ASSERT_EQ(Widen(one), WidenByIcu(one)) << std::hex << static_cast<uint32_t>(c);
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
