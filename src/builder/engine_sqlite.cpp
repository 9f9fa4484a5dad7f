#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <system_error>

#include "builder/engine.h"
#include "text/ascii.h"
#include "text/file_names.h"

namespace morvane {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxTextSize = 255;
constexpr int kMaxMemoSize = 65535;

int SizeOrMax(int size, int max) { return size > 0 && size < max ? size : max; }

// The declared type and the check that makes SQLite hold only what the
// column type can hold (SQLite itself would store any value in any column).
struct TypeRule {
  std::string declared;
  std::string check;  // on "$" (the column), empty for none
};

TypeRule RuleFor(const ColumnSpec& c) {
  auto int_range = [](const char* lo, const char* hi) {
    return std::string("typeof($) = 'integer' AND $ BETWEEN ") + lo + " AND " + hi;
  };
  const std::string numeric = "typeof($) IN ('integer', 'real')";
  switch (c.type) {
    case ColumnType::kText: {
      const std::string size = std::to_string(SizeOrMax(c.size, kMaxTextSize));
      return {"VARCHAR(" + size + ")", "length($) <= " + size};
    }
    case ColumnType::kMemo:
      // A memo is declared plain TEXT; its size lives in the check alone.
      return {"TEXT", "length($) <= " + std::to_string(SizeOrMax(c.size, kMaxMemoSize))};
    case ColumnType::kLong: return {"INTEGER", int_range("-2147483648", "2147483647")};
    case ColumnType::kByte: return {"TINYINT", int_range("0", "255")};
    case ColumnType::kInteger: return {"SMALLINT", int_range("-32768", "32767")};
    case ColumnType::kSingle: return {"REAL", numeric};
    case ColumnType::kDouble: return {"DOUBLE", numeric};
    case ColumnType::kDecimal: return {"DECIMAL", numeric};
    case ColumnType::kCurrency: return {"CURRENCY", numeric};
    case ColumnType::kDateTime: return {"DATETIME", "julianday(replace($, '/', '-')) IS NOT NULL"};
    case ColumnType::kBoolean: return {"BOOLEAN", "$ IN (0, 1, -1)"};
    case ColumnType::kAutoNumber: return {"INTEGER PRIMARY KEY AUTOINCREMENT", ""};
  }
  return {};
}

std::string ReplaceDollar(const std::string& text, const std::string& with) {
  std::string out;
  for (char c : text) {
    if (c == '$')
      out += with;
    else
      out += c;
  }
  return out;
}

std::string ColumnDeclaration(const ColumnSpec& c) {
  const TypeRule rule = RuleFor(c);
  const std::string column = QuoteIdentifier(c.name);
  std::string decl = column + " " + rule.declared;
  if (!rule.check.empty()) {
    // The constraint's name is what a failing insert reports.
    decl += " CONSTRAINT " + QuoteIdentifier(c.name + " " + rule.declared) + " CHECK(" + column +
            " IS NULL OR (" + ReplaceDollar(rule.check, column) + "))";
  }
  return decl;
}

// A statement without the blanks around it and its closing ";".
std::string_view TrimStatement(std::string_view sql) {
  return text::TrimRight(text::TrimLeft(sql, " \t"), " \t;");
}

// The text-driver form of INSERT: "INSERT INTO t SELECT * From [TEXT;DATABASE=dir].[file]".
struct TextImport {
  std::string table;
  fs::path folder;
  std::string file;
};

std::optional<TextImport> ParseTextImport(std::string_view sql) {
  sql = TrimStatement(sql);
  constexpr std::string_view kInsert = "INSERT INTO ";
  constexpr std::string_view kSource = " SELECT * FROM [TEXT;DATABASE=";
  if (!text::StartsWithNoCase(sql, kInsert)) return std::nullopt;
  const std::string upper = text::UpperAscii(sql);
  const size_t source = upper.find(kSource);
  const size_t folder_end = sql.rfind("].[");
  if (source == std::string::npos || folder_end == std::string_view::npos || folder_end < source ||
      sql.back() != ']') {
    return std::nullopt;
  }
  const size_t folder_start = source + kSource.size();
  return TextImport{std::string(TrimStatement(sql.substr(kInsert.size(), source - kInsert.size()))),
                    fs::path(std::string(sql.substr(folder_start, folder_end - folder_start))),
                    std::string(sql.substr(folder_end + 3, sql.size() - 1 - (folder_end + 3)))};
}

bool IsDropTable(std::string_view sql) {
  sql = TrimStatement(sql);
  if (!text::StartsWithNoCase(sql, "DROP ")) return false;
  return text::StartsWithNoCase(TrimStatement(sql.substr(5)), "TABLE");
}

// SQLite opens no database file whose full path is longer than its file
// system layer allows (512 bytes on Unix): such a path is refused with that
// reason rather than SQLite's bare "unable to open database file".
void RequireOpenablePath(const fs::path& path) {
  const sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
  std::error_code ec;
  const std::string full = fs::absolute(path, ec).string();
  if (vfs && full.size() > static_cast<size_t>(vfs->mxPathname)) {
    throw EngineError(SQLITE_CANTOPEN, full + ": パスが " + std::to_string(vfs->mxPathname) +
                                           " バイトを超えるため、データベースを開けません。");
  }
}

}  // namespace

