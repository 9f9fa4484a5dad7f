#include "handoff/handoff.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/scripted_dialogs.h"
#include "text/cp932.h"

namespace tessivar {
namespace {

namespace fs = std::filesystem;
using text::Cp932;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A program folder as installed: Morvane/ with its definition files, and
// CSV_OUT. The builder program is a shell script standing in for Morvane,
// or the real one.
class HandoffTest : public ::testing::Test {
 protected:
  HandoffTest() {
    std::string pattern = (fs::temp_directory_path() / "handoff_test_XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    fs::create_directories(builder() / "MDB定義");
    fs::create_directories(root_ / "CSV_OUT");
    settings_.program_folder = root_;
    settings_.out_folder = root_ / "CSV_OUT";
    settings_.poll_ms = 20;
  }
  ~HandoffTest() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  fs::path builder() const { return root_ / "Morvane"; }

  // A stand-in builder: keeps a copy of its settings file, waits, then
  // writes status (nothing when empty).
  void FakeBuilder(const std::string& status, const char* delay = "0.1") const {
    std::ofstream script(builder() / "Morvane");
    script << "#!/bin/sh\nd=$(dirname \"$0\")\ncp \"$d/Morvane.ini\" \"$d/seen.ini\"\nsleep " << delay
           << "\n";
    if (!status.empty()) script << "printf '" << status << "\\r\\n' > \"$d/Morvane結果.TXT\"\n";
    script.close();
    fs::permissions(builder() / "Morvane", fs::perms::owner_all);
  }

  void ExpectHandoffFilesGone() const {
    EXPECT_FALSE(fs::exists(builder() / "Morvane.ini"));
    EXPECT_FALSE(fs::exists(builder() / "Morvane結果.TXT"));
  }

  fs::path root_;
  HandoffSettings settings_;
  ScriptedDialogs dialogs_;
};

// Children of this process that have ended but were never collected.
int ZombieChildren() {
  int zombies = 0;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    const size_t close = line.rfind(')');
    if (close == std::string::npos || close + 4 > line.size()) continue;
    char state = line[close + 2];
    const long ppid = std::strtol(line.c_str() + close + 4, nullptr, 10);
    if (ppid == getpid() && state == 'Z') ++zombies;
  }
  return zombies;
}

TEST_F(HandoffTest, BuilderReportsSuccess) {
  FakeBuilder("STS=0");
  EXPECT_EQ(F_MDB_Create(settings_, dialogs_), BuilderOutcome::kSucceeded);
  EXPECT_TRUE(dialogs_.messages().empty());
  ExpectHandoffFilesGone();
  const std::string root = root_.string();
  EXPECT_EQ(ReadBytes(builder() / "seen.ini"),
            "\xEF\xBB\xBF[Morvane Section]\r\n"
            "LOG_DIR = \"" +
                root +
                "\"\r\n"
                "LOG_FILE = \"Morvane.Log\"\r\n"
                "RESULT_DIR = \"*\"\r\n"
                "RESULT_FILE = \"Morvane結果.TXT\"\r\n"
                "DSTRB_DIR = \"" +
                root +
                "/CSV_OUT\"\r\n"
                "MDB_DIR = \"" +
                root +
                "/MDB_OUT\"\r\n"
                "FileCntl = \"FileCntl.CTL\"\r\n"
                "SQL_FILES = \"torvaskmdb.sql/県tbl.sql\"\r\n");
}

TEST_F(HandoffTest, OnlyTheFirstFiveCharactersCount) {
  struct Case {
    const char* status;
    BuilderOutcome outcome;
  };
  for (const Case& c :
       {Case{"STS=9", BuilderOutcome::kFailed}, Case{"STS=9 more text", BuilderOutcome::kFailed},
        Case{"STS=0extra", BuilderOutcome::kSucceeded}}) {
    FakeBuilder(c.status);
    EXPECT_EQ(F_MDB_Create(settings_, dialogs_), c.outcome) << c.status;
    ExpectHandoffFilesGone();
  }
  EXPECT_TRUE(dialogs_.messages().empty());
}

// A builder still running at the time limit is ended, so that it cannot
// publish after the verdict; what it wrote meanwhile does not count.
TEST_F(HandoffTest, BuilderThatNeverEnds) {
  for (const char* status : {"STS=2", "STS=0", ""}) {
    std::ofstream(builder() / "Morvane")
        << "#!/bin/sh\n"
        << (*status ? "printf '" + std::string(status) + "\\r\\n' > \"$(dirname \"$0\")/Morvane結果.TXT\"\n"
                    : std::string())
        << "exec sleep 30\n";
    fs::permissions(builder() / "Morvane", fs::perms::owner_all);
    settings_.time_limit = std::chrono::milliseconds(300);
    ScriptedDialogs dialogs;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(F_MDB_Create(settings_, dialogs), BuilderOutcome::kTimedOut);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, settings_.time_limit);
    EXPECT_LT(waited, std::chrono::seconds(3)) << status;  // ended, not waited for
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"Morvaneが想定時間以内に終了できません。"})
        << status;
    ExpectHandoffFilesGone();
  }
  EXPECT_EQ(ZombieChildren(), 0);
}

