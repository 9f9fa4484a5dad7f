// The engine's text driver: the import of a CSV data file into a table.
#include <algorithm>
#include <string>

#include "builder/csv_values.h"
#include "builder/data_file.h"
#include "builder/engine.h"
#include "text/ascii.h"

namespace morvane {

void Database::ImportText(const std::string& table, const std::filesystem::path& file) {
  CsvDataFile data(file);
  const std::vector<std::string> table_columns = ColumnNames(table);

  // Header: every name must be a column of the table (names compare without
  // regard to the case of Latin letters, as SQLite compares column names).
  RowLayout layout;
  for (auto piece : data.Header()) {
    const std::string name(CsvValue(piece).value_or(""));
    auto column = std::find_if(table_columns.begin(), table_columns.end(),
                               [&](const std::string& c) { return text::EqualsNoCase(c, name); });
    if (column == table_columns.end()) {
      throw EngineError(kErrImport,
                        data.Where() + "列「" + name + "」はテーブル " + table + " にありません。");
    }
    layout.column_of_value.push_back(layout.columns.size());
    layout.columns.push_back(*column);
  }
  LoadRows(*this, table, data, layout);
}

}  // namespace morvane
