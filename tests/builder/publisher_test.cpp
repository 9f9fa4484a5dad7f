#include "builder/publisher.h"

#include <sys/resource.h>

#include <csignal>

#include "builder/engine.h"

#include "builder_test_support.h"
#include "text/file_names.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using testing::BuilderFolders;
using testing::LogTexts;
using testing::Query;
using testing::WriteCp932;

class PublisherTest : public ::testing::Test {
 protected:
  std::string Dir() const { return folders_.databases().string() + "/"; }
  fs::path Work() const { return ctx_.work_dir; }
  // A working database with one table "T" holding value, and a version row
  // when version is given.
  void MakeWorking(const std::string& name, const std::string& value, const char* version) {
    Database db = Database::Create(Work() / name);
    db.AppendTable("T_Version", {{"VLDATA", ColumnType::kText, 50}});
    db.AppendTable("T", {{"v", ColumnType::kText, 20}});
    db.Execute("INSERT INTO T VALUES ('" + value + "')");
    if (version) db.Execute(std::string("INSERT INTO T_Version VALUES ('") + version + "')");
  }
  std::vector<std::string> Value(const std::string& name) const {
    return Query(folders_.databases() / name, "SELECT v FROM T");
  }

  BuilderFolders folders_;
  std::ostringstream messages_;
  BuilderContext ctx_ = testing::ContextFor(folders_, messages_);
};

TEST_F(PublisherTest, WorkingDatabasesArePublishedInFolderOrder) {
  MakeWorking("@b.mdb", "b", "2.0");
  MakeWorking("@A.MDB", "a", nullptr);
  // The scripts of the run and their data files are consumed; the other
  // files of the input folder are not the run's.
  ctx_.G_SqlFiles = {"x.sql", "y.SQU"};
  for (const char* name : {"x.sql", "X.csv", "y.SQU", "unused.Csv", "keep.txt", "other.sql"})
    WriteCp932(folders_.inputs() / name, {name});
  ASSERT_EQ(F_DISTRIBUTE_MDB(ctx_), StepResult::kDone);
  const std::string work = ctx_.work_dir;
  EXPECT_EQ(LogTexts(folders_.log()),
            (std::vector<std::string>{work + "@A.MDBを " + Dir() + "A.MDBへコピーしました。",
                                      work + "@b.mdb Ver=2.0 を " + Dir() + "b.mdbへコピーしました。"}));
  EXPECT_EQ(Value("A.MDB"), std::vector<std::string>{"a"});
  EXPECT_EQ(Value("b.mdb"), std::vector<std::string>{"b"});
  EXPECT_EQ(text::ListFiles(folders_.databases(), "*"), (std::vector<std::string>{"A.MDB", "b.mdb"}));
  EXPECT_EQ(text::ListFiles(folders_.inputs(), "*"),
            (std::vector<std::string>{"keep.txt", "other.sql", "unused.Csv"}));
  EXPECT_EQ(text::ListFiles(Work(), "*"), std::vector<std::string>{});
}

TEST_F(PublisherTest, ReplacesThePreviousDatabaseAndLogsBothVersions) {
  MakeWorking("@z.mdb", "old", "1.0");
  ASSERT_EQ(F_DISTRIBUTE_MDB(ctx_), StepResult::kDone);
  MakeWorking("@z.mdb", "new", "1.1");
  ASSERT_EQ(F_DISTRIBUTE_MDB(ctx_), StepResult::kDone);
  EXPECT_EQ(LogTexts(folders_.log()).back(),
            ctx_.work_dir + "@z.mdb Ver=1.1 を " + Dir() + "z.mdb Ver=1.0 へコピーしました。");
  EXPECT_EQ(Value("z.mdb"), std::vector<std::string>{"new"});
  EXPECT_EQ(text::ListFiles(folders_.databases(), "*"), std::vector<std::string>{"z.mdb"});
}

TEST_F(PublisherTest, FailedCompactionRestoresThePreviousDatabase) {
  MakeWorking("@z.mdb", "good", "1.0");
  ASSERT_EQ(F_DISTRIBUTE_MDB(ctx_), StepResult::kDone);
  MakeWorking("@a.mdb", "a", nullptr);
  // A working file that is no database cannot be compacted.
  std::ofstream(Work() / "@z.mdb", std::ios::binary) << "not a database at all";
  WriteCp932(folders_.inputs() / "z.sql", {"x"});
  ctx_.G_SqlFiles = {"z.sql"};
  EXPECT_EQ(F_DISTRIBUTE_MDB(ctx_), StepResult::kFailed);
  const auto log = LogTexts(folders_.log());
  EXPECT_EQ(log.back(), "@z.mdbの コピーができません。");
  EXPECT_EQ(Value("z.mdb"), std::vector<std::string>{"good"});
  EXPECT_EQ(text::ListFiles(folders_.databases(), "*"), (std::vector<std::string>{"a.mdb", "z.mdb"}));
  EXPECT_EQ(text::ListFiles(folders_.inputs(), "*"), std::vector<std::string>{});
}

