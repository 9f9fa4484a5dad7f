// The engine's text driver: the import of a CSV data file into a table.
#include <string>

#include "builder/csv_values.h"
#include "builder/engine.h"
#include "text/cp932.h"
#include "text/file_names.h"
#include "text/text_file.h"

namespace morvane {

namespace {

std::string At(const std::filesystem::path& file, long line) {
  return file.filename().string() + " の " + std::to_string(line) + " 行目: ";
}

}  // namespace

void Database::ImportText(const std::string& table, const std::filesystem::path& file) {
  text::TextFileReader reader;
  if (!reader.Open(file)) throw EngineError(kErrImport, reader.error());

  const std::vector<std::string> table_columns = ColumnNames(table);
  std::u16string line16;
  std::string line;
  std::vector<std::string_view> pieces;
  auto next_line = [&]() {
    if (!reader.Next(line16)) {
      if (!reader.error().empty()) throw EngineError(kErrImport, reader.error());
      return false;
    }
    if (!reader.error().empty()) throw EngineError(kErrImport, reader.error());
    line = text::ToUtf8(line16);
    if (!SplitCsvLine(line, pieces)) {
      throw EngineError(kErrImport, At(file, reader.line_number()) + "引用符が閉じていません。");
    }
    return true;
  };

  // Header: every name must be a column of the table (names compare without
  // regard to the case of Latin letters, as SQLite compares column names).
  if (!next_line()) throw EngineError(kErrImport, file.filename().string() + " に見出し行がありません。");
  std::vector<std::string> header;
  for (auto piece : pieces) {
    const std::string name = CsvValue(piece).value_or("");
    bool found = false;
    for (const auto& column : table_columns) {
      if (text::UpperAscii(column) == text::UpperAscii(name)) {
        header.push_back(column);
        found = true;
        break;
      }
    }
    if (!found) {
      throw EngineError(kErrImport, At(file, reader.line_number()) + "列「" + name + "」はテーブル " + table +
                                        " にありません。");
    }
  }

  Begin();
  try {
    Inserter inserter(*this, table, header);
    std::vector<Value> values;
    while (next_line()) {
      if (line.empty()) continue;
      if (pieces.size() > header.size()) {
        throw EngineError(kErrImport, At(file, reader.line_number()) + "値が " +
                                          std::to_string(pieces.size()) + " 個あり、見出しの " +
                                          std::to_string(header.size()) + " 個より多くなっています。");
      }
      values.clear();
      for (auto piece : pieces) values.push_back(CsvValue(piece));
      try {
        inserter.Insert(values);
      } catch (const EngineError& e) {
        throw EngineError(e.number(), At(file, reader.line_number()) + e.what());
      }
    }
  } catch (...) {
    Rollback();
    throw;
  }
  Commit();
}

}  // namespace morvane
