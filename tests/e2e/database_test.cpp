// The database purpose on the full real data, through the installed program
// folder (runs kept by whole_country_runs.cpp): Tessivar converts, starts
// Morvane, waits for its verdict and reports; from KEN_ALL.CSV and from
// utf_ken_all.zip alike.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <regex>
#include <sstream>

#include "text/cp932.h"
#include "text/file_names.h"
#include "whole_country_runs.h"

namespace tessivar::e2e {
namespace {

namespace fs = std::filesystem;
using text::Cp932;
using text::ListFiles;
using text::ToUtf8;

// Asks the sqlite3 tool, as a user would, for one value.
std::string Sqlite(const fs::path& db, const std::string& query) {
  std::string command = "sqlite3 '" + db.string() + "' \"" + query + "\"";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return "";
  std::array<char, 256> buffer;
  std::string out;
  size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), got);
  ::pclose(pipe);
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

// The log's texts without their time stamps.
std::vector<std::string> LogTexts(const fs::path& log) {
  std::u16string text;
  Cp932().Decode(ReadBytes(log), text);
  std::vector<std::string> lines;
  std::istringstream in(ToUtf8(text));
  std::string line;
  static const std::regex kStamp("^\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2} (.*)\r?$");
  std::smatch m;
  while (std::getline(in, line)) {
    EXPECT_TRUE(std::regex_match(line, m, kStamp)) << line;
    lines.push_back(m[1].str());
  }
  return lines;
}

TEST(RealDataDatabase, BuildsTheSearchDatabaseFromTheWholeCountryInEitherAddressFileForm) {
  const KeptRun kept = WholeCountryRun("database");
  const BatchRun& run = kept.run;
  const fs::path& home = kept.home;
  EXPECT_EQ(run.exit_code, 0) << run.err;

  static const std::regex kOutput(
      "^Quillmere用 ＭＤＢを 作成します。よろしいですか？\n"
      "郵便番号MDB を (\\d+) 件 作成しました。 MDB_OUTディレクトリ内の "
      "torvask.mdbを「Quillmere」システムへコピーしてください。\n$");
  std::smatch m;
  ASSERT_TRUE(std::regex_match(run.out, m, kOutput)) << run.out;
  const std::string records = m[1].str();
  EXPECT_GT(std::stol(records), 150000);

  const fs::path db = home / "MDB_OUT" / "torvask.mdb";
  ASSERT_TRUE(fs::exists(db));
  EXPECT_EQ(Sqlite(db, "SELECT COUNT(*) FROM T_郵便番号"), records);
  EXPECT_EQ(Sqlite(db, "SELECT COUNT(*) FROM T_県"), "47");
  EXPECT_EQ(Sqlite(db, "SELECT COUNT(*) FROM T_Version"), "1");
  EXPECT_EQ(Sqlite(db, "SELECT 町域名漢字 FROM T_郵便番号 WHERE 新郵便番号 = '0600042' LIMIT 1"),
            "大通西１丁目");

  for (const char* pattern : {"*.sql", "*.squ", "*.csv"}) {
    EXPECT_TRUE(ListFiles(home / "CSV_OUT", pattern).empty()) << pattern;
  }
  EXPECT_FALSE(fs::exists(home / "Morvane" / "Morvane.ini"));
  EXPECT_FALSE(fs::exists(home / "Morvane" / "Morvane結果.TXT"));

  const std::string separator(54, '-');
  const std::string mdb_out = (home / "MDB_OUT").string() + "/";
  // The working database lives in a folder of the builder's own in MDB_OUT.
  std::vector<std::string> log = LogTexts(home / "Morvane.Log");
  for (auto& line : log) line = std::regex_replace(line, std::regex("@Morvane\\.[A-Za-z0-9]{6}/"), "");
  EXPECT_EQ(log, (std::vector<std::string>{
                     separator, "Morvane処理を開始します。  ", separator,
                     "@torvask.mdb に T_郵便番号 を インポートしました。",
                     "@torvask.mdb に T_県 を インポートしました。",
                     mdb_out + "@torvask.mdb Ver=1.0.0 を " + mdb_out + "torvask.mdbへコピーしました。",
                     separator, "Morvane処理を終了しました。 ", separator}));

  // The UTF-8 address file, zipped as Japan Post publishes it, gives the same
  // database, row for row.
  const KeptRun utf8 = WholeCountryRun("database_utf8_zip");
  EXPECT_EQ(WithoutInputLines(utf8.run.out), WithoutInputLines(run.out));
  const std::string dump = Sqlite(db, ".dump");
  EXPECT_GT(dump.size(), 10000000u);
  EXPECT_TRUE(Sqlite(utf8.home / "MDB_OUT" / "torvask.mdb", ".dump") == dump);
}

}  // namespace
}  // namespace tessivar::e2e
