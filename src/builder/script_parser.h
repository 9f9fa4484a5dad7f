#pragma once
// Reading definition scripts: ignored lines, the directives that name the
// database and the table, statements joined across lines, and CREATE TABLE
// statements turned into typed columns. Pure text work, no database.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "builder/engine.h"

namespace morvane {

// TABs become spaces.
std::string ReplaceTabs(std::string_view line);
// Empty after its leading spaces, or a comment ("'" or "--").
bool IsIgnoredLine(std::string_view line);

enum class DirectiveKind { kNone, kDatabase, kTable };
struct Directive {
  DirectiveKind kind = DirectiveKind::kNone;
  std::string value;
};

// Recognises "MDBNAME x", "USE x" and "TABLENAME x" in any case (one
// separator character after the word). The value ends before a ";", else a
// "'", else a "--", else a space, found after its first character.
Directive ParseDirective(std::string_view line);

// Joins the lines of a table block into statements: a ";" after the first
// column ends a statement (text after it is dropped); "'" and "--" start a
// comment on lines without such a ";"; lines are joined with single spaces.
class StatementJoiner {
 public:
  // Returns the finished statement (with its ";") when line ends one.
  std::optional<std::string> Add(std::string_view line);

 private:
  std::string statement_;
};

enum class StatementKind {
  kDropTable,    // DROP TABLE: executed, a missing table is noted
  kCreateTable,  // CREATE TABLE: built from its columns
  kExecute,      // other DROP or CREATE, DELETE, INSERT, UPDATE: executed as text
  kIgnored,      // anything else (SELECT, ALTER, ...) is dropped
};
StatementKind ClassifyStatement(std::string_view statement);

struct TableDefinition {
  std::string name;
  std::vector<ColumnSpec> columns;
  // One message for each column left out (unknown type, name used twice, a
  // second auto-increment column).
  std::vector<std::string> rejected;
};

// The type word of a column's type text (upper-cased), searched in this
// order, Japanese or English: テキスト/TEXT, 長整数型/LONG, バイト型/BYTE,
// 整数型/INTEGER, 単精度浮動小数点型/SINGLE, 倍精度浮動小数点型/DOUBLE,
// メモ型/MEMO, 十進型/DECIMAL, 日付/時刻型/DATE/TIME, 通貨型/CURRENCY,
// オートナンバー型/AUTONUMBER, YES/NO型/YES/NO. Text and memo take the size
// after the first "(" (at most 255 and 65535). Words after the type word
// (NOT NULL, ...) have no effect.
std::optional<ColumnSpec> ColumnTypeOf(std::string_view type_text);

// "CREATE TABLE name (col type, ...);". Commas inside parentheses (as in
// DECIMAL(10,2)) do not split columns.
TableDefinition ParseCreateTable(std::string_view statement);

}  // namespace morvane