std::string QuoteIdentifier(std::string_view name) {
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  if (name.size() >= 2 &&
      ((name.front() == '[' && name.back() == ']') || (name.front() == '"' && name.back() == '"'))) {
    name = name.substr(1, name.size() - 2);
  }
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

void Database::Fail(const std::string& context) const {
  std::string description = sqlite3_errmsg(db_);
  if (!context.empty()) description = context + ": " + description;
  throw EngineError(sqlite3_extended_errcode(db_), description);
}

void Database::SetUpForOneThread() {
  sqlite3_config(SQLITE_CONFIG_SINGLETHREAD);
  sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  sqlite3_config(SQLITE_CONFIG_STMTJRNL_SPILL, -1);
}

Database Database::Create(const fs::path& path) {
  std::error_code ec;
  if (fs::exists(fs::symlink_status(path, ec)))
    throw EngineError(kErrFileExists, path.string() + " は既に存在します。");
  RequireOpenablePath(path);
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  Database database(db);
  if (rc != SQLITE_OK) database.Fail(path.string());
  sqlite3_extended_result_codes(db, 1);
  database.Execute("PRAGMA synchronous = OFF");  // a working database, as below
  // A new SQLite file stays empty until its first write: write the header now.
  database.Execute("PRAGMA user_version = 1");
  return database;
}

Database::Database(const fs::path& path, bool read_only) {
  RequireOpenablePath(path);
  const int flags = read_only ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    // A constructor that throws runs no destructor: the handle SQLite gives
    // even for a failed open is closed by one that is whole.
    Database failed(db_);
    db_ = nullptr;
    failed.Fail(path.string());
  }
  sqlite3_extended_result_codes(db_, 1);
  // The builder writes only working databases, which publishing copies into
  // a new file: a crash costs the run, never a published database.
  if (!read_only) sqlite3_exec(db_, "PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
}

Database::~Database() { sqlite3_close(db_); }

Database::Database(Database&& other) noexcept : db_(other.db_) { other.db_ = nullptr; }

void Database::AppendTable(const std::string& table, const std::vector<ColumnSpec>& columns) {
  std::string sql = "CREATE TABLE " + QuoteIdentifier(table) + " (";
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) sql += ", ";
    sql += ColumnDeclaration(columns[i]);
  }
  sql += ")";
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) Fail();
}

