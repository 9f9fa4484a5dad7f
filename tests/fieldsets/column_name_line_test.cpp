// The column-name line of the CSV text: quoted catalogue names, separators
// where the set puts them, the end marker.
#include <gtest/gtest.h>

#include "fieldsets/field_catalogue.h"
#include "fieldsets/field_set_file.h"
#include "text/cp932.h"
#include "text/strings.h"

namespace tessivar {
namespace {

using text::FromUtf8;
using text::Split;
using text::ToUtf8;

std::string Line(const char* list) { return ToUtf8(ColumnNameLine(Split(FromUtf8(list), u","))); }

TEST(ColumnNameLineTest, MirrorsTheDataLine) {
  struct Case {
    const char* list;
    const char* expected;
  } cases[] = {
      {"0,1,26,2,26,3,-1,4", "\"地方自治体コード\",\"旧郵便番号\",\"新郵便番号\""},
      {"0,30,27,29,28,24",
       "\"会社名漢字\"　\"会社名カタカナ\" \"コメント漢字\""},  // no marker: to the last index
      {"0,0,31,x,-2,9", "\"<---- 以下に 選択項目が　表示されます ---->\"\"町域名漢字\""},
      {"NotFound", ""},
      {"0,-1,9", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Line(c.list), c.expected) << c.list;
}

TEST(ColumnNameLineTest, BuiltInSetNamesEveryRecordItemButTheCompanies) {
  std::string line = Line(
      "0,1,26,2,26,3,26,4,26,5,26,6,26,7,26,8,26,9,26,10,26,11,26,12,26,13,26,14,26,15,26,16,26,17,26,18,26,"
      "19,26,"
      "20,26,21,26,22,26,23,26,24,26,25,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1");
  std::string expected;
  for (int n = 1; n <= 25; ++n) expected += (n > 1 ? ",\"" : "\"") + ToUtf8(G_FieldNames()[n]) + "\"";
  EXPECT_EQ(line, expected);
  EXPECT_EQ(line.rfind("\"地方自治体コード\",\"旧郵便番号\",\"新郵便番号\",", 0), 0u);
}

}  // namespace
}  // namespace tessivar
