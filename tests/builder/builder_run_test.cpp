#include "builder/builder_run.h"

#include <algorithm>
#include <cerrno>
#include <regex>

#include "builder/work_folder.h"

#include "builder_test_support.h"
#include "text/file_names.h"
#include "text/run_lock.h"

namespace morvane {
namespace {

using testing::BuilderFolders;
using testing::Contains;
using testing::LogTexts;
using testing::Query;
using testing::WriteCp932;
namespace fs = std::filesystem;

const std::string kSeparator(54, '-');
const std::string kStart = "Morvane処理を開始します。  ";
const std::string kEnd = "Morvane処理を終了しました。 ";

const std::vector<std::string> kGoodScript = {"MDBNAME db.mdb", "TABLENAME T", "DROP TABLE T;",
                                              "CREATE TABLE T (code TEXT(7), name TEXT(10));",
                                              "INSERT INTO T_Version (VERSION, VLDATA) VALUES (1, '7.0');"};

// Log lines with the working folder's random part cut out.
std::vector<std::string> WithoutWorkFolderName(std::vector<std::string> lines) {
  static const std::regex kWorkFolder("@Morvane\\.[A-Za-z0-9]{6}/");
  for (auto& line : lines) line = std::regex_replace(line, kWorkFolder, "@Morvane.*/");
  return lines;
}

// The names in folder, files and folders alike, sorted.
std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class BuilderRunTest : public ::testing::Test {
 protected:
  // Runs the builder; true when it failed.
  bool Run() {
    ctx_ = std::make_unique<BuilderContext>(folders_.builder(), messages_);
    return RunBuilder(*ctx_) == StepResult::kFailed;
  }
  void WriteGoodInputs(const std::string& first_name = "first") const {
    WriteCp932(folders_.inputs() / "t.sql", kGoodScript);
    WriteCp932(folders_.inputs() / "t.csv", {"\"code\",\"name\"", "\"1000001\",\"" + first_name + "\""});
  }
  std::vector<Status> Written() const { return ctx_->status.written(); }

  BuilderFolders folders_;
  std::ostringstream messages_;
  std::unique_ptr<BuilderContext> ctx_;
};

TEST_F(BuilderRunTest, SuccessfulRun) {
  folders_.WriteSettings();
  WriteGoodInputs();
  ASSERT_FALSE(Run());
  EXPECT_EQ(folders_.StatusLine(), "STS=0");
  // "STS=1" as soon as its place is known, "STS=2" again just before
  // publishing (a status that cannot be written stops the run there), then
  // the verdict.
  EXPECT_EQ(Written(),
            (std::vector<Status>{Status::kStarted, Status::kRunning, Status::kRunning, Status::kDone}));
  const std::string dir = folders_.databases().string() + "/";
  EXPECT_EQ(
      WithoutWorkFolderName(LogTexts(folders_.log())),
      (std::vector<std::string>{kSeparator, kStart, kSeparator, "@db.mdb に T を インポートしました。",
                                dir + "@Morvane.*/@db.mdb Ver=7.0 を " + dir + "db.mdbへコピーしました。",
                                kSeparator, kEnd, kSeparator}));
  EXPECT_EQ(Query(folders_.databases() / "db.mdb", "SELECT code, name FROM T"),
            std::vector<std::string>{"1000001|first"});
  EXPECT_EQ(text::ListFiles(folders_.inputs(), "*"), std::vector<std::string>{});
  EXPECT_EQ(Entries(folders_.databases()), std::vector<std::string>{"db.mdb"});
  EXPECT_FALSE(fs::exists(folders_.builder() / kWorkRecordFile));
}

TEST_F(BuilderRunTest, NoScriptBypassesPublishing) {
  folders_.WriteSettings();
  ASSERT_FALSE(Run());
  EXPECT_EQ(folders_.StatusLine(), "STS=0");
  EXPECT_EQ(LogTexts(folders_.log()),
            (std::vector<std::string>{
                kSeparator, kStart, kSeparator,
                "Morvane処理:取り込みデータのファイルが見つからないため、処理を迂回しました。", kSeparator,
                kEnd, kSeparator}));
}

TEST_F(BuilderRunTest, InputFolderThatCannotBeReadFailsTheRun) {
  std::ofstream(folders_.root() / "plain.txt") << "k.sql";
  struct Case {
    fs::path inputs;
    std::string last_line;
    std::string status;
  };
  const std::string bypass = "Morvane処理:取り込みデータのファイルが見つからないため、処理を迂回しました。";
  const std::string counting = "取り込み用(.SQL/.SQU)ファイルのカウント処理中にエラーが発生しました。(" +
                               std::to_string(ENOTDIR) + ")";
  const Case cases[] = {
      {folders_.root() / "plain.txt", counting, "STS=9"},          // a file, not a folder
      {folders_.root() / "plain.txt" / "sub", counting, "STS=9"},  // a path through a file
      {folders_.root() / "missing", bypass, "STS=0"},              // no folder: no script
  };
  for (const Case& c : cases) {
    folders_.WriteSettings(c.inputs);
    Run();
    EXPECT_EQ(folders_.StatusLine(), c.status) << c.inputs;
    const auto log = LogTexts(folders_.log());
    EXPECT_TRUE(Contains(log, c.last_line)) << c.inputs << "\n" << testing::ReadBytes(folders_.log());
    EXPECT_EQ(Contains(log, kEnd), c.status == "STS=0") << c.inputs;
  }
}

TEST_F(BuilderRunTest, UnusableSettings) {
  WriteCp932(folders_.builder() / "Morvane.ini",
             {"[Morvane Section]", "LOG_DIR = \"" + folders_.root().string() + "\"",
              "LOG_FILE = \"Morvane.Log\"", "RESULT_DIR = \"*\""});
  ASSERT_TRUE(Run());
  // No status file name: the failure cannot be written anywhere.
  EXPECT_EQ(Written(), std::vector<Status>{});
  const std::string why =
      (folders_.builder() / "Morvane.ini").string() + " に LOG_FILE と RESULT_FILE の両方が必要です。";
  EXPECT_EQ(LogTexts(folders_.log()),
            (std::vector<std::string>{kSeparator, kStart, kSeparator,
                                      "INIファイルが読めません。処理を中止します。", why}));
  // Run by hand, the builder says why on standard error too.
  EXPECT_EQ(messages_.str(), "Morvane: " + why + "\n");
}

TEST_F(BuilderRunTest, StatusFolderMadeByTheRun) {
  WriteCp932(folders_.builder() / "Morvane.ini",
             {"[Morvane Section]", "LOG_DIR = \"" + folders_.root().string() + "\"",
              "LOG_FILE = \"Morvane.Log\"", "RESULT_DIR = \"*/status\"", "RESULT_FILE = \"Morvane結果.TXT\"",
              "DSTRB_DIR = \"" + folders_.inputs().string() + "\"",
              "MDB_DIR = \"" + folders_.databases().string() + "\""});
  ASSERT_FALSE(Run());
  EXPECT_EQ(Written(), (std::vector<Status>{Status::kStarted, Status::kRunning, Status::kDone}));
  EXPECT_EQ(testing::ReadCp932Lines(folders_.builder() / "status" / "Morvane結果.TXT"),
            std::vector<std::string>{"STS=0"});
}

TEST_F(BuilderRunTest, UnusableSettingsWithAKnownStatusFile) {
  WriteCp932(folders_.builder() / "Morvane.ini",
             {"[Morvane Section]", "RESULT_DIR = \"*\"", "RESULT_FILE = \"Morvane結果.TXT\""});
  ASSERT_TRUE(Run());
  EXPECT_EQ(folders_.StatusLine(), "STS=9");
}

TEST_F(BuilderRunTest, FailingScriptStopsTheRun) {
  folders_.WriteSettings();
  WriteCp932(folders_.inputs() / "a.sql",
             {"MDBNAME db.mdb", "TABLENAME T", "INSERT INTO Nowhere VALUES (1);"});
  WriteCp932(folders_.inputs() / "b.sql", kGoodScript);
  ASSERT_TRUE(Run());
  EXPECT_EQ(folders_.StatusLine(), "STS=9");
  const auto log = LogTexts(folders_.log());
  EXPECT_EQ(log.back(), "取り込み用(a.sql) Tの作成ができません。");
  EXPECT_TRUE(fs::exists(folders_.inputs() / "b.sql"));  // not run, nothing cleared
  EXPECT_FALSE(fs::exists(folders_.databases() / "db.mdb"));
}

TEST_F(BuilderRunTest, FailingImportStopsTheRun) {
  folders_.WriteSettings();
  WriteCp932(folders_.inputs() / "t.sql", kGoodScript);
  WriteCp932(folders_.inputs() / "t.csv", {"\"code\",\"name\"", "\"10000010\",\"code too long\""});
  ASSERT_TRUE(Run());
  EXPECT_EQ(folders_.StatusLine(), "STS=9");
  EXPECT_EQ(LogTexts(folders_.log()).back(), "取り込み用(t.CSV)のインポートができません。");
}

TEST_F(BuilderRunTest, FailingPublishStopsTheRun) {
  folders_.WriteSettings();
  WriteGoodInputs();
  // A folder in the way of the database and of its backup: compaction fails.
  fs::create_directories(folders_.databases() / "db.mdb" / "x");
  ASSERT_TRUE(Run());
  EXPECT_EQ(folders_.StatusLine(), "STS=9");
  EXPECT_EQ(LogTexts(folders_.log()).back(), "@db.mdbの コピーができません。");
}

TEST_F(BuilderRunTest, FailedBuildKeepsTheLastGoodDatabase) {
  folders_.WriteSettings();
  WriteGoodInputs("good");
  ASSERT_FALSE(Run());
  WriteCp932(folders_.inputs() / "t.sql",
             {"MDBNAME db.mdb", "TABLENAME T", "this is no statement;", "DELETE FROM;"});
  ASSERT_TRUE(Run());
  EXPECT_EQ(folders_.StatusLine(), "STS=9");
  EXPECT_EQ(Query(folders_.databases() / "db.mdb", "SELECT name FROM T"), std::vector<std::string>{"good"});
  // The next good build replaces it.
  WriteGoodInputs("better");
  ASSERT_FALSE(Run());
  EXPECT_EQ(Query(folders_.databases() / "db.mdb", "SELECT name FROM T"), std::vector<std::string>{"better"});
  EXPECT_EQ(text::ListFiles(folders_.databases(), "*"), std::vector<std::string>{"db.mdb"});
}

// What a run killed while it worked left: its recorded working folder. The
// next run removes that folder and nothing else: whatever the user keeps in
// MDB_DIR stays as it is, whatever its name.
TEST_F(BuilderRunTest, OnlyTheWorkingFolderOfAKilledRunIsRemoved) {
  folders_.WriteSettings();
  const std::vector<std::string> kept = {"@Morvane.other", "@old.mdb",  "BK_db.mdb",
                                         "BK_notes.txt",   "notes.txt", "x.mdb-journal"};
  fs::create_directories(folders_.databases());
  for (const auto& name : kept) std::ofstream(folders_.databases() / name) << name;
  const fs::path leftover = folders_.databases() / "@Morvane.AbC123";
  fs::create_directories(leftover);
  std::ofstream(leftover / "@db.mdb") << "half a database";
  std::ofstream(folders_.builder() / kWorkRecordFile) << leftover.string() << "\r\n";
  WriteGoodInputs();
  ASSERT_FALSE(Run());
  std::vector<std::string> expected = kept;
  expected.push_back("db.mdb");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries(folders_.databases()), expected);
  for (const auto& name : kept) EXPECT_EQ(testing::ReadBytes(folders_.databases() / name), name);
  EXPECT_FALSE(fs::exists(folders_.builder() / kWorkRecordFile));
}

// Two builders in one folder: the second refuses before it touches anything.
TEST_F(BuilderRunTest, OneBuilderAtATimeInAFolder) {
  folders_.WriteSettings();
  WriteGoodInputs();
  text::RunLock first;
  ASSERT_EQ(first.Acquire(folders_.builder() / kRunLockFile), text::RunLock::Result::kLocked);
  std::ostringstream messages;
  EXPECT_EQ(RunBuilder(folders_.builder(), messages), 1);
  EXPECT_EQ(messages.str(),
            "Morvane: 別の Morvane がこのフォルダーで実行中です。終わってから もう一度 実行してください。\n");
  EXPECT_FALSE(fs::exists(folders_.log()));
  EXPECT_TRUE(fs::exists(folders_.inputs() / "t.sql"));
}

TEST_F(BuilderRunTest, SqlScriptsRunBeforeSquScripts) {
  folders_.WriteSettings();
  const std::vector<std::string> names = {"b.sql", "a.squ", "c.sql"};
  for (const auto& name : names) {
    WriteCp932(folders_.inputs() / name,
               {"MDBNAME db.mdb", "TABLENAME T", "CREATE TABLE IF_MISSING (x LONG);",
                "CREATE TABLE T_" + name.substr(0, 1) + " (x LONG);"});
  }
  ASSERT_FALSE(Run());
  EXPECT_EQ(ctx_->G_SqlFiles, (std::vector<std::string>{"b.sql", "c.sql", "a.squ"}));
}

TEST_F(BuilderRunTest, FileControlScriptRunsAfterSuccessAndIsDeleted) {
  folders_.WriteSettings();
  WriteGoodInputs();
  const fs::path made = folders_.root() / "made";
  WriteCp932(folders_.inputs() / "FileCntl.CTL", {"FSO,CREATEFOLDER " + made.string()});
  ASSERT_FALSE(Run());
  EXPECT_TRUE(fs::is_directory(made));
  EXPECT_FALSE(fs::exists(folders_.inputs() / "FileCntl.CTL"));
  EXPECT_TRUE(Contains(LogTexts(folders_.log()), "CREATEFOLDER " + made.string() + " を 処理しました。"));
  // After a failure it is not run and stays.
  fs::remove(made);
  WriteCp932(folders_.inputs() / "FileCntl.CTL", {"FSO,CREATEFOLDER " + made.string()});
  WriteCp932(folders_.inputs() / "bad.sql", {"TABLENAME T"});
  ASSERT_TRUE(Run());
  EXPECT_FALSE(fs::exists(made));
  EXPECT_TRUE(fs::exists(folders_.inputs() / "FileCntl.CTL"));
}

TEST_F(BuilderRunTest, FileControlScriptNameIgnoresCase) {
  folders_.WriteSettings();  // FileCntl = "FileCntl.CTL"
  WriteGoodInputs();
  const fs::path made = folders_.root() / "made";
  WriteCp932(folders_.inputs() / "filecntl.ctl", {"FSO,CREATEFOLDER " + made.string()});
  ASSERT_FALSE(Run());
  EXPECT_TRUE(fs::is_directory(made));
  EXPECT_EQ(text::ListFiles(folders_.inputs(), "*"), std::vector<std::string>{});
  EXPECT_TRUE(
      Contains(LogTexts(folders_.log()), folders_.inputs().string() + "/filecntl.ctlの処理を開始します。"));
}

// The catalogue names of the output fields, by number (separators left out).
std::string CatalogueName(int n) {
  static const char* const kNames[] = {"",
                                       "地方自治体コード",
                                       "旧郵便番号",
                                       "新郵便番号",
                                       "都道府県名カタカナ",
                                       "市区町村名カタカナ",
                                       "町域名カタカナ",
                                       "都道府県名漢字",
                                       "市区町村名漢字",
                                       "町域名漢字",
                                       "都道府県カタカナ文字数",
                                       "市区町村名カタカナ文字数",
                                       "町域名カタカナ文字数",
                                       "都道府県名漢字文字数",
                                       "市区町村名漢字文字数",
                                       "町域名漢字文字数",
                                       "一町域が二以上の郵便番号で表される場合の表示",
                                       "小字毎に番地が起番されている町域の表示",
                                       "丁目を有する町域の場合の表示",
                                       "一つの郵便番号で二以上の町域を表す場合の表示",
                                       "更新の表示",
                                       "変更理由",
                                       "org町域名カタカナ",
                                       "org町域名漢字",
                                       "コメント漢字",
                                       "コメントカナ",
                                       ",",
                                       "　",
                                       " ",
                                       "会社名カタカナ",
                                       "会社名漢字"};
  return kNames[n];
}

// The column-name line of the database data file, as the converter writes
// it from the set <Quillmere用> of the shipped Tessivar.ini.
std::string QuillmereHeader(std::vector<std::string>* names) {
  std::ifstream ini(testing::ShippedSource("Tessivar.ini"));
  std::string line;
  while (std::getline(ini, line) && line != "<Quillmere用>") {
  }
  EXPECT_TRUE(std::getline(ini, line)) << "no <Quillmere用> in Tessivar.ini";
  std::string header;
  std::stringstream entries(line);
  std::string entry;
  std::getline(entries, entry, ',');  // the marker at index 0
  int count = 1;
  while (std::getline(entries, entry, ',')) {
    ++count;
    const int n = std::stoi(entry);
    if (n == -1) continue;
    if (n >= 26 && n <= 28) {
      header += CatalogueName(n);
    } else {
      names->push_back(CatalogueName(n));
      header.append(1, '"').append(names->back()).append(1, '"');
    }
  }
  EXPECT_EQ(count, 61);
  return header;
}

TEST_F(BuilderRunTest, BuildsTheSearchDatabaseFromTheShippedDefinitions) {
  folders_.WriteSettings();
  for (const char* name : {"MDB定義/torvaskmdb.sql", "MDB定義/県tbl.sql", "MDB定義/県tbl.csv"}) {
    testing::InstallShipped(name, folders_.inputs());
  }
  std::vector<std::string> names;
  const std::string header = QuillmereHeader(&names);
  WriteCp932(
      folders_.inputs() / "torvaskmdb.CSV",
      {header, "01101,\"0600000\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"\",\"北海道\",\"札幌市中央区\",\"\",,,,",
       "01101,\"0640941\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"ｱｻﾋｶﾞｵｶ\",\"北海道\",\"札幌市中央区\",\"旭ケ丘\","
       "\"「北町（１～３丁目）」を除く\",\"<ｷﾀﾏﾁ>\",,",
       "13101,\"1008798\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｶｽﾐｶﾞｾｷ\",\"東京都\",\"千代田区\",\"霞が関\",,,"
       "\"ｿｳﾑｼｮｳ\",\"総務省\""});
  ASSERT_FALSE(Run()) << testing::ReadBytes(folders_.log());
  const fs::path db = folders_.databases() / "torvask.mdb";
  std::vector<std::string> columns;
  for (const auto& row : Query(db, "SELECT name FROM pragma_table_info('T_郵便番号')"))
    columns.push_back(row);
  EXPECT_EQ(columns, names);
  EXPECT_EQ(Query(db, "SELECT count(*) FROM T_郵便番号"), std::vector<std::string>{"3"});
  EXPECT_EQ(Query(db,
                  "SELECT 地方自治体コード, 町域名漢字, コメント漢字, 会社名漢字 FROM T_郵便番号 WHERE "
                  "新郵便番号 = '0640941'"),
            std::vector<std::string>{"01101|旭ケ丘|「北町（１～３丁目）」を除く|NULL"});
  EXPECT_EQ(Query(db, "SELECT count(*) FROM T_県"), std::vector<std::string>{"47"});
  EXPECT_EQ(Query(db, "SELECT 県名, 県名カナ FROM T_県 WHERE 県コード = '13'"),
            std::vector<std::string>{"東京都|ﾄｳｷｮｳﾄ"});
  EXPECT_EQ(Query(db, "SELECT count(*) FROM T_Version"), std::vector<std::string>{"1"});
  EXPECT_EQ(Query(db,
                  "SELECT count(*) FROM sqlite_master WHERE type = 'index' AND tbl_name = 'T_郵便番号' "
                  "AND sql LIKE '%新郵便番号%'"),
            std::vector<std::string>{"1"});
  EXPECT_EQ(text::ListFiles(folders_.inputs(), "*"), std::vector<std::string>{});
}

}  // namespace
}  // namespace morvane
