#include "text/file_names.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

namespace text {
namespace {

TEST(FileNames, WildcardsIgnoreCaseOfLatinLetters) {
  EXPECT_TRUE(WildcardMatch("@torvask.mdb", "@*.MDB"));
  EXPECT_TRUE(WildcardMatch("zz.csv", "zz.CSV"));
  EXPECT_TRUE(WildcardMatch("県tbl.SQL", "*.sq?"));
  EXPECT_FALSE(WildcardMatch("torvask.mdb", "@*.MDB"));
  EXPECT_FALSE(WildcardMatch("a.csvx", "*.csv"));
  EXPECT_TRUE(WildcardMatch("県tbl.csv", "県*.csv"));
  EXPECT_FALSE(WildcardMatch("県", "??"));  // one character, three bytes
}

TEST(FileNames, ListingIsSortedAndLookupIgnoresCase) {
  const auto dir = std::filesystem::temp_directory_path() / ("file_names_test_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "sub.csv");
  for (const char* name : {"b.CSV", "A.csv", "ken_all.csv", "note.txt"}) std::ofstream(dir / name) << "x";
  EXPECT_EQ(ListFiles(dir, "*.csv"), (std::vector<std::string>{"A.csv", "b.CSV", "ken_all.csv"}));
  auto found = FindNoCase(dir, "KEN_ALL.CSV");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->filename(), "ken_all.csv");
  EXPECT_FALSE(FindNoCase(dir, "JIGYOSYO.CSV"));
  EXPECT_TRUE(ListFiles(dir / "missing", "*").empty());
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace text