TEST_F(HandoffTest, MissingBuilderProgram) {
  EXPECT_EQ(F_MDB_Create(settings_, dialogs_), BuilderOutcome::kNotStarted);
  ASSERT_EQ(dialogs_.messages().size(), 2u);
  EXPECT_TRUE(dialogs_.messages()[0].starts_with("F_MDB_Create:エラー：")) << dialogs_.messages()[0];
  EXPECT_NE(dialogs_.messages()[0].find((builder() / "Morvane").string()), std::string::npos);
  EXPECT_EQ(dialogs_.messages()[1], "Morvaneが起動できません。");
  ExpectHandoffFilesGone();
}

TEST_F(HandoffTest, ResultMessages) {
  struct Case {
    BuilderOutcome outcome;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {BuilderOutcome::kSucceeded,
       {"郵便番号MDB を 1234 件 作成しました。\r\nMDB_OUTディレクトリ内の "
        "torvask.mdbを「Quillmere」システムへコピーしてください。"}},
      {BuilderOutcome::kFailed,
       {"Morvaneが失敗しました。 \r\nTessivarと同じディレクトリの Morvane.Log ファイルを参照ください。"}},
      {BuilderOutcome::kEnded, {}},
      {BuilderOutcome::kTimedOut, {}},
      {BuilderOutcome::kNotStarted, {}},
  };
  for (const Case& c : cases) {
    ScriptedDialogs dialogs;
    ShowBuilderResult(c.outcome, 1234, dialogs);
    EXPECT_EQ(dialogs.messages(), c.messages);
  }
}

TEST_F(HandoffTest, CopiesTheDefinitionFiles) {
  std::ofstream(builder() / "MDB定義" / "torvaskmdb.sql") << "new sql";
  std::ofstream(builder() / "MDB定義" / "県TBL.CSV") << "new csv";  // found without regard to case
  std::ofstream(settings_.out_folder / "torvaskmdb.sql") << "old";
  EXPECT_FALSE(CopyDefinitionFiles(settings_, dialogs_));
  EXPECT_EQ(ReadBytes(settings_.out_folder / "torvaskmdb.sql"), "new sql");
  EXPECT_EQ(ReadBytes(settings_.out_folder / "県tbl.csv"), "new csv");
  // The missing script is reported; the others were copied all the same, and
  // no partial copy stays.
  EXPECT_FALSE(fs::exists(settings_.out_folder / "県tbl.sql"));
  EXPECT_EQ(std::distance(fs::directory_iterator(settings_.out_folder), {}), 2);
  ASSERT_EQ(dialogs_.messages().size(), 1u);
  EXPECT_NE(dialogs_.messages()[0].find("県tbl.sql"), std::string::npos) << dialogs_.messages()[0];
}

