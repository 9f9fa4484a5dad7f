#include "builder/settings.h"

#include "handoff/settings_value.h"

#include "builder_test_support.h"

namespace morvane {
namespace {

using testing::TempFolder;
using testing::WriteCp932;

struct SettingsCase {
  const char* label;
  std::vector<std::string> lines;  // after "[Morvane Section]"
  bool unusable;
  std::string log_dir, log_file, mdb_dir;  // "*" stands for the program folder
};

class ReadIniTest : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(ReadIniTest, ReadsAndNormalisesTheSettings) {
  const SettingsCase& c = GetParam();
  TempFolder temp;
  std::vector<std::string> lines = {"[morvane section]"};
  lines.insert(lines.end(), c.lines.begin(), c.lines.end());
  WriteCp932(temp.path() / "Morvane.ini", lines);
  Settings s;
  EXPECT_EQ(F_READ_INI(temp.path(), s) == StepResult::kFailed, c.unusable);
  auto expand = [&](std::string v) {
    if (auto star = v.find('*'); star != std::string::npos) v.replace(star, 1, temp.path().string());
    return v;
  };
  if (!c.unusable) {
    EXPECT_EQ(s.log_dir, expand(c.log_dir));
    EXPECT_EQ(s.log_file, c.log_file);
    EXPECT_EQ(s.mdb_dir, expand(c.mdb_dir));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadIniTest,
    ::testing::Values(
        SettingsCase{"quoted_values_with_blanks",
                     {"LOG_DIR = \"/var/log\"", "LOG_FILE = \"Morvane.Log\"", "RESULT_FILE = \"結果.TXT\"",
                      "MDB_DIR = \"/data/MDB_OUT\""},
                     false,
                     "/var/log/",
                     "Morvane.Log",
                     "/data/MDB_OUT/"},
        SettingsCase{"missing_folder_key_becomes_root",
                     {"LOG_FILE=Morvane.Log", "RESULT_FILE=r.txt"},
                     false,
                     "/",
                     "Morvane.Log",
                     "/"},
        SettingsCase{
            "star_is_the_program_folder",
            {"LOG_DIR = \"*\"", "LOG_FILE = \"a.log\"", "RESULT_FILE = \"r\"", "MDB_DIR = \"*\\MDB\""},
            false,
            "*/",
            "a.log",
            "*/MDB/"},
        SettingsCase{"keys_in_any_case",
                     {"log_dir = /x/", "Log_File = b.log", "result_file = r"},
                     false,
                     "/x/",
                     "b.log",
                     "/"},
        SettingsCase{
            "without_log_file_unusable", {"LOG_DIR = \"/x\"", "RESULT_FILE = \"r\""}, true, "", "", ""},
        SettingsCase{"without_result_file_unusable", {"LOG_FILE = \"l\""}, true, "", "", ""},
        SettingsCase{"default_marker_reads_as_missing",
                     {"LOG_FILE = \"@@@\"", "RESULT_FILE = \"r\""},
                     true,
                     "",
                     "",
                     ""},
        SettingsCase{
            "blank_log_file_unusable", {"LOG_FILE = \"  \"", "RESULT_FILE = \"r\""}, true, "", "", ""},
        // The file-control script is deleted after it ran: it must lie in DSTRB_DIR.
        SettingsCase{"file_control_outside_the_input_folder_unusable",
                     {"LOG_FILE = l", "RESULT_FILE = r", "FileCntl = \"../Tessivar.ini\""},
                     true,
                     "",
                     "",
                     ""},
        SettingsCase{"file_control_in_a_sub_folder_unusable",
                     {"LOG_FILE = l", "RESULT_FILE = r", "FileCntl = \"sub\\\\x.ctl\""},
                     true,
                     "",
                     "",
                     ""}),
    [](const auto& instance) { return std::string(instance.param.label); });

TEST(ReadIniTest, MissingSettingsFileIsUnusable) {
  TempFolder temp;
  Settings s;
  EXPECT_EQ(F_READ_INI(temp.path(), s), StepResult::kFailed);
}

TEST(ReadProfileStringTest, OnlyTheNamedSectionCounts) {
  TempFolder temp;
  WriteCp932(temp.path() / "a.ini",
             {"[Other]", "KEY = other", "; KEY = comment", "[Wanted]", "KEY = 'quoted'"});
  EXPECT_EQ(ReadProfileString(temp.path() / "a.ini", "wanted", "key", "def"), "quoted");
  EXPECT_EQ(ReadProfileString(temp.path() / "a.ini", "Wanted", "NONE", "def"), "def");
  EXPECT_EQ(ReadProfileString(temp.path() / "a.ini", "Missing", "KEY", "def"), "def");
}

TEST(ReadProfileStringTest, LongValuesAreWhole) {
  TempFolder temp;
  WriteCp932(temp.path() / "a.ini", {"[S]", "K = " + std::string(600, 'x')});
  EXPECT_EQ(ReadProfileString(temp.path() / "a.ini", "S", "K", "").size(), 600u);
}

// The converter's form: UTF-8 behind a byte-order mark, escaped values, "\"
// a character of the name like any other, the scripts of the run listed.
TEST(ReadIniTest, ConvertersFormCarriesAnyFolderName) {
  TempFolder temp;
  const std::string folder = "/tmp/my\\data 〜−é\n\xE9%";
  std::ofstream(temp.path() / "Morvane.ini", std::ios::binary)
      << "\xEF\xBB\xBF[Morvane Section]\r\n"
      << "LOG_DIR = \"" << handoff::EscapeSettingsValue(folder) << "\"\r\n"
      << "LOG_FILE = \"Morvane.Log\"\r\nRESULT_DIR = \"*\"\r\nRESULT_FILE = \"Morvane結果.TXT\"\r\n"
      << "MDB_DIR = \"" << handoff::EscapeSettingsValue(folder + "/MDB_OUT") << "\"\r\n"
      << "SQL_FILES = \"torvaskmdb.sql/県tbl.sql\"\r\n";
  EXPECT_EQ(handoff::EscapeSettingsValue(folder), "/tmp/my\\data 〜−é%0A%E9%25");
  Settings s;
  ASSERT_EQ(F_READ_INI(temp.path(), s), StepResult::kDone);
  EXPECT_EQ(s.log_dir, folder + "/");
  EXPECT_EQ(s.mdb_dir, folder + "/MDB_OUT/");
  EXPECT_EQ(s.result_dir, temp.path().string() + "/");
  EXPECT_EQ(s.scripts, (std::vector<std::string>{"torvaskmdb.sql", "県tbl.sql"}));

  // Without SQL_FILES every script runs; a list naming a path is unusable.
  WriteCp932(temp.path() / "Morvane.ini", {"[Morvane Section]", "LOG_FILE = l", "RESULT_FILE = r"});
  ASSERT_EQ(F_READ_INI(temp.path(), s), StepResult::kDone);
  EXPECT_EQ(s.scripts, std::nullopt);
  WriteCp932(temp.path() / "Morvane.ini",
             {"[Morvane Section]", "LOG_FILE = l", "RESULT_FILE = r", "SQL_FILES = \"a.sql/..\""});
  EXPECT_EQ(F_READ_INI(temp.path(), s), StepResult::kFailed);
}

}  // namespace
}  // namespace morvane
