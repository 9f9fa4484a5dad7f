#include "text/strings.h"

#include <gtest/gtest.h>

namespace text {
namespace {

TEST(Strings, PositionsAreOneBased) {
  EXPECT_EQ(Left(u"大通西", 2), u"大通");
  EXPECT_EQ(Left(u"大通西", 9), u"大通西");
  EXPECT_EQ(Right(u"大通西", 1), u"西");
  EXPECT_EQ(Mid(u"大通西（１）", 4), u"（１）");
  EXPECT_EQ(Mid(u"大通西（１）", 5, 1), u"１");
  EXPECT_EQ(Mid(u"abc", 4), u"");
  EXPECT_EQ(Mid(u"abc", 2, 9), u"bc");
  EXPECT_EQ(InStr(u"中央（１、３）", u"（"), 3);
  EXPECT_EQ(InStr(4, u"１、３、５", u"、"), 4);
  EXPECT_EQ(InStr(u"abc", u"z"), 0);
  EXPECT_EQ(InStr(9, u"abc", u"a"), 0);
}

TEST(Strings, FailuresOfTheClassicFunctions) {
  EXPECT_THROW(Left(u"abc", -1), RuleError);
  EXPECT_THROW(Right(u"abc", -1), RuleError);
  EXPECT_THROW(Mid(u"abc", 0), RuleError);
  EXPECT_THROW(Mid(u"abc", 1, -1), RuleError);
  EXPECT_THROW(InStr(0, u"abc", u"a"), RuleError);
  EXPECT_THROW(ToNumber(u"１a"), RuleError);
  EXPECT_THROW(ToNumber(u""), RuleError);
  EXPECT_THROW(ToNumber(u"1234567890"), RuleError);  // ten digits: beyond any number of the data
  try {
    Mid(u"abc", 1, -2);
  } catch (const RuleError& e) {
    EXPECT_STREQ(e.what(), "プロシージャの呼び出し、または引数が不正です。");
  }
}

TEST(Strings, ReplaceTrimSplit) {
  EXPECT_EQ(Replace(u"１＠２＠３", u"＠", u"、"), u"１、２、３");
  EXPECT_EQ(Replace(u"aaa", u"aa", u"b"), u"ba");
  EXPECT_EQ(Replace(u"abc", u"", u"x"), u"abc");
  EXPECT_EQ(Trim(u"  a b　 "), u"a b　");
  EXPECT_EQ(TrimBlanks(u"　 a b　 "), u"a b");
  EXPECT_EQ(Split(u"0,1,26", u","), (std::vector<Text>{u"0", u"1", u"26"}));
  EXPECT_EQ(Split(u"", u","), (std::vector<Text>{u""}));
  EXPECT_EQ(Split(u"a、", u"、"), (std::vector<Text>{u"a", u""}));
}

TEST(Strings, NumbersOfEitherWidth) {
  EXPECT_TRUE(IsDigit(u'7'));
  EXPECT_TRUE(IsDigit(u'７'));
  EXPECT_FALSE(IsDigit(u'七'));
  EXPECT_EQ(LeadingNumber(u"１９丁目"), 19);
  EXPECT_EQ(LeadingNumber(u"丁目"), 0);
  EXPECT_EQ(ToNumber(u"0600042"), 600042);
  EXPECT_EQ(ToNumber(u" 13 "), 13);
  EXPECT_EQ(ToNumber(u"００999999999"), 999999999);  // leading zeros are no digits of the number
  EXPECT_EQ(FullWidthDecimal(19), u"１９");
  EXPECT_EQ(Decimal(-5), u"-5");
}

// Every character at every place of texts of up to two blocks of eight.
TEST(Strings, ControlCharactersAndLineEndsAreFoundAnywhere) {
  for (char32_t c = 0; c < 0x10000; ++c) {
    const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
    const bool line_end = c == u'\r' || c == u'\n';
    for (size_t length : {1u, 7u, 8u, 9u, 16u, 17u}) {
      for (size_t at = 0; at < length; at += (c % 3) + 1) {
        Text s(length, u'あ');
        s[at] = static_cast<char16_t>(c);
        ASSERT_EQ(HasControlCharacter(s), control) << std::hex << static_cast<uint32_t>(c) << " " << at;
        ASSERT_EQ(HasLineEnd(s), line_end) << std::hex << static_cast<uint32_t>(c) << " " << at;
      }
    }
  }
  EXPECT_FALSE(HasControlCharacter(u""));
  EXPECT_FALSE(HasLineEnd(u""));
}

}  // namespace
}  // namespace text
