#include "text/ascii.h"

#include <gtest/gtest.h>

#include "text/strings.h"

namespace text {
namespace {

// The helpers both programs use on keys, verbs and SQL words.
TEST(Ascii, CaseAndBlanksOfLatinWordsOnly) {
  EXPECT_EQ(UpperAscii("drop table 県tbl"), "DROP TABLE 県TBL");
  EXPECT_TRUE(EqualsNoCase("VlData", "VLDATA"));
  EXPECT_FALSE(EqualsNoCase("VLDATA", "VLDATA "));
  EXPECT_TRUE(StartsWithNoCase("Insert into t", "INSERT "));
  EXPECT_FALSE(StartsWithNoCase("INS", "INSERT"));

  EXPECT_EQ(TrimSpaces("  a b  "), "a b");
  EXPECT_EQ(TrimSpaces("\t a \t", " \t"), "a");
  EXPECT_EQ(TrimSpaces("\ta "), "\ta");
  EXPECT_EQ(TrimLeft("  a  "), "a  ");
  EXPECT_EQ(TrimRight("DROP TABLE t ; ;", " ;"), "DROP TABLE t");
  EXPECT_EQ(TrimSpaces("   "), "");
}

// Sizes in type texts ("TEXT(50)") and numbers of rule tables: digits after
// blanks, either width in UTF-16, stopping once past a billion.
TEST(Ascii, LeadingNumberOfBothForms) {
  EXPECT_EQ(LeadingNumber(" 50)"), 50);
  EXPECT_EQ(LeadingNumber("x50"), 0);
  EXPECT_EQ(LeadingNumber("５０"), 0);  // UTF-8 bytes are never digits
  EXPECT_EQ(LeadingNumber(u" ５0"), 50);
  EXPECT_EQ(LeadingNumber("99999999999999999999"), 9'999'999'999);
  EXPECT_EQ(LeadingNumber(u"99999999999999999999"), 9'999'999'999);
}

}  // namespace
}  // namespace text