// The builder's end decides: the wait lasts as long as the builder does, its
// status file is read once it has ended, and a builder that ends without a
// verdict is reported. The wait ends with the builder, not at the next look.
TEST_F(HandoffTest, WaitEndsWithTheBuilder) {
  settings_.poll_ms = 10'000;
  const std::string status = "> \"$(dirname \"$0\")/Morvane結果.TXT\"";
  struct Case {
    std::string script;
    BuilderOutcome outcome;
    std::vector<std::string> messages;
  } cases[] = {
      {"printf 'STS=0\\r\\n' " + status, BuilderOutcome::kSucceeded, {}},
      // A verdict written early is taken only when the builder has ended.
      {"printf 'STS=9\\r\\n' " + status + "; sleep 0.6", BuilderOutcome::kFailed, {}},
      {"printf 'STS=2\\r\\n' " + status + "; exit 0",
       BuilderOutcome::kEnded,
       {"Morvaneが結果を書かずに終了しました（終了コード 0）。"}},
      {"exit 3", BuilderOutcome::kEnded, {"Morvaneが結果を書かずに終了しました（終了コード 3）。"}},
      {"kill -9 $$", BuilderOutcome::kEnded, {"Morvaneが結果を書かずに終了しました（シグナル 9）。"}},
  };
  for (const Case& c : cases) {
    std::ofstream(builder() / "Morvane") << "#!/bin/sh\nsleep 0.1\n" << c.script << "\n";
    fs::permissions(builder() / "Morvane", fs::perms::owner_all);
    ScriptedDialogs dialogs;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(F_MDB_Create(settings_, dialogs), c.outcome) << c.script;
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(waited, std::chrono::seconds(2)) << c.script;
    if (c.script.ends_with("sleep 0.6")) {
      EXPECT_GE(waited, std::chrono::milliseconds(600));
    }
    EXPECT_EQ(dialogs.messages(), c.messages) << c.script;
    ExpectHandoffFilesGone();
  }
  EXPECT_EQ(ZombieChildren(), 0);
}

long Count(const fs::path& db_path, const std::string& sql) {
  sqlite3* db = nullptr;
  long n = -1;
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_open_v2(db_path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
      sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
      sqlite3_step(stmt) == SQLITE_ROW) {
    n = sqlite3_column_int64(stmt, 0);
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return n;
}

TEST_F(HandoffTest, RealBuilderBuildsTheDatabase) {
  fs::copy_file(MORVANE_EXE, builder() / "Morvane");
  for (const char* name : {"torvaskmdb.sql", "県tbl.sql", "県tbl.csv"}) {
    fs::copy_file(fs::path(SHIPPED_DIR) / "Morvane" / "MDB定義" / name, builder() / "MDB定義" / name);
  }
  CopyDefinitionFiles(settings_, dialogs_);
  std::string data;
  Cp932 codec;
  codec.Encode(
      u"\"地方自治体コード\",\"新郵便番号\",\"都道府県名カタカナ\",\"市区町村名カタカナ\",\"町域名カタカナ\","
      u"\"都道府県名漢字\",\"市区町村名漢字\",\"町域名漢字\",\"コメント漢字\",\"コメントカナ\","
      u"\"会社名カタカナ\","
      u"\"会社名漢字\"\r\n"
      u"01101,\"0600000\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"\",\"北海道\",\"札幌市中央区\",\"\",,,,\r\n",
      data);
  std::ofstream(settings_.out_folder / "torvaskmdb.CSV", std::ios::binary) << data;

  EXPECT_EQ(F_MDB_Create(settings_, dialogs_), BuilderOutcome::kSucceeded);
  EXPECT_TRUE(dialogs_.messages().empty()) << dialogs_.messages().front();
  ExpectHandoffFilesGone();
  const fs::path db = root_ / "MDB_OUT" / "torvask.mdb";
  EXPECT_EQ(Count(db, "SELECT count(*) FROM T_郵便番号"), 1);
  EXPECT_EQ(Count(db, "SELECT count(*) FROM T_県"), 47);
  EXPECT_EQ(Count(db, "SELECT count(*) FROM T_Version"), 1);
  EXPECT_TRUE(fs::is_empty(settings_.out_folder));
  EXPECT_TRUE(fs::exists(root_ / "Morvane.Log"));
  // The builder's process has been collected.
  for (int i = 0; i < 50 && ZombieChildren() > 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(ZombieChildren(), 0);
}

}  // namespace
}  // namespace tessivar
