#include "builder/importer.h"

#include "builder/interpreter.h"
#include "builder_test_support.h"

namespace morvane {
namespace {

using testing::BuilderFolders;
using testing::Contains;
using testing::LogTexts;
using testing::Query;
using testing::WriteCp932;

const std::vector<std::string> kScript = {
    "MDBNAME m.mdb", "TABLENAME T_Zip",
    "CREATE TABLE T_Zip (code TEXT(7), town TEXT(20), kana TEXT(20), n LONG);"};

const std::vector<std::string> kData = {
    "\"code\",\"town\",kana,\"n\"",
    "\"0600000\",\"札幌市中央区\",\"ｻｯﾎﾟﾛｼ\",1",
    "\"0640941\",\"旭ケ丘、北町\",,2",  // empty value: NULL
    "\"0010000\",\"\",\"a,b\",",        // a pair of quotes: NULL; a quoted comma stays
    "0020000,plain",                    // fewer values than the header: the rest NULL
};

const std::vector<std::string> kExpectedRows = {"0010000|NULL|a,b|NULL", "0020000|plain|NULL|NULL",
                                                "0600000|札幌市中央区|ｻｯﾎﾟﾛｼ|1",
                                                "0640941|旭ケ丘、北町|NULL|2"};

// Runs kScript with a data file in an input folder of the given name.
class ImportTest : public ::testing::TestWithParam<std::string> {
 protected:
  bool RunScript(const std::string& script, const std::vector<std::string>& data,
                 const std::vector<std::string>& lines = kScript) {
    WriteCp932(inputs_ / script, lines);
    const std::string base = script.substr(0, script.find('.'));
    if (!data.empty()) WriteCp932(inputs_ / (base + ".csv"), data);
    ctx_.G_SqlFile = script;
    return F04_READ_SQLTXT(ctx_) == StepResult::kFailed;
  }
  std::vector<std::string> Rows() const {
    return Query(std::filesystem::path(ctx_.work_dir) / "@m.mdb",
                 "SELECT code, town, kana, n FROM T_Zip ORDER BY code");
  }

