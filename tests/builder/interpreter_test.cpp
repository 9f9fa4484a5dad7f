#include "builder/interpreter.h"

#include "builder_test_support.h"
#include "text/file_names.h"

namespace morvane {
namespace {

using testing::BuilderFolders;
using testing::Contains;
using testing::LogTexts;
using testing::Query;
using testing::WriteCp932;

class InterpreterTest : public ::testing::Test {
 protected:
  // Runs one script of the given lines; true when it failed.
  bool RunScript(const std::string& name, const std::vector<std::string>& lines) {
    WriteCp932(folders_.inputs() / name, lines);
    ctx_.G_SqlFile = name;
    return F04_READ_SQLTXT(ctx_) == StepResult::kFailed;
  }
  std::filesystem::path Db(const std::string& name) const {
    return std::filesystem::path(ctx_.work_dir) / name;
  }
  std::vector<std::string> Log() const { return LogTexts(folders_.log()); }

  BuilderFolders folders_;
  std::ostringstream messages_;
  BuilderContext ctx_ = testing::ContextFor(folders_, messages_);
};

TEST_F(InterpreterTest, NewDatabaseGetsAnEmptyVersionTable) {
  ASSERT_FALSE(RunScript(
      "a.sql", {"mdbname torvask.mdb -- lower case", "TABLENAME T;", "CREATE TABLE T (a TEXT(5));"}));
  EXPECT_EQ(Query(Db("@torvask.mdb"), "SELECT name FROM pragma_table_info('T_Version')"),
            (std::vector<std::string>{"VERSION", "REVISION", "VLDATA", "RLSDATE"}));
  EXPECT_EQ(Query(Db("@torvask.mdb"), "SELECT type FROM pragma_table_info('T_Version')"),
            (std::vector<std::string>{"SMALLINT", "SMALLINT", "VARCHAR(50)", "DATETIME"}));
  EXPECT_TRUE(Query(Db("@torvask.mdb"), "SELECT * FROM T_Version").empty());
  EXPECT_EQ(ctx_.G_MdbName, "@torvask.mdb");
}

TEST_F(InterpreterTest, SecondScriptNamingTheSameDatabaseKeepsIt) {
  ASSERT_FALSE(RunScript("a.sql", {"USE shared.mdb;", "TABLENAME A", "CREATE TABLE A (x LONG);",
                                   "INSERT INTO T_Version (VERSION, VLDATA) VALUES (1, 'v1');"}));
  ASSERT_FALSE(RunScript("b.sql", {"MDBNAME shared.mdb", "TABLENAME B", "CREATE TABLE B (y LONG);"}));
  EXPECT_EQ(Query(Db("@shared.mdb"), "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"),
            (std::vector<std::string>{"A", "B", "T_Version"}));
  EXPECT_EQ(Query(Db("@shared.mdb"), "SELECT VLDATA FROM T_Version"), (std::vector<std::string>{"v1"}));
}

TEST_F(InterpreterTest, DatabaseNamesIgnoreCase) {
  ASSERT_FALSE(RunScript("a.sql", {"MDBNAME torvask.mdb", "TABLENAME A", "CREATE TABLE A (x LONG);"}));
  ASSERT_FALSE(RunScript("b.sql", {"MDBNAME TORVASK.MDB", "TABLENAME B", "CREATE TABLE B (y LONG);"}));
  // One working file, under the spelling it was created with.
  EXPECT_EQ(text::ListFiles(ctx_.work_dir, "*"), std::vector<std::string>{"@torvask.mdb"});
  EXPECT_EQ(ctx_.G_MdbName, "@torvask.mdb");
  EXPECT_EQ(Query(Db("@torvask.mdb"), "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"),
            (std::vector<std::string>{"A", "B", "T_Version"}));
}

TEST_F(InterpreterTest, EveryFailingStepOfDatabaseCreationIsLogged) {
  // No working folder: the file cannot be created, nor opened, nor given its version table.
  std::filesystem::remove_all(ctx_.work_dir);
  EXPECT_TRUE(RunScript("a.sql", {"MDBNAME m.mdb", "TABLENAME T", "CREATE TABLE T (a LONG);"}));
  const auto log = Log();
  ASSERT_EQ(log.size(), 4u) << testing::ReadBytes(folders_.log());
  for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(log[i].starts_with("F05_CRE_MDB: ")) << log[i];
  EXPECT_NE(log[2].find("T_Version"), std::string::npos) << log[2];
  EXPECT_EQ(log[3], "取り込み用(a.sql) @m.mdbの作成ができません。");
}

TEST_F(InterpreterTest, StatementsOverSeveralLines) {
  ASSERT_FALSE(
      RunScript("a.sql", {"MDBNAME m.mdb", "TABLENAME T", "CREATE TABLE T (", "\ta テキスト(10),",
                          "  b 長整数型", ");", "INSERT INTO T (a, b)", "VALUES ('x', 42);",
                          "SELECT * FROM T;", "ALTER TABLE T ADD c TEXT;", "UPDATE T", "SET b = b + 1;"}));
  EXPECT_EQ(Query(Db("@m.mdb"), "SELECT a, b FROM T"), (std::vector<std::string>{"x|43"}));
  // ALTER was dropped: no third column.
  EXPECT_EQ(Query(Db("@m.mdb"), "SELECT count(*) FROM pragma_table_info('T')"),
            (std::vector<std::string>{"2"}));
}

TEST_F(InterpreterTest, EveryColumnTypeInBothLanguages) {
  ASSERT_FALSE(RunScript(
      "a.sql",
      {"MDBNAME m.mdb", "TABLENAME J",
       "CREATE TABLE J (c1 テキスト(300), c2 長整数型, c3 バイト型, c4 整数型 NOT NULL, c5 "
       "単精度浮動小数点型,"
       " c6 倍精度浮動小数点型, c7 メモ型(70000), c8 十進型, c9 日付/時刻型, c10 通貨型, c11 "
       "オートナンバー型,"
       " c12 YES/NO型, c13 テキスト);",
       "CREATE TABLE E (c1 TEXT(20), c2 LONG, c3 BYTE, c4 INTEGER, c5 SINGLE, c6 DOUBLE, c7 MEMO(100),"
       " c8 DECIMAL, c9 DATE/TIME, c10 CURRENCY, c11 AUTONUMBER, c12 YES/NO, c13 TEXT);"}));
  auto types = [&](const char* table) {
    return Query(Db("@m.mdb"), std::string("SELECT type FROM pragma_table_info('") + table + "')");
  };
  // Text always with its size, memo as plain TEXT (its size is checked on insert).
  EXPECT_EQ(types("J"), (std::vector<std::string>{"VARCHAR(255)", "INTEGER", "TINYINT", "SMALLINT", "REAL",
                                                  "DOUBLE", "TEXT", "DECIMAL", "DATETIME", "CURRENCY",
                                                  "INTEGER", "BOOLEAN", "VARCHAR(255)"}));
  EXPECT_EQ(types("E"), (std::vector<std::string>{"VARCHAR(20)", "INTEGER", "TINYINT", "SMALLINT", "REAL",
                                                  "DOUBLE", "TEXT", "DECIMAL", "DATETIME", "CURRENCY",
                                                  "INTEGER", "BOOLEAN", "VARCHAR(255)"}));
  EXPECT_EQ(Query(Db("@m.mdb"), "SELECT name FROM pragma_table_info('J') WHERE pk = 1"),
            (std::vector<std::string>{"c11"}));
  // Every column but the counter takes NULL, NOT NULL notwithstanding.
  EXPECT_EQ(Query(Db("@m.mdb"), "SELECT sum(\"notnull\") FROM pragma_table_info('J')"),
            (std::vector<std::string>{"0"}));
}

TEST_F(InterpreterTest, ColumnTypesHoldOnlyWhatTheyCan) {
  ASSERT_FALSE(RunScript(
      "a.sql", {"MDBNAME m.mdb", "TABLENAME T",
                "CREATE TABLE T (id AUTONUMBER, t TEXT(3), b BYTE, s INTEGER, f YES/NO, m MEMO(4));",
                "INSERT INTO T (t) VALUES ('abc');", "INSERT INTO T (t, m) VALUES ('日本語', 'メモ欄');"}));
  EXPECT_EQ(Query(Db("@m.mdb"), "SELECT id, t FROM T"), (std::vector<std::string>{"1|abc", "2|日本語"}));
  for (const char* statement : {"INSERT INTO T (t) VALUES ('abcd');", "INSERT INTO T (m) VALUES ('abcde');",
                                "INSERT INTO T (b) VALUES (256);", "INSERT INTO T (s) VALUES (40000);",
                                "INSERT INTO T (s) VALUES ('x');", "INSERT INTO T (f) VALUES (2);"}) {
    EXPECT_TRUE(RunScript("bad.sql", {"MDBNAME m.mdb", "TABLENAME T", statement})) << statement;
    EXPECT_TRUE(Contains(Log(), "取り込み用(bad.sql) Tの作成ができません。"));
  }
  EXPECT_EQ(Query(Db("@m.mdb"), "SELECT count(*) FROM T"), (std::vector<std::string>{"2"}));
}

TEST_F(InterpreterTest, DropOfAMissingTable) {
  // Without a CREATE after it, the drop's outcome is logged.
  ASSERT_FALSE(RunScript("a.sql", {"MDBNAME m.mdb", "TABLENAME Gone", "DROP TABLE Gone;"}));
  EXPECT_TRUE(Contains(Log(), "@m.mdb.Gone 削除(DROP)対象がありません。"));
  ASSERT_FALSE(RunScript("b.sql", {"MDBNAME m.mdb", "TABLENAME K", "CREATE TABLE K (a LONG);"}));
  ASSERT_FALSE(RunScript("c.sql", {"MDBNAME m.mdb", "TABLENAME K", "DROP TABLE K;"}));
  EXPECT_TRUE(Contains(Log(), "@m.mdb.Kを 削除(DROP)しました。"));
  EXPECT_TRUE(Query(Db("@m.mdb"), "SELECT name FROM sqlite_master WHERE name = 'K'").empty());
  // With a CREATE after it, the drop is not mentioned and the table exists.
  std::filesystem::remove(folders_.log());
  ASSERT_FALSE(
      RunScript("d.sql", {"MDBNAME m.mdb", "TABLENAME N", "DROP TABLE N;", "CREATE TABLE N (a LONG);"}));
  EXPECT_EQ(Log(), (std::vector<std::string>{"@m.mdb.N用の d.CSV が見つかりません。"}));
  EXPECT_EQ(Query(Db("@m.mdb"), "SELECT name FROM sqlite_master WHERE name = 'N'"),
            (std::vector<std::string>{"N"}));
}

TEST_F(InterpreterTest, CreateIndexRunsAsText) {
  ASSERT_FALSE(RunScript("a.sql", {"MDBNAME m.mdb", "TABLENAME T", "CREATE TABLE T (code TEXT(7));",
                                   "CREATE INDEX IX_code ON T (code);"}));
  EXPECT_EQ(
      Query(Db("@m.mdb"), "SELECT tbl_name FROM sqlite_master WHERE type = 'index' AND name = 'IX_code'"),
      (std::vector<std::string>{"T"}));
}

TEST_F(InterpreterTest, RejectedColumnsAreReportedAndLeftOut) {
  ASSERT_FALSE(RunScript("a.sql", {"MDBNAME m.mdb", "TABLENAME T", "CREATE TABLE T (a TEXT, b VARCHAR(9));",
                                   "CREATE TABLE T (c TEXT);"}));
  EXPECT_EQ(Query(Db("@m.mdb"), "SELECT name FROM pragma_table_info('T')"), (std::vector<std::string>{"a"}));
  // One message for the unknown type, one for the table that exists already.
  const auto log = Log();
  EXPECT_TRUE(Contains(log, "列 b の型「VARCHAR(9)」は作成できません。"));
  EXPECT_NE(messages_.str().find("already exists"), std::string::npos) << messages_.str();
}

TEST_F(InterpreterTest, FailingStatementFailsTheScript) {
  EXPECT_TRUE(RunScript("a.sql", {"MDBNAME m.mdb", "TABLENAME T", "INSERT INTO Nowhere VALUES (1);",
                                  "CREATE TABLE T (a TEXT);"}));
  EXPECT_TRUE(Contains(Log(), "取り込み用(a.sql) Tの作成ができません。"));
  EXPECT_NE(messages_.str().find("no such table: Nowhere"), std::string::npos);
  // The script stopped at the failing statement.
  EXPECT_TRUE(Query(Db("@m.mdb"), "SELECT name FROM sqlite_master WHERE name = 'T'").empty());
}

// The builder stays in its folder and runs one statement per statement line.
TEST_F(InterpreterTest, ScriptsCannotReachOutsideTheirDatabase) {
  EXPECT_TRUE(RunScript("up.sql", {"MDBNAME ../x.mdb", "TABLENAME T", "CREATE TABLE T (a TEXT);"}));
  EXPECT_TRUE(RunScript("sub.sql", {"USE sub\\x.mdb", "TABLENAME T", "CREATE TABLE T (a TEXT);"}));
  const auto log = Log();
  EXPECT_TRUE(Contains(log,
                       "取り込み用(up.sql) のデータベース名「../x.mdb」はファイル名ではありません"
                       "（MDB_DIR の中のファイル名だけを指定できます）。"));
  EXPECT_TRUE(Contains(log, "取り込み用(sub.sql) @sub\\x.mdbの作成ができません。"));
  EXPECT_EQ(text::ListFiles(ctx_.work_dir, "*"), std::vector<std::string>{});
  EXPECT_FALSE(std::filesystem::exists(folders_.databases() / "x.mdb"));

  // ";" in the first column does not end a statement, so the two join into
  // one text: it is refused whole, and the version table stays.
  EXPECT_TRUE(RunScript("two.sql", {"MDBNAME m.mdb", "TABLENAME T", "CREATE TABLE T (a LONG);",
                                    "INSERT INTO T VALUES (1)", "; DROP TABLE T_Version;"}));
  EXPECT_NE(messages_.str().find("1 つの文の後ろに別の文があります: DROP TABLE T_Version;"),
            std::string::npos)
      << messages_.str();
  EXPECT_EQ(Query(Db("@m.mdb"), "SELECT count(*) FROM T_Version"), std::vector<std::string>{"0"});
  EXPECT_EQ(Query(Db("@m.mdb"), "SELECT count(*) FROM T"), std::vector<std::string>{"0"});
  // A ";" and a comment after the one statement are no second statement.
  EXPECT_FALSE(RunScript("one.sql", {"MDBNAME m.mdb", "TABLENAME U", "CREATE TABLE U (a LONG);",
                                     "INSERT INTO U VALUES (1)", ";;"}));
  EXPECT_EQ(Query(Db("@m.mdb"), "SELECT count(*) FROM U"), std::vector<std::string>{"1"});
}

TEST_F(InterpreterTest, MissingDirectives) {
  EXPECT_TRUE(RunScript("nodb.sql", {"TABLENAME T", "CREATE TABLE T (a TEXT);"}));
  EXPECT_TRUE(RunScript("notable.sql", {"MDBNAME m.mdb"}));
  EXPECT_TRUE(RunScript("nothing.sql", {"' only a comment"}));
  const auto log = Log();
  EXPECT_TRUE(Contains(log, "取り込み用(notable.sql)に[TABLENAME]の指定がありません。"));
  EXPECT_TRUE(Contains(log, "取り込み用(nothing.sql)に[MDBNAME]の指定がありません。"));
  // A table block without a database has nothing to open.
  EXPECT_TRUE(log.front().starts_with("F04_READ_SQLTXT: ")) << log.front();
}

TEST_F(InterpreterTest, UnreadableScriptFails) {
  ctx_.G_SqlFile = "missing.sql";
  EXPECT_EQ(F04_READ_SQLTXT(ctx_), StepResult::kFailed);
  std::ofstream(folders_.inputs() / "bytes.sql", std::ios::binary) << "MDBNAME m.mdb\r\nTABLENAME \x81\r\n";
  ctx_.G_SqlFile = "bytes.sql";
  EXPECT_EQ(F04_READ_SQLTXT(ctx_), StepResult::kFailed);
  const auto log = Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_TRUE(log[0].starts_with("F04_READ_SQLTXT: ")) << log[0];
  EXPECT_NE(log[1].find("bytes.sql の 2 行目"), std::string::npos) << log[1];
}

}  // namespace
}  // namespace morvane
