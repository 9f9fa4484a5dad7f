#pragma once
// The database engine the builder relies on, realised on SQLite. It carries
// exactly the operations the builder needs: create a database file, append a
// typed table, execute one statement (the text-driver import included), read
// the first row of a query, insert rows in one transaction, and compact a
// database into a new file. Every failure throws EngineError with a number
// and a description.
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace morvane {

// Dropping a table that does not exist.
inline constexpr int kErrTableNotFound = 3376;
// A data file the import cannot take (bad header, bad row, bad bytes).
inline constexpr int kErrImport = 3000;
// A file that should not exist does (compaction target).
inline constexpr int kErrFileExists = 58;
// Characters found after the end of the statement (a second statement).
inline constexpr int kErrSecondStatement = 3142;

class EngineError : public std::runtime_error {
 public:
  EngineError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  int number() const { return number_; }

 private:
  int number_;
};

// The column types a definition script can ask for.
enum class ColumnType {
  kText,        // VARCHAR(n), length enforced (255 when no size is given)
  kLong,        // INTEGER, 4 bytes
  kByte,        // TINYINT, 0 to 255
  kInteger,     // SMALLINT, 2 bytes
  kSingle,      // REAL
  kDouble,      // DOUBLE
  kMemo,        // TEXT, length enforced (65535 when no size is given)
  kDecimal,     // DECIMAL
  kDateTime,    // DATETIME
  kCurrency,    // CURRENCY
  kAutoNumber,  // INTEGER PRIMARY KEY, counting from 1
  kBoolean,     // BOOLEAN (0, 1 or -1)
};

struct ColumnSpec {
  std::string name;
  ColumnType type = ColumnType::kText;
  int size = 0;  // text and memo only; 0 means the largest size of the type
};

// A value to store; nullopt is NULL.
using Value = std::optional<std::string>;

class Database {
 public:
  // Sets SQLite up for the builder's process, before any other use of the
  // engine: without its locks and its memory statistics, which a program
  // using it from one thread never needs (a tenth of a build's
  // instructions); and with what it keeps to undo a failing statement in
  // memory, never in a temporary file outside the working folder.
  static void SetUpForOneThread();

  // Creates a new, empty database file; fails when the file exists.
  static Database Create(const std::filesystem::path& path);
  // Opens an existing database file read-write; fails when it is missing.
  explicit Database(const std::filesystem::path& path, bool read_only = false);
  ~Database();
  Database(Database&& other) noexcept;
  Database& operator=(Database&&) = delete;
  Database(const Database&) = delete;

  // Creates a table with the given columns.
  void AppendTable(const std::string& table, const std::vector<ColumnSpec>& columns);

  // Runs one SQL statement; a second statement after it fails the call before
  // anything runs. "INSERT INTO t SELECT * From [TEXT;DATABASE=dir].[file]"
  // is the text-driver import of a CSV file (see ImportText).
  void Execute(const std::string& sql);

  // Imports a code page 932 CSV file into table: header line first, each
  // header name matched to the column of that name, quoted values unquoted,
  // empty values stored as NULL, all rows or none.
  void ImportText(const std::string& table, const std::filesystem::path& file);

  // Column names of a table, in table order.
  std::vector<std::string> ColumnNames(const std::string& table);

  // The first row of a query (column names into *names when given), or
  // nullopt when the query gives no row.
  std::optional<std::vector<Value>> FirstRow(const std::string& query,
                                             std::vector<std::string>* names = nullptr);

  void Begin();
  void Commit();
  void Rollback();

  // Rows to insert, their values kept in one buffer, each followed by a
  // '\0': SQLite takes them from there without copying them, and reads them
  // as they are (a copy for its own terminator would cost every value an
  // allocation). Reused batch after batch.
  class Rows {
   public:
    explicit Rows(size_t columns) : columns_(columns) {}
    // Starts a row whose values are all NULL.
    void Add();
    // Sets the value of column (below the count given) in the last row.
    void Set(size_t column, std::string_view text);
    void Clear();

    size_t count() const { return count_; }
    size_t columns() const { return columns_; }
    // A value, followed by its '\0'; nullptr for NULL.
    const char* text(size_t row, size_t column) const {
      const size_t start = starts_[row * columns_ + column];
      return start == kNull ? nullptr : text_.data() + start;
    }
    size_t size(size_t row, size_t column) const { return sizes_[row * columns_ + column]; }

   private:
    static constexpr size_t kNull = static_cast<size_t>(-1);
    size_t columns_;
    size_t count_ = 0;
    std::string text_;
    std::vector<size_t> starts_;  // where each value begins in text_, or kNull
    std::vector<size_t> sizes_;
  };

  // A row that could not be inserted: its place among the rows given.
  class RowError : public EngineError {
   public:
    RowError(size_t row, const EngineError& error) : EngineError(error), row_(row) {}
    size_t row() const { return row_; }

   private:
    size_t row_;
  };

  // Inserts rows into the named columns of a table: many rows to a
  // statement, which costs SQLite far less than a statement for each.
  class Inserter {
   public:
    Inserter(Database& db, const std::string& table, const std::vector<std::string>& columns);
    ~Inserter();
    Inserter(const Inserter&) = delete;
    Inserter& operator=(const Inserter&) = delete;

    // How many rows one statement takes.
    size_t batch_rows() const { return batch_rows_; }
    // Inserts the rows in their order, a row's value i into columns[i],
    // inside a transaction: a row that cannot go in throws RowError naming
    // it, the rows before it in (a failure that ends the transaction names
    // the first row of its statement).
    void Insert(const Rows& rows);

   private:
    // Binds count rows from first on and runs statement: why it failed, or
    // nullopt.
    std::optional<EngineError> Run(sqlite3_stmt* statement, const Rows& rows, size_t first, size_t count);

    Database& db_;
    sqlite3_stmt* single_ = nullptr;
    sqlite3_stmt* batch_ = nullptr;
    size_t columns_ = 0;
    size_t batch_rows_ = 1;
  };

  // Writes a compacted copy of the database at from into the new file to,
  // without waiting for it to reach the disk; fails when to exists or from
  // cannot be read.
  static void Compact(const std::filesystem::path& from, const std::filesystem::path& to);

 private:
  explicit Database(sqlite3* db) : db_(db) {}
  [[noreturn]] void Fail(const std::string& context = {}) const;
  // Whether text holds a statement (or text that is none): comments, blanks
  // and ";" alone hold none.
  bool HasStatement(const char* text) const;

  sqlite3* db_ = nullptr;
};

// Quotes an identifier for SQL ("a""b"); brackets or quotes around the name
// as written in a script are removed first.
std::string QuoteIdentifier(std::string_view name);

}  // namespace morvane