void Database::Execute(const std::string& sql) {
  if (auto import = ParseTextImport(sql)) {
    auto file = text::FindNoCase(import->folder, import->file);
    ImportText(import->table, file ? *file : import->folder / import->file);
    return;
  }
  // Exactly one statement: text after it (a second statement) is refused
  // before anything runs.
  sqlite3_stmt* stmt = nullptr;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, &tail) != SQLITE_OK) {
    const std::string message = sqlite3_errmsg(db_);
    if (IsDropTable(sql) && message.starts_with("no such table"))
      throw EngineError(kErrTableNotFound, message);
    Fail();
  }
  if (HasStatement(tail)) {
    sqlite3_finalize(stmt);
    std::string_view second(tail);
    second.remove_prefix(std::min(second.size(), second.find_first_not_of(" \t\r\n")));
    throw EngineError(kErrSecondStatement, "1 つの文の後ろに別の文があります: " + std::string(second));
  }
  int rc = SQLITE_DONE;
  if (stmt) {
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    sqlite3_finalize(stmt);
  }
  if (rc != SQLITE_DONE) Fail();
}

bool Database::HasStatement(const char* text) const {
  sqlite3_stmt* stmt = nullptr;
  const char* tail = nullptr;
  const bool prepared = sqlite3_prepare_v2(db_, text, -1, &stmt, &tail) == SQLITE_OK;
  const bool has = !prepared || stmt != nullptr;  // text that is no statement at all counts too
  sqlite3_finalize(stmt);
  return has;
}

std::vector<std::string> Database::ColumnNames(const std::string& table) {
  sqlite3_stmt* stmt = nullptr;
  const std::string sql = "SELECT * FROM " + QuoteIdentifier(table);
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) Fail();
  std::vector<std::string> names;
  for (int i = 0; i < sqlite3_column_count(stmt); ++i) names.emplace_back(sqlite3_column_name(stmt, i));
  sqlite3_finalize(stmt);
  return names;
}

std::optional<std::vector<Value>> Database::FirstRow(const std::string& query,
                                                     std::vector<std::string>* names) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db_, query.c_str(), -1, &stmt, nullptr) != SQLITE_OK) Fail();
  const int rc = sqlite3_step(stmt);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
    sqlite3_finalize(stmt);
    Fail();
  }
  const int count = sqlite3_column_count(stmt);
  if (names) {
    names->clear();
    for (int i = 0; i < count; ++i) names->emplace_back(sqlite3_column_name(stmt, i));
  }
  std::optional<std::vector<Value>> row;
  if (rc == SQLITE_ROW) {
    row.emplace();
    for (int i = 0; i < count; ++i) {
      const auto* text = sqlite3_column_text(stmt, i);
      if (text)
        row->emplace_back(reinterpret_cast<const char*>(text));
      else
        row->emplace_back(std::nullopt);
    }
  }
  sqlite3_finalize(stmt);
  return row;
}

void Database::Begin() { Execute("BEGIN"); }
void Database::Commit() { Execute("COMMIT"); }
void Database::Rollback() { sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr); }

void Database::Rows::Add() {
  ++count_;
  starts_.resize(count_ * columns_, kNull);
  sizes_.resize(count_ * columns_, 0);
}

void Database::Rows::Set(size_t column, std::string_view text) {
  const size_t at = (count_ - 1) * columns_ + column;
  starts_.at(at) = text_.size();
  sizes_[at] = text.size();
  text_.append(text);
  text_.push_back('\0');
}

void Database::Rows::Clear() {
  count_ = 0;
  text_.clear();
  starts_.clear();
  sizes_.clear();
}

namespace {

// The rows one statement inserts: enough that SQLite's work for the
// statement itself hardly counts, few enough that what it keeps to undo a
// failed statement stays small.
constexpr size_t kBatchRows = 64;

}  // namespace

