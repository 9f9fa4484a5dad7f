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

// The table-driven conversions give exactly what the transliterators give, on
// every field of the real address file.
TEST(Width, TablesAgreeWithTransliteratorsOnRealData) {
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
