// The Kyoto street code list and its table.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "convert/town_area/town_kyoto_codes.h"
#include "text/cp932.h"

namespace tessivar {
namespace {

// The rows of the table file as the build reads them: (prefix, code).
std::vector<std::array<std::u16string, 2>> TableRows() {
  std::ifstream in(std::filesystem::path(PROJECT_SOURCE_DIR) / "src/convert/tables/kyoto_codes.tsv");
  EXPECT_TRUE(in.good());
  std::vector<std::array<std::u16string, 2>> rows;
  std::string line;
  bool header = true;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (header) {
      EXPECT_EQ(line, "prefix\tcode");
      header = false;
      continue;
    }
    auto tab = line.find('\t');
    rows.push_back({FromUtf8(line.substr(0, tab)), FromUtf8(line.substr(tab + 1))});
  }
  return rows;
}

TEST(KyotoCodesTable, HoldsEveryCodeOnceInItsGroup) {
  std::map<std::u16string, int> group_sizes;
  std::set<std::u16string> codes;
  for (const auto& row : TableRows()) {
    EXPECT_EQ(row[1].substr(0, 3), row[0]) << ToUtf8(row[1]);
    EXPECT_EQ(row[1].size(), 7u) << ToUtf8(row[1]);
    EXPECT_TRUE(codes.insert(row[1]).second) << "twice: " << ToUtf8(row[1]);
    ++group_sizes[row[0]];
  }
  EXPECT_EQ(codes.size(), 262u);
  EXPECT_EQ(group_sizes,
            (std::map<std::u16string, int>{{u"600", 92}, {u"602", 77}, {u"604", 80}, {u"605", 13}}));
}

TEST(KyotoCodes, EveryTableCodeIsRecognised) {
  for (const auto& row : TableRows()) EXPECT_TRUE(F_IsKyotoCode(row[1])) << ToUtf8(row[1]);
}

TEST(KyotoCodes, OtherCodesAreNot) {
  const std::u16string_view others[] = {
      u"6008017",  // in the 600 range, not in the group
      u"6060067",  // a Kyoto city code of another range
      u"0600041",  // any other valid code
      u"60",       // shorter than three characters
      u"",
      u"6008022 ",  // nothing is trimmed
      u"600802",
  };
  for (auto code : others) EXPECT_FALSE(F_IsKyotoCode(code)) << ToUtf8(code);
  EXPECT_TRUE(F_IsKyotoCode(u"6008022"));
  EXPECT_TRUE(F_IsKyotoCode(u"6008023"));
  EXPECT_TRUE(F_IsKyotoCode(u"6050945"));
}

}  // namespace
}  // namespace tessivar
