#include "builder/script_parser.h"

#include <utility>

#include "text/ascii.h"
#include "text/strings.h"

namespace morvane {

namespace {

// Skips one UTF-8 character.
std::string_view SkipCharacter(std::string_view s) {
  if (s.empty()) return s;
  size_t n = 1;
  while (n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) ++n;
  return s.substr(n);
}

std::string DirectiveValue(std::string_view rest) {
  rest = text::TrimLeft(rest);
  for (std::string_view end : {";", "'", "--", " "}) {
    const size_t pos = rest.find(end);
    if (pos != std::string_view::npos && pos > 0) return std::string(rest.substr(0, pos));
  }
  return std::string(text::TrimSpaces(rest));
}

int SizeAfterParenthesis(std::string_view type_text, int max) {
  const size_t p = type_text.find('(');
  if (p == std::string_view::npos) return 0;
  const long n = text::LeadingNumber(type_text.substr(p + 1));
  return static_cast<int>(n > max ? max : n);
}

std::vector<std::string_view> SplitColumns(std::string_view list) {
  std::vector<std::string_view> pieces;
  int depth = 0;
  size_t start = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] == '(')
      ++depth;
    else if (list[i] == ')' && depth > 0)
      --depth;
    else if (list[i] == ',' && depth == 0) {
      pieces.push_back(text::TrimSpaces(list.substr(start, i - start)));
      start = i + 1;
    }
  }
  pieces.push_back(text::TrimSpaces(list.substr(start)));
  return pieces;
}

std::string Unbracket(std::string_view name) {
  if (name.size() >= 2 &&
      ((name.front() == '[' && name.back() == ']') || (name.front() == '"' && name.back() == '"'))) {
    name = name.substr(1, name.size() - 2);
  }
  return std::string(name);
}

}  // namespace

std::string ReplaceTabs(std::string_view line) {
  std::string out(line);
  for (char& c : out) {
    if (c == '\t') c = ' ';
  }
  return out;
}

bool IsIgnoredLine(std::string_view line) {
  line = text::TrimLeft(line);
  return line.empty() || line.starts_with("'") || line.starts_with("--");
}

Directive ParseDirective(std::string_view line) {
  line = text::TrimSpaces(line);
  struct Word {
    std::string_view word;
    DirectiveKind kind;
  };
  // MDBNAME is tested before USE; any line beginning with USE names a database.
  for (const Word& w : {Word{"MDBNAME", DirectiveKind::kDatabase}, Word{"USE", DirectiveKind::kDatabase},
                        Word{"TABLENAME", DirectiveKind::kTable}}) {
    if (text::StartsWithNoCase(line, w.word)) {
      return {w.kind, DirectiveValue(SkipCharacter(line.substr(w.word.size())))};
    }
  }
  return {};
}

std::optional<std::string> StatementJoiner::Add(std::string_view raw) {
  const std::string cleaned = ReplaceTabs(raw);
  const std::string_view line = text::TrimSpaces(cleaned);
  if (IsIgnoredLine(line)) return std::nullopt;
  if (const size_t semicolon = line.find(';', 1); semicolon != std::string_view::npos) {
    std::string finished(text::TrimLeft(statement_ + " " + std::string(line.substr(0, semicolon + 1))));
    statement_.clear();
    return finished;
  }
  statement_ += ' ';
  if (const size_t quote = line.find('\''); quote != std::string_view::npos) {
    statement_ += text::TrimSpaces(line.substr(0, quote));
  } else if (const size_t dashes = line.find("--"); dashes != std::string_view::npos) {
    statement_ += text::TrimSpaces(line.substr(0, dashes));
  } else {
    statement_ += line;
  }
  return std::nullopt;
}

StatementKind ClassifyStatement(std::string_view statement) {
  auto rest_is_table = [&](size_t n) {
    return text::StartsWithNoCase(text::TrimSpaces(statement.substr(n)), "TABLE");
  };
  if (text::StartsWithNoCase(statement, "DROP "))
    return rest_is_table(5) ? StatementKind::kDropTable : StatementKind::kExecute;
  if (text::StartsWithNoCase(statement, "CREATE ")) {
    return rest_is_table(7) ? StatementKind::kCreateTable : StatementKind::kExecute;
  }
  for (std::string_view verb : {"DELETE ", "INSERT ", "UPDATE "}) {
    if (text::StartsWithNoCase(statement, verb)) return StatementKind::kExecute;
  }
  return StatementKind::kIgnored;
}