  BuilderFolders folders_;
  std::filesystem::path inputs_ = folders_.root() / GetParam();
  std::ostringstream messages_;
  BuilderContext ctx_ = testing::ContextFor(folders_, messages_, inputs_);
};

TEST_P(ImportTest, LoadsEveryRow) {
  ASSERT_FALSE(RunScript("zip.sql", kData));
  EXPECT_EQ(Rows(), kExpectedRows);
  EXPECT_TRUE(Contains(LogTexts(folders_.log()), "@m.mdb に T_Zip を インポートしました。"));
}

TEST_P(ImportTest, BadRowFailsTheScriptAndLeavesNoRow) {
  for (const auto& bad : std::vector<std::string>{
           "\"0030000\",\"this town name is far too long\",x,3",  // longer than the column
           "\"0030000\",t,k,notanumber",                          // not a number
           "\"0030000\",t,k,4,extra",                             // more values than the header
           "\"0030000,t,k,4",                                     // a quote never closed
       }) {
    std::vector<std::string> data = kData;
    data.insert(data.begin() + 2, bad);
    EXPECT_TRUE(RunScript("zip.sql", data)) << bad;
    EXPECT_EQ(Rows(), std::vector<std::string>{}) << bad;
    const auto log = LogTexts(folders_.log());
    EXPECT_NE(log.at(log.size() - 2).find("zip.csv の 3 行目"), std::string::npos) << log.at(log.size() - 2);
    EXPECT_EQ(log.back(), "取り込み用(zip.CSV)のインポートができません。");
  }
}

// Rows go in many to a statement: a long file loads whole and in its order
// (a value holding a NUL character whole too), and a fault is named at its
// own line, an earlier line's before a later one's, wherever the two fall
// among the statements.
TEST_P(ImportTest, LongFileLoadsInOrderAndAFaultNamesItsLine) {
  std::vector<std::string> script = kScript;
  script.insert(script.begin() + 2, "DROP TABLE T_Zip;");
  std::vector<std::string> data = {kData.front()};
  std::vector<std::string> expected;
  for (int i = 0; i < 300; ++i) {  // on lines 2 to 301
    data.push_back("\"" + std::to_string(1000000 + i) + "\",t,k," + std::to_string(i));
    expected.push_back(std::to_string(i));
  }
  const std::string check = "\"0030000\",t,k,notanumber";
  const std::string extra = "\"0030000\",t,k,4,extra";
  const std::string unclosed = "\"0030000,t,k,4";
  const struct {
    std::vector<std::pair<size_t, std::string>> faults;  // line, text
    size_t named;
  } cases[] = {
      {{{2, check}}, 2},
      {{{200, check}}, 200},
      {{{301, check}}, 301},
      {{{130, check}, {140, extra}}, 130},
      {{{135, extra}, {136, check}}, 135},
      {{{150, check}, {151, unclosed}}, 150},
      {{{70, check}, {250, check}}, 70},
  };
  for (const auto& c : cases) {
    std::vector<std::string> faulty = data;
    for (const auto& [line, text] : c.faults) faulty.at(line - 1) = text;
    EXPECT_TRUE(RunScript("zip.sql", faulty, script)) << c.named;
    EXPECT_EQ(Rows(), std::vector<std::string>{}) << c.named;
    const auto log = LogTexts(folders_.log());
    const std::string where = "zip.csv の " + std::to_string(c.named) + " 行目";
    EXPECT_NE(log.at(log.size() - 2).find(where), std::string::npos) << log.at(log.size() - 2);
  }
  using namespace std::string_literals;
  data.at(9) = "\"1000008\",t\0u,k,8"s;
  ASSERT_FALSE(RunScript("zip.sql", data, script));
  const auto database = std::filesystem::path(ctx_.work_dir) / "@m.mdb";
  EXPECT_EQ(Query(database, "SELECT n FROM T_Zip ORDER BY rowid"), expected);
  EXPECT_EQ(Query(database, "SELECT hex(town) FROM T_Zip WHERE n = 8"), std::vector<std::string>{"740075"});
}

TEST_P(ImportTest, HeaderNameThatIsNoColumnFails) {
  EXPECT_TRUE(RunScript("zip.sql", {"\"code\",\"nosuch\"", "1,2"}));
  EXPECT_NE(LogTexts(folders_.log()).at(0).find("nosuch"), std::string::npos);
  EXPECT_EQ(Rows(), std::vector<std::string>{});
}

TEST_P(ImportTest, EmptyDataFileFails) {
  WriteCp932(inputs_ / "zip.csv", {});
  EXPECT_TRUE(RunScript("zip.sql", {}));
  const auto log = LogTexts(folders_.log());
  EXPECT_TRUE(Contains(log, "@m.mdb の T_Zip:zip.csv に見出し行がありません。"))
      << testing::ReadBytes(folders_.log());
  EXPECT_EQ(log.back(), "取り込み用(zip.CSV)のインポートができません。");
}

TEST_P(ImportTest, HeaderNamesIgnoreCase) {
  std::vector<std::string> data = kData;
  data.front() = "\"CODE\",\"Town\",KANA,\"N\"";
  ASSERT_FALSE(RunScript("zip.sql", data)) << testing::ReadBytes(folders_.log());
  EXPECT_EQ(Rows(), kExpectedRows);
}

TEST_P(ImportTest, MissingDataFileIsNoFailure) {
  ASSERT_FALSE(RunScript("zip.sql", {}));
  EXPECT_EQ(LogTexts(folders_.log()),
            (std::vector<std::string>{"@m.mdb.T_Zip用の zip.CSV が見つかりません。"}));
}

TEST_P(ImportTest, BaseNameEndsAtTheFirstDot) {
  ASSERT_FALSE(RunScript("zip.v2.sql", kData));
  EXPECT_EQ(Rows(), kExpectedRows);
}

TEST_P(ImportTest, NothingImportedWithoutCreateTable) {
  ASSERT_FALSE(RunScript("zip.sql", kData));
  ASSERT_FALSE(RunScript("again.sql", kData, {"MDBNAME m.mdb", "TABLENAME T_Zip", "DELETE FROM T_Zip;"}));
  EXPECT_EQ(Rows(), std::vector<std::string>{});
}

// The set-based statement, and the record-by-record loader for a folder
// whose path holds "]".
INSTANTIATE_TEST_SUITE_P(Paths, ImportTest, ::testing::Values("CSV_OUT", "CSV]OUT"),
                         [](const auto& instance) {
                           return instance.param == "CSV_OUT" ? "SetBased" : "RecordByRecord";
                         });

TEST(ImportTextTest, HeaderNamesMatchColumnsWithoutRegardToCase) {
  BuilderFolders folders;
  std::filesystem::create_directories(folders.databases());
  Database db = Database::Create(folders.databases() / "x.mdb");
  db.AppendTable("T", {{"Code", ColumnType::kText, 7}});
  WriteCp932(folders.inputs() / "x.csv", {"\"CODE\"", "\"1\""});
  db.Execute("INSERT INTO T SELECT * From [TEXT;DATABASE=" + folders.inputs().string() + "].[X.CSV]");
  EXPECT_EQ(Query(folders.databases() / "x.mdb", "SELECT Code FROM T"), (std::vector<std::string>{"1"}));
}

}  // namespace
}  // namespace morvane