Database::Inserter::Inserter(Database& db, const std::string& table, const std::vector<std::string>& columns)
    : db_(db), columns_(columns.size()) {
  const std::string into = "INSERT INTO " + QuoteIdentifier(table);
  if (columns.empty()) {
    if (sqlite3_prepare_v2(db_.db_, (into + " DEFAULT VALUES").c_str(), -1, &single_, nullptr) != SQLITE_OK)
      db_.Fail();
    return;
  }
  std::string names;
  std::string row = "(";
  for (size_t i = 0; i < columns.size(); ++i) {
    names += (i ? ", " : "") + QuoteIdentifier(columns[i]);
    row += i ? ", ?" : "?";
  }
  row += ")";
  const std::string sql = into + " (" + names + ") VALUES " + row;
  if (sqlite3_prepare_v2(db_.db_, sql.c_str(), -1, &single_, nullptr) != SQLITE_OK) db_.Fail();
  const auto parameters = static_cast<size_t>(sqlite3_limit(db_.db_, SQLITE_LIMIT_VARIABLE_NUMBER, -1));
  batch_rows_ = std::clamp<size_t>(parameters / columns_, 1, kBatchRows);
  if (batch_rows_ > 1) {
    std::string batch = sql;
    for (size_t i = 1; i < batch_rows_; ++i) batch += ", " + row;
    if (sqlite3_prepare_v2(db_.db_, batch.c_str(), -1, &batch_, nullptr) != SQLITE_OK) db_.Fail();
  }
}

Database::Inserter::~Inserter() {
  sqlite3_finalize(single_);
  sqlite3_finalize(batch_);
}

std::optional<EngineError> Database::Inserter::Run(sqlite3_stmt* statement, const Rows& rows, size_t first,
                                                   size_t count) {
  int index = 1;
  for (size_t row = first; row < first + count; ++row) {
    for (size_t column = 0; column < columns_; ++column, ++index) {
      if (const char* text = row < rows.count() ? rows.text(row, column) : nullptr) {
        const size_t size = rows.size(row, column);
        // Told no length, SQLite takes the text up to its '\0' as ready to
        // read; a value holding a '\0' of its own goes in whole by its length.
        const bool plain = std::memchr(text, 0, size) == nullptr;
        sqlite3_bind_text(statement, index, text, plain ? -1 : static_cast<int>(size), SQLITE_STATIC);
      } else {
        sqlite3_bind_null(statement, index);
      }
    }
  }
  std::optional<EngineError> failure;
  if (sqlite3_step(statement) != SQLITE_DONE)
    failure.emplace(sqlite3_extended_errcode(db_.db_), sqlite3_errmsg(db_.db_));
  sqlite3_reset(statement);  // lets go of the rows, whose buffer may change before the next ones
  return failure;
}

void Database::Inserter::Insert(const Rows& rows) {
  size_t row = 0;
  for (; batch_ && rows.count() - row >= batch_rows_; row += batch_rows_) {
    const auto failure = Run(batch_, rows, row, batch_rows_);
    if (!failure) continue;
    // The failed statement left nothing behind: its rows go in one by one
    // below, up to the one that fails, which then says why. Only a failure
    // that ended the transaction too is the statement's own.
    if (sqlite3_get_autocommit(db_.db_)) throw RowError(row, *failure);
    break;
  }
  for (; row < rows.count(); ++row) {
    if (const auto failure = Run(single_, rows, row, 1)) throw RowError(row, *failure);
  }
}

void Database::Compact(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (fs::exists(fs::symlink_status(to, ec)))
    throw EngineError(kErrFileExists, to.string() + " は既に存在します。");
  RequireOpenablePath(to);
  // Read-only, the source makes SQLite copy it row by row, rebuilding every
  // index entry by entry: the way every database published so far was made.
  // (A source open for writing lets it move whole pages instead, faster, into
  // a file holding the same rows in other bytes.)
  Database source(from, true);
  // VACUUM INTO writes as carefully as its source is set to; the caller
  // syncs the finished copy once, which is all its safety needs.
  source.Execute("PRAGMA synchronous = OFF");
  std::string target = to.string();
  std::string quoted = "'";
  for (char c : target) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  source.Execute("VACUUM INTO " + quoted + "'");
}

}  // namespace morvane