// A disk that fills up during compaction: the previous database stays whole
// and openable, and neither a partial copy nor a journal is left beside it
// (a journal beside it would roll it back to nothing when it is next opened).
// The full disk is a file size limit here.
TEST_F(PublisherTest, FullDiskDuringCompactionLeavesThePreviousDatabaseWhole) {
  MakeWorking("@z.mdb", "good", "1.0");
  ASSERT_EQ(F_DISTRIBUTE_MDB(ctx_), StepResult::kDone);
  MakeWorking("@z.mdb", "new", "2.0");
  {
    Database db(Work() / "@z.mdb");
    db.Execute("CREATE TABLE Big (v TEXT)");
    db.Execute(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
        "INSERT INTO Big SELECT printf('%.500d', i) FROM n");
  }
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 200000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const StepResult result = F_DISTRIBUTE_MDB(ctx_);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(result, StepResult::kFailed);
  EXPECT_EQ(LogTexts(folders_.log()).back(), "@z.mdbの コピーができません。");
  EXPECT_EQ(text::ListFiles(folders_.databases(), "*"), std::vector<std::string>{"z.mdb"});
  EXPECT_EQ(Value("z.mdb"), std::vector<std::string>{"good"});
}

// The backup and working names are the builder's own, in its working
// folder: files of the user's with such names in MDB_DIR play no part.
TEST_F(PublisherTest, UsersFilesWithBackupOrWorkingNamesPlayNoPart) {
  MakeWorking("@k.mdb", "good", "1.0");
  ASSERT_EQ(F_DISTRIBUTE_MDB(ctx_), StepResult::kDone);
  std::filesystem::create_directories(folders_.databases() / "BK_k.mdb" / "x");
  for (const char* name : {"@k.mdb", "@k.mdb.new", "BK_k.MDB.txt"})
    std::ofstream(folders_.databases() / name) << name;
  MakeWorking("@k.mdb", "new", "2.0");
  EXPECT_EQ(F_DISTRIBUTE_MDB(ctx_), StepResult::kDone);
  EXPECT_EQ(Value("k.mdb"), std::vector<std::string>{"new"});
  EXPECT_TRUE(std::filesystem::is_directory(folders_.databases() / "BK_k.mdb" / "x"));
  for (const char* name : {"@k.mdb", "@k.mdb.new", "BK_k.MDB.txt"})
    EXPECT_EQ(testing::ReadBytes(folders_.databases() / name), name);
}

TEST_F(PublisherTest, PreviousDatabaseSpelledInAnotherCaseIsReplaced) {
  MakeWorking("@Z.MDB", "old", "1.0");
  ASSERT_EQ(F_DISTRIBUTE_MDB(ctx_), StepResult::kDone);
  MakeWorking("@z.mdb", "new", "1.1");
  ASSERT_EQ(F_DISTRIBUTE_MDB(ctx_), StepResult::kDone);
  EXPECT_EQ(LogTexts(folders_.log()).back(),
            ctx_.work_dir + "@z.mdb Ver=1.1 を " + Dir() + "z.mdb Ver=1.0 へコピーしました。");
  EXPECT_EQ(text::ListFiles(folders_.databases(), "*"), std::vector<std::string>{"z.mdb"});
  EXPECT_EQ(Value("z.mdb"), std::vector<std::string>{"new"});
}

TEST_F(PublisherTest, Versions) {
  MakeWorking("@v.mdb", "v", "3.1");
  MakeWorking("@n.mdb", "n", nullptr);
  EXPECT_EQ(F_GET_VERSION(Work() / "@v.mdb"), "3.1");
  EXPECT_EQ(F_GET_VERSION(Work() / "@n.mdb"), "NFND");
  EXPECT_EQ(F_GET_VERSION(folders_.databases() / "missing.mdb"), "NFND");
  Database db = Database::Create(folders_.databases() / "none.mdb");
  db.AppendTable("X", {{"a", ColumnType::kLong, 0}});
  EXPECT_EQ(F_GET_VERSION(folders_.databases() / "none.mdb"), "NFND");
}

TEST(CompactTest, RefusesAnExistingDestination) {
  testing::TempFolder temp;
  { Database::Create(temp.path() / "a.mdb").AppendTable("T", {{"a", ColumnType::kLong, 0}}); }
  std::ofstream(temp.path() / "b.mdb") << "x";
  EXPECT_THROW(Database::Compact(temp.path() / "a.mdb", temp.path() / "b.mdb"), EngineError);
  EXPECT_EQ(testing::ReadBytes(temp.path() / "b.mdb"), "x");
  EXPECT_THROW(Database::Compact(temp.path() / "missing.mdb", temp.path() / "c.mdb"), EngineError);
}

}  // namespace
}  // namespace morvane