std::optional<ColumnSpec> ColumnTypeOf(std::string_view type_text) {
  struct TypeWord {
    std::string_view japanese, english;
    ColumnType type;
  };
  static constexpr TypeWord kTypeWords[] = {
      {"テキスト", "TEXT", ColumnType::kText},
      {"長整数型", "LONG", ColumnType::kLong},  // before 整数型, which it contains
      {"バイト型", "BYTE", ColumnType::kByte},
      {"整数型", "INTEGER", ColumnType::kInteger},
      {"単精度浮動小数点型", "SINGLE", ColumnType::kSingle},
      {"倍精度浮動小数点型", "DOUBLE", ColumnType::kDouble},
      {"メモ型", "MEMO", ColumnType::kMemo},
      {"十進型", "DECIMAL", ColumnType::kDecimal},
      {"日付/時刻型", "DATE/TIME", ColumnType::kDateTime},
      {"通貨型", "CURRENCY", ColumnType::kCurrency},
      {"オートナンバー型", "AUTONUMBER", ColumnType::kAutoNumber},
      {"YES/NO型", "YES/NO", ColumnType::kBoolean},
  };
  for (const TypeWord& w : kTypeWords) {
    if (type_text.find(w.japanese) == std::string_view::npos &&
        type_text.find(w.english) == std::string_view::npos) {
      continue;
    }
    ColumnSpec column;
    column.type = w.type;
    if (w.type == ColumnType::kText) column.size = SizeAfterParenthesis(type_text, 255);
    // The memo size is read after the "(" like the text size, not from a
    // fixed character position, so that "メモ型(n)" and "MEMO(n)" both give n.
    if (w.type == ColumnType::kMemo) column.size = SizeAfterParenthesis(type_text, 65535);
    return column;
  }
  return std::nullopt;
}

TableDefinition ParseCreateTable(std::string_view statement) {
  TableDefinition table;
  const size_t p = statement.find('(');
  const std::string_view head = statement.substr(0, p);
  // CREATE, TABLE, name.
  std::vector<std::string_view> words;
  for (size_t i = 0; i < head.size();) {
    while (i < head.size() && head[i] == ' ') ++i;
    const size_t start = i;
    while (i < head.size() && head[i] != ' ') ++i;
    if (i > start) words.push_back(head.substr(start, i - start));
  }
  if (words.size() >= 3) table.name = Unbracket(words[2]);
  if (p == std::string_view::npos) return table;

  std::string_view list = statement.substr(p + 1);
  while (!list.empty() && (list.back() == ';' || list.back() == ' ')) list.remove_suffix(1);
  if (!list.empty() && list.back() == ')') list.remove_suffix(1);

  bool has_counter = false;
  for (std::string_view piece : SplitColumns(list)) {
    if (piece.empty()) continue;
    const size_t space = piece.find(' ');
    const std::string name = Unbracket(piece.substr(0, space));
    const std::string type_text = space == std::string_view::npos
                                      ? std::string()
                                      : text::UpperAscii(text::TrimSpaces(piece.substr(space + 1)));
    auto column = ColumnTypeOf(type_text);
    if (!column) {
      table.rejected.push_back("列 " + name + " の型「" + type_text + "」は作成できません。");
      continue;
    }
    bool duplicate = false;
    for (const auto& c : table.columns) duplicate |= text::EqualsNoCase(c.name, name);
    if (duplicate) {
      table.rejected.push_back("列 " + name + " は既にあります。");
      continue;
    }
    if (column->type == ColumnType::kAutoNumber && std::exchange(has_counter, true)) {
      table.rejected.push_back("列 " + name + ": オートナンバー型の列は 1 テーブルに 1 つだけです。");
      continue;
    }
    column->name = name;
    table.columns.push_back(*column);
  }
  return table;
}

}  // namespace morvane
