#pragma once
// Loading a data file the converter wrote into a table: the file is read line
// by line (code page 932, header line first, values split as SplitCsvLine
// splits them) and its rows go in a batch at a time in one transaction, all
// rows or none. Every failure throws EngineError naming the
// file and the line.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "builder/engine.h"
#include "text/text_file.h"

namespace morvane {

class CsvDataFile {
 public:
  // Opens file; throws when it cannot be read.
  explicit CsvDataFile(const std::filesystem::path& file);

  // Reads the next line into line() and values(); false at the end.
  bool Next();
  // The header line's values; an empty file throws.
  const std::vector<std::string_view>& Header();

  const std::string& line() const { return line_; }
  const std::vector<std::string_view>& values() const { return values_; }
  long line_number() const { return reader_.line_number(); }
  // "<file> の <n> 行目: ", the start of a message about the line last read
  // (or line).
  std::string Where() const;
  std::string Where(long line) const;

 private:
  std::filesystem::path file_;
  text::TextFileReader reader_;
  std::u16string line16_;
  std::string line_;
  std::vector<std::string_view> values_;
};

// Where a data file's values go: the columns the statement fills, and for
// each value of a line (by its place in the header) the column it fills.
struct RowLayout {
  std::vector<std::string> columns;
  std::vector<size_t> column_of_value;
};

// Loads every line after the header into table. Blank lines add no row; a
// line with more values than the header, or a value the column cannot hold,
// fails the whole load.
void LoadRows(Database& db, const std::string& table, CsvDataFile& data, const RowLayout& layout);

}  // namespace morvane
