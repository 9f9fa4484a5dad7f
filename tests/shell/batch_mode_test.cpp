#include "shell/batch_mode.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

std::optional<BatchArguments> Parse(std::vector<std::string> args, std::string* error = nullptr) {
  std::string e;
  auto parsed = ParseBatchArguments(args, e);
  if (error) *error = e;
  return parsed;
}

TEST(BatchArguments, EveryOptionIsTaken) {
  auto a = Parse({"--batch", "--home", "/x", "--purpose", "csv", "--no-hyphen", "--column-names",
                  "--field-set", "全項目出力", "--prefectures", "13,27", "--yes", "--poll-ms", "50"});
  ASSERT_TRUE(a);
  EXPECT_EQ(a->home, "/x");
  EXPECT_EQ(a->purpose, 2);
  EXPECT_EQ(a->hyphen, false);
  EXPECT_TRUE(a->column_names && a->yes);
  EXPECT_EQ(*a->field_set, "全項目出力");
  EXPECT_EQ(*a->prefectures, (std::vector<int>{13, 27}));
  EXPECT_EQ(a->poll_ms, 50);

  auto all = Parse({"--batch", "--purpose", "ime", "--prefectures", "all"});
  ASSERT_TRUE(all);
  EXPECT_TRUE(all->prefectures->empty());
  EXPECT_FALSE(all->hyphen.has_value());  // the purpose decides
}

TEST(BatchArguments, UnusableArgumentsAreRefusedWithAReason) {
  const std::vector<std::vector<std::string>> bad = {
      {"--purpose", "ime"},             // no --batch
      {"--home", "/x", "--yes"},        // a batch option for the windows
      {"--batch"},                      // no purpose
      {"--batch", "--purpose", "pdf"},  // unknown purpose
      {"--batch", "--purpose", "ime", "--hyphen", "--no-hyphen"},
      {"--batch", "--purpose", "ime", "--prefectures", "0"},
      {"--batch", "--purpose", "ime", "--prefectures", "48"},
      {"--batch", "--purpose", "ime", "--prefectures", "13,"},
      {"--batch", "--purpose", "ime", "--poll-ms", "soon"},
      {"--batch", "--purpose", "ime", "--home"},  // value missing
      {"--batch", "--purpose", "ime", "--verbose"},
  };
  for (const auto& args : bad) {
    std::string error;
    EXPECT_FALSE(Parse(args, &error)) << args.back();
    EXPECT_FALSE(error.empty()) << args.back();
  }
  EXPECT_TRUE(Parse({"--help"})->help);
  auto windows = Parse({"--home", "/x"});
  ASSERT_TRUE(windows);
  EXPECT_TRUE(windows->windows);
  EXPECT_EQ(windows->home, "/x");
}

}  // namespace
}  // namespace tessivar
