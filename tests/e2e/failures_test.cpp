// Faults, hostile input and concurrent runs on the installed program folder:
// each run ends with a message naming the cause, the right exit status, and
// every previous good output as it was. "<home>" in an expected message
// stands for the program folder.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>

#include "program_folder.h"
#include "support/zip_files.h"
#include "text/run_lock.h"

namespace tessivar::e2e {
namespace {

namespace fs = std::filesystem;

// Two address records of the test data.
const std::string kRecords =
    "01101,\"060  "
    "\",\"0600000\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ\",\"北海道\",\"札幌市中央区\","
    "\"以下に掲載がない場合\",0,0,0,0,0,0\n"
    "01101,\"064  "
    "\",\"0640941\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"ｱｻﾋｶﾞｵｶ\",\"北海道\",\"札幌市中央区\",\"旭ケ丘\","
    "0,0,1,0,0,0\n";
// A record standing for the places 1 to last of a 丁目 range.
std::string RangeRecord(const std::string& code, const std::string& last_kanji, const std::string& last) {
  return "01101,\"060  \",\"" + code + "\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"ｵｵﾄﾞｵﾘﾆｼ(1-" + last +
         "ﾁｮｳﾒ)\",\"北海道\",\"札幌市中央区\",\"大通西（１～" + last_kanji + "丁目）\",1,0,1,0,0,0\n";
}

const char kWordList[] = "--purpose ime --yes";
const char kDatabase[] = "--purpose mdb --yes";
const char kAsk[] = "MS-IME ユーザー辞書用 郵便番号テキスト作成を 作成します。よろしいですか？\n";
const char kAskToDelete[] =
    "CSV_OUT に ZIP.TXT ファイルが存在します。削除しますか？ 削除しない場合 [いいえ]を選択して "
    "データを他の場所へコピーして 再起動してください。\n";
const char kAskDatabase[] = "Quillmere用 ＭＤＢを 作成します。よろしいですか？\n";
// The count message's second line when CSV_OUT held no output to compare with.
const char kNothingToCompare[] = " 前回の出力がないため、比較しませんでした。\n";

void WriteBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

struct FailureCase {
  const char* name;
  std::function<void(const fs::path& home)> arrange;
  const char* args;
  int exit_code;
  std::string out;
  std::function<void(const fs::path& home)> check;  // what must be as it was
  const char* shell_prefix = "";
};

const FailureCase kCases[] = {
    {"output_folder_is_a_file",
     [](const fs::path& h) {
       WriteCp932(h / "CSV_IN" / "KEN_ALL.CSV", kRecords);
       WriteBytes(h / "CSV_OUT", "a file");
     },
     kWordList, 1,
     "(Md_Main:main) filesystem error: cannot create directory: File exists [<home>/CSV_OUT]\n" +
         std::string(kAsk) + "<home>/CSV_OUT/ZIP.TXT: Not a directory を作成できません。\n",
     [](const fs::path& h) { EXPECT_EQ(ReadBytes(h / "CSV_OUT"), "a file"); }},
    {"full_disk",  // a file size limit of 100 blocks stands for the full disk
     [](const fs::path& h) {
       fs::create_directories(h / "CSV_IN");
       fs::copy_file(fs::path(JAPANPOST_DIR) / "KEN_ALL.CSV", h / "CSV_IN" / "KEN_ALL.CSV");
       WriteBytes(h / "CSV_OUT" / "ZIP.TXT", "old");
     },
     kWordList, 1,
     std::string(kAsk) + kAskToDelete + "<home>/CSV_OUT/ZIP.TXT: File too large に書き込めません。\n",
     [](const fs::path& h) {
       EXPECT_EQ(ReadBytes(h / "CSV_OUT" / "ZIP.TXT"), "old");
       EXPECT_FALSE(fs::exists(h / "CSV_OUT" / "ZIP.TXT.tmp"));
     },
     "trap '' XFSZ; ulimit -f 100; "},
    {"empty_address_file_keeps_the_database",
     [](const fs::path& h) {
       WriteBytes(h / "CSV_IN" / "KEN_ALL.CSV", "");
       WriteBytes(h / "MDB_OUT" / "torvask.mdb", "the last good database");
     },
     kDatabase, 1,
     std::string(kAskDatabase) +
         "KEN_ALL.CSV にデータがありません。\n"
         "入力ファイルを読み込めなかったため、torvaskmdb.CSV は作成しませんでした。\n",
     [](const fs::path& h) {
       EXPECT_EQ(ReadBytes(h / "MDB_OUT" / "torvask.mdb"), "the last good database");
       EXPECT_FALSE(fs::exists(h / "Morvane.Log"));  // no builder started
     }},
    {"no_record_read_keeps_the_database",
     [](const fs::path& h) {
       WriteBytes(h / "CSV_IN" / "KEN_ALL.CSV", std::string(70000, ' ') + "\r\n");
       WriteBytes(h / "MDB_OUT" / "torvask.mdb", "the last good database");
     },
     kDatabase, 1,
     std::string(kAskDatabase) + "KEN_ALL.CSV の 1 行目は 65536 バイトを超えるため読み飛ばしました。\n"
                                 "郵便番号データが 0 件のため、torvaskmdb.CSV は作成しませんでした。\n",
     [](const fs::path& h) {
       EXPECT_EQ(ReadBytes(h / "MDB_OUT" / "torvask.mdb"), "the last good database");
       EXPECT_FALSE(fs::exists(h / "Morvane.Log"));
       // The definition files copied for the builder went with the run.
       EXPECT_TRUE(fs::is_empty(h / "CSV_OUT"));
     }},
    {"utf8_address_file_is_named_not_converted",
     [](const fs::path& h) {
       WriteBytes(h / "CSV_IN" / "KEN_ALL.CSV", kRecords);  // UTF-8 as it stands
       WriteBytes(h / "CSV_OUT" / "ZIP.TXT", "old");
     },
     kWordList, 1,
     std::string(kAsk) + kAskToDelete +
         "KEN_ALL.CSV は Shift_JIS (コードページ 932) ではなく UTF-8 のファイルのため、読み込みません。\n"
         "入力ファイルを読み込めなかったため、ZIP.TXT は作成しませんでした。\n",
     [](const fs::path& h) { EXPECT_EQ(ReadBytes(h / "CSV_OUT" / "ZIP.TXT"), "old"); }},
    {"utf8_file_in_the_zip_is_named_not_converted",
     [](const fs::path& h) {
       fs::create_directories(h / "CSV_IN");
       ASSERT_TRUE(test_support::WriteZip(h / "CSV_IN" / "ken_all.zip", {{"KEN_ALL.CSV", kRecords}}));
       WriteBytes(h / "CSV_OUT" / "ZIP.TXT", "old");
     },
     kWordList, 1,
     std::string(kAsk) + kAskToDelete +
         "ken_all.zip 内の KEN_ALL.CSV は Shift_JIS (コードページ 932) ではなく UTF-8 "
         "のファイルのため、読み込みません。\n"
         "入力ファイルを読み込めなかったため、ZIP.TXT は作成しませんでした。\n",
     [](const fs::path& h) { EXPECT_EQ(ReadBytes(h / "CSV_OUT" / "ZIP.TXT"), "old"); }},
    {"code_page_932_utf_ken_all_is_named_not_converted",
     [](const fs::path& h) {
       WriteCp932(h / "CSV_IN" / "utf_ken_all.csv", kRecords);
       WriteBytes(h / "CSV_OUT" / "ZIP.TXT", "old");
     },
     kWordList, 1,
     std::string(kAsk) + kAskToDelete +
         "utf_ken_all.csv は UTF-8 ではなく Shift_JIS (コードページ 932) のファイルのため、読み込みません。\n"
         "入力ファイルを読み込めなかったため、ZIP.TXT は作成しませんでした。\n",
     [](const fs::path& h) { EXPECT_EQ(ReadBytes(h / "CSV_OUT" / "ZIP.TXT"), "old"); }},
    {"empty_utf_ken_all_keeps_the_database",
     [](const fs::path& h) {
       WriteBytes(h / "CSV_IN" / "utf_ken_all.csv", "");
       WriteBytes(h / "MDB_OUT" / "torvask.mdb", "the last good database");
     },
     kDatabase, 1,
     std::string(kAskDatabase) +
         "utf_ken_all.csv にデータがありません。\n"
         "入力ファイルを読み込めなかったため、torvaskmdb.CSV は作成しませんでした。\n",
     [](const fs::path& h) {
       EXPECT_EQ(ReadBytes(h / "MDB_OUT" / "torvask.mdb"), "the last good database");
       EXPECT_FALSE(fs::exists(h / "Morvane.Log"));
       // The definition files copied for the builder went with the run.
       EXPECT_TRUE(fs::is_empty(h / "CSV_OUT"));
     }},
    {"cr_only_line_ends",
     [](const fs::path& h) {
       WriteBytes(h / "CSV_IN" / "KEN_ALL.CSV", Replace(Cp932Bytes(kRecords), "\r\n", "\r"));
     },
     kWordList, 0, std::string(kAsk) + "郵便番号データを 2 件 作成しました。" + kNothingToCompare,
     [](const fs::path&) {}},
    {"overlong_line_wide_range_and_long_number_are_skipped",
     [](const fs::path& h) {
       WriteBytes(h / "CSV_IN" / "KEN_ALL.CSV",
                  Cp932Bytes(RangeRecord("0600042", "９９９９９９９９９", "999999999")) +
                      std::string(70000, 'x') + "\r\n" +
                      Cp932Bytes(RangeRecord("0600043", "１２３４５６７８９０", "1234567890") + kRecords));
     },
     kWordList, 0,
     std::string(kAsk) +
         "KEN_ALL.CSV の 2 行目は 65536 バイトを超えるため読み飛ばしました。\n"
         "範囲 1～999999999 は 9999 か所を超えるため展開しません。（KEN_ALL.CSV の 1 "
         "行目、郵便番号 0600042）\n"
         "オーバーフローしました。（KEN_ALL.CSV の 3 行目、郵便番号 0600043）\n"
         "郵便番号データを 2 件 作成しました。" +
         kNothingToCompare,
     [](const fs::path&) {}},
    {"builder_that_dies_is_noticed_at_once",
     [](const fs::path& h) {
       WriteCp932(h / "CSV_IN" / "KEN_ALL.CSV", kRecords);
       WriteBytes(h / "Morvane" / "Morvane", "#!/bin/sh\nexit 3\n");
       fs::permissions(h / "Morvane" / "Morvane", fs::perms::owner_all);
     },
     kDatabase, 1, std::string(kAskDatabase) + "Morvaneが結果を書かずに終了しました（終了コード 3）。\n",
     [](const fs::path&) {}},
    {"definition_file_missing_starts_no_builder",
     [](const fs::path& h) {
       WriteCp932(h / "CSV_IN" / "KEN_ALL.CSV", kRecords);
       fs::remove(h / "Morvane" / "MDB定義" / "県tbl.csv");
     },
     kDatabase, 1,
     "<home>/Morvane/MDB定義/県tbl.csv を <home>/CSV_OUT/県tbl.csv へコピーできません: No such file or "
     "directory\n",
     [](const fs::path& h) { EXPECT_FALSE(fs::exists(h / "Morvane.Log")); }},
    {"unreadable_settings_line_is_skipped",
     [](const fs::path& h) {
       WriteBytes(h / "Tessivar.ini",
                  "\x82\xff\r\n" + Cp932Bytes("<my>\n0,9,-1\n") + ReadBytes(h / "Tessivar.ini"));
       WriteCp932(h / "CSV_IN" / "KEN_ALL.CSV", kRecords);
     },
     "--purpose csv --field-set my --yes", 0,
     "Md_main:F_出力設定F一覧set)Tessivar.ini の 1 行目に Shift_JIS として読めないバイトがあります。\n"
     "CSVテキスト作成 （非辞書用）を 作成します。よろしいですか？\n"
     "郵便番号データを 2 件 作成しました。" +
         std::string(kNothingToCompare),
     [](const fs::path& h) {
       EXPECT_EQ(ReadBytes(h / "Tessivar.ini").substr(0, 4), "\x82\xff\r\n");
       EXPECT_EQ(ReadBytes(h / "CSV_OUT" / "ZIPDATA.CSV"), Cp932Bytes("\"\"\n\"旭ケ丘\"\n"));  // the set <my>
     }},
};

class Failures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failures, SayWhyAndKeepWhatWasThere) {
  const FailureCase& c = GetParam();
  const fs::path home = FreshProgramFolder(std::string("failure_") + c.name);
  c.arrange(home);
  const auto start = std::chrono::steady_clock::now();
  const BatchRun run = RunTessivar(home, c.args, c.shell_prefix);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
  EXPECT_EQ(Replace(run.out, home.string(), "<home>"), c.out) << "stderr: " << run.err;
  EXPECT_EQ(run.exit_code, c.exit_code) << "stderr: " << run.err;
  c.check(home);
}

INSTANTIATE_TEST_SUITE_P(Cases, Failures, ::testing::ValuesIn(kCases),
                         [](const auto& instance) { return std::string(instance.param.name); });

// A second run while one is in progress in the same folder says so and
// leaves the first one's files alone.
TEST(Concurrency, OneRunAtATimePerProgramFolder) {
  const fs::path home = FreshProgramFolder("one_run_at_a_time");
  WriteCp932(home / "CSV_IN" / "KEN_ALL.CSV", kRecords);
  WriteBytes(home / "CSV_OUT" / "ZIP.TXT", "the first run's");
  text::RunLock first_run;
  ASSERT_EQ(first_run.Acquire(home / "Tessivar.lock"), text::RunLock::Result::kLocked);
  const BatchRun run = RunTessivar(home, kWordList);
  EXPECT_EQ(run.out,
            "別の Tessivar がこのフォルダーで作成中です。終わってから もう一度 実行してください。\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(ReadBytes(home / "CSV_OUT" / "ZIP.TXT"), "the first run's");
}

}  // namespace
}  // namespace tessivar::e2e
