#include "builder/script_parser.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(ScriptParserTest, Directives) {
  struct Case {
    const char* line;
    DirectiveKind kind;
    const char* value;
  };
  const Case cases[] = {
      {"MDBNAME torvask.mdb;", DirectiveKind::kDatabase, "torvask.mdb"},
      // The value ends before the comment; the caller trims a database name.
      {"  mdbname=torvask.mdb -- the search database", DirectiveKind::kDatabase, "torvask.mdb "},
      {"MdbName torvask.mdb ' comment", DirectiveKind::kDatabase, "torvask.mdb "},
      {"USE other.mdb", DirectiveKind::kDatabase, "other.mdb"},
      {"use   spaced.mdb  ", DirectiveKind::kDatabase, "spaced.mdb"},
      {"USER.mdb", DirectiveKind::kDatabase, ".mdb"},  // any line beginning with USE
      {"TABLENAME T_Zip;", DirectiveKind::kTable, "T_Zip"},
      {"tablename:T_県 -- prefectures", DirectiveKind::kTable, "T_県 "},
      {"TABLENAME", DirectiveKind::kTable, ""},
      {"DROP TABLE x;", DirectiveKind::kNone, ""},
  };
  for (const Case& c : cases) {
    const Directive d = ParseDirective(c.line);
    EXPECT_EQ(d.kind, c.kind) << c.line;
    EXPECT_EQ(d.value, c.value) << c.line;
  }
}

TEST(ScriptParserTest, IgnoredLines) {
  EXPECT_TRUE(IsIgnoredLine(""));
  EXPECT_TRUE(IsIgnoredLine("    "));
  EXPECT_TRUE(IsIgnoredLine("  ' comment"));
  EXPECT_TRUE(IsIgnoredLine("-- comment"));
  EXPECT_FALSE(IsIgnoredLine("a -- b"));
}

TEST(ScriptParserTest, StatementsAreJoinedWithSingleSpaces) {
  StatementJoiner joiner;
  EXPECT_FALSE(joiner.Add("INSERT INTO t (a)\t"));
  EXPECT_FALSE(joiner.Add("  ' a comment line"));
  EXPECT_FALSE(joiner.Add("   VALUES -- trailing comment"));
  EXPECT_EQ(joiner.Add("(1); text after the end"), "INSERT INTO t (a) VALUES (1);");
  // A ";" in the first column does not end a statement; one after it does.
  EXPECT_FALSE(joiner.Add("DELETE FROM t"));
  EXPECT_FALSE(joiner.Add(";"));
  EXPECT_EQ(joiner.Add("x;"), "DELETE FROM t ; x;");
  // A "'" or "--" after the ";" stays inside the statement.
  EXPECT_EQ(joiner.Add("UPDATE t SET a = 'b'; -- done"), "UPDATE t SET a = 'b';");
}

TEST(ScriptParserTest, StatementKinds) {
  EXPECT_EQ(ClassifyStatement("drop  table x;"), StatementKind::kDropTable);
  EXPECT_EQ(ClassifyStatement("DROP INDEX i;"), StatementKind::kExecute);
  EXPECT_EQ(ClassifyStatement("Create Table x (a TEXT);"), StatementKind::kCreateTable);
  EXPECT_EQ(ClassifyStatement("CREATE INDEX i ON x (a);"), StatementKind::kExecute);
  EXPECT_EQ(ClassifyStatement("delete from x;"), StatementKind::kExecute);
  EXPECT_EQ(ClassifyStatement("INSERT INTO x VALUES (1);"), StatementKind::kExecute);
  EXPECT_EQ(ClassifyStatement("update x set a = 1;"), StatementKind::kExecute);
  EXPECT_EQ(ClassifyStatement("SELECT * FROM x;"), StatementKind::kIgnored);
  EXPECT_EQ(ClassifyStatement("ALTER TABLE x ADD b TEXT;"), StatementKind::kIgnored);
  EXPECT_EQ(ClassifyStatement("DROPTABLE x;"), StatementKind::kIgnored);
}

TEST(ScriptParserTest, TypeWordsInBothLanguages) {
  struct Case {
    const char* type_text;
    ColumnType type;
    int size;
  };
  const Case cases[] = {
      {"テキスト(20)", ColumnType::kText, 20},
      {"TEXT(300)", ColumnType::kText, 255},
      {"TEXT", ColumnType::kText, 0},
      {"長整数型", ColumnType::kLong, 0},
      {"LONG", ColumnType::kLong, 0},
      {"バイト型", ColumnType::kByte, 0},
      {"BYTE", ColumnType::kByte, 0},
      {"整数型", ColumnType::kInteger, 0},
      {"INTEGER NOT NULL", ColumnType::kInteger, 0},
      {"単精度浮動小数点型", ColumnType::kSingle, 0},
      {"SINGLE", ColumnType::kSingle, 0},
      {"倍精度浮動小数点型", ColumnType::kDouble, 0},
      {"DOUBLE", ColumnType::kDouble, 0},
      {"メモ型(70000)", ColumnType::kMemo, 65535},
      {"MEMO(1000)", ColumnType::kMemo, 1000},
      {"十進型", ColumnType::kDecimal, 0},
      {"DECIMAL(10,2)", ColumnType::kDecimal, 0},
      {"日付/時刻型", ColumnType::kDateTime, 0},
      {"DATE/TIME", ColumnType::kDateTime, 0},
      {"通貨型", ColumnType::kCurrency, 0},
      {"CURRENCY", ColumnType::kCurrency, 0},
      {"オートナンバー型", ColumnType::kAutoNumber, 0},
      {"AUTONUMBER", ColumnType::kAutoNumber, 0},
      {"YES/NO型", ColumnType::kBoolean, 0},
      {"YES/NO", ColumnType::kBoolean, 0},
      // The memo size is read after the "(" in both languages.
      {"メモ型(65535)", ColumnType::kMemo, 65535},
      {"メモ型", ColumnType::kMemo, 0},
  };
  for (const Case& c : cases) {
    const auto column = ColumnTypeOf(c.type_text);
    ASSERT_TRUE(column) << c.type_text;
    EXPECT_EQ(column->type, c.type) << c.type_text;
    EXPECT_EQ(column->size, c.size) << c.type_text;
  }
  EXPECT_FALSE(ColumnTypeOf("VARCHAR(10)"));
  EXPECT_FALSE(ColumnTypeOf(""));
}

TEST(ScriptParserTest, CreateTableColumns) {
  const TableDefinition t = ParseCreateTable(
      "CREATE TABLE  [T_Zip] ( ID AUTONUMBER, 郵便番号 TEXT(7), 金額 DECIMAL(10,2), 名前 nochar, "
      "郵便番号 TEXT(8), ID2 オートナンバー型, 件数 integer not null );");
  EXPECT_EQ(t.name, "T_Zip");
  ASSERT_EQ(t.columns.size(), 4u);
  EXPECT_EQ(t.columns[0].name, "ID");
  EXPECT_EQ(t.columns[1].name, "郵便番号");
  EXPECT_EQ(t.columns[1].size, 7);
  EXPECT_EQ(t.columns[2].type, ColumnType::kDecimal);
  EXPECT_EQ(t.columns[3].name, "件数");
  EXPECT_EQ(t.columns[3].type, ColumnType::kInteger);  // upper-cased before the search
  // Unknown type, the name used twice, a second counter.
  EXPECT_EQ(t.rejected.size(), 3u);
}

}  // namespace
}  // namespace morvane
