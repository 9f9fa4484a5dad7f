#include "shell/batch_mode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tessivar {
namespace {

std::optional<BatchArguments> Parse(std::vector<std::string> args, std::string* error = nullptr) {
  std::string e;
  auto parsed = ParseBatchArguments(args, e);
  if (error) *error = e;
  return parsed;
}

TEST(BatchArguments, EveryOptionIsTaken) {
  auto a = Parse({"--batch", "--home", "/x", "--purpose", "csv", "--no-hyphen", "--ime-target", "mozc",
                  "--column-names", "--field-set", "全項目出力", "--prefectures", "13,27", "--no-changes",
                  "--threads", "2", "--yes", "--poll-ms", "50"});
  ASSERT_TRUE(a);
  EXPECT_EQ(a->home, "/x");
  EXPECT_EQ(a->purpose, 2);
  EXPECT_EQ(a->hyphen, false);
  EXPECT_TRUE(a->column_names && a->no_changes && a->yes);
  EXPECT_EQ(*a->field_set, "全項目出力");
  EXPECT_EQ(*a->prefectures, (std::vector<int>{13, 27}));
  EXPECT_EQ(a->poll_ms, 50);
  EXPECT_EQ(a->threads, 2);
  EXPECT_EQ(a->ime_target, ImeTarget::kMozc);

  auto all = Parse({"--batch", "--purpose", "ime", "--prefectures", "all"});
  ASSERT_TRUE(all);
  EXPECT_TRUE(all->prefectures->empty());
  EXPECT_FALSE(all->hyphen.has_value());  // the purpose decides
}

TEST(BatchArguments, UnusableArgumentsAreRefusedWithAReason) {
  const std::vector<std::vector<std::string>> bad = {
      {"--purpose", "ime"},             // no --batch
      {"--home", "/x", "--yes"},        // a batch option for the windows
      {"--no-changes"},                 // the same
      {"--batch"},                      // no purpose
      {"--batch", "--purpose", "pdf"},  // unknown purpose
      {"--batch", "--purpose", "ime", "--hyphen", "--no-hyphen"},
      {"--batch", "--purpose", "ime", "--prefectures", "0"},
      {"--batch", "--purpose", "ime", "--prefectures", "48"},
      {"--batch", "--purpose", "ime", "--prefectures", "13,"},
      {"--batch", "--purpose", "ime", "--poll-ms", "soon"},
      {"--batch", "--purpose", "ime", "--threads", "0"},
      {"--batch", "--purpose", "mdb", "--poll-ms", "0"},  // below 10: no interval at all
      {"--batch", "--purpose", "mdb", "--poll-ms", "5"},
      {"--batch", "--purpose", "ime", "--home"},  // value missing
      {"--batch", "--purpose", "ime", "--verbose"},
      {"--batch", "--purpose", "ime", "--ime-target", "atok"},
  };
  for (const auto& args : bad) {
    std::string error;
    EXPECT_FALSE(Parse(args, &error)) << args.back();
    EXPECT_FALSE(error.empty()) << args.back();
  }
  EXPECT_TRUE(Parse({"--help"})->help);
  EXPECT_TRUE(Parse({"--version"})->version);
  auto windows = Parse({"--home", "/x"});
  ASSERT_TRUE(windows);
  EXPECT_TRUE(windows->windows);
  EXPECT_EQ(windows->home, "/x");
}

// The word-list options apply to the word list only, --no-changes to the
// word list and the CSV text: with another purpose the run is refused as unusable arguments (exit 2) before
// anything is asked or written. Without --yes an accepted run stops at the question (exit 1).
TEST(BatchRun, WordListOptionsWithAnotherPurposeAreRefused) {
  const std::filesystem::path home = std::filesystem::temp_directory_path() / "batch_mode_word_list_options";
  std::filesystem::remove_all(home);
  std::filesystem::create_directories(home / "CSV_IN");
  std::ofstream(home / "CSV_IN" / "KEN_ALL.CSV");  // start-up looks at the names only
  const struct {
    std::vector<std::string> args;
    int exit_code;
    const char* error;
  } cases[] = {
      {{"--purpose", "csv", "--ime-target", "mozc"}, 2, "--ime-target applies to the word list"},
      {{"--purpose", "mdb", "--ime-target", "ms-ime"}, 2, "--ime-target applies to the word list"},
      {{"--purpose", "csv", "--with-prefecture"}, 2, "--with-prefecture and --with-blank apply"},
      {{"--purpose", "mdb", "--no-changes"}, 2, "--no-changes applies to the word list and the CSV text"},
      {{"--purpose", "ime", "--ime-target", "mozc"}, 1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[1] + " " + c.args[2]);
    std::vector<std::string> args = {"--batch", "--home", home.string()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    std::string error;
    auto parsed = ParseBatchArguments(args, error);
    ASSERT_TRUE(parsed) << error;
    std::ostringstream out, err;
    EXPECT_EQ(RunBatch(*parsed, places::LocateProgramFiles(home), out, err), c.exit_code);
    EXPECT_NE(err.str().find(c.error), std::string::npos) << err.str();
    EXPECT_EQ(out.str().empty(), c.exit_code == 2) << out.str();
  }
  EXPECT_FALSE(std::filesystem::exists(home / "CSV_OUT" / "ZIP.TXT"));
  std::filesystem::remove_all(home);
}

}  // namespace
}  // namespace tessivar
