#include "builder/data_file.h"

#include "builder/csv_values.h"
#include "text/cp932.h"

namespace morvane {

CsvDataFile::CsvDataFile(const std::filesystem::path& file) : file_(file) {
  if (!reader_.Open(file)) throw EngineError(kErrImport, reader_.error());
}

bool CsvDataFile::Next() {
  if (!reader_.Next(line16_)) return false;
  if (!reader_.error().empty()) throw EngineError(kErrImport, reader_.error());
  line_ = text::ToUtf8(line16_);
  if (!SplitCsvLine(line_, values_)) throw EngineError(kErrImport, Where() + "引用符が閉じていません。");
  return true;
}

const std::vector<std::string_view>& CsvDataFile::Header() {
  if (!Next()) throw EngineError(kErrImport, file_.filename().string() + " に見出し行がありません。");
  return values_;
}

std::string CsvDataFile::Where() const {
  return file_.filename().string() + " の " + std::to_string(reader_.line_number()) + " 行目: ";
}

void LoadRows(Database& db, const std::string& table, CsvDataFile& data, const RowLayout& layout) {
  db.Begin();
  try {
    Database::Inserter inserter(db, table, layout.columns);
    std::vector<Value> row;
    while (data.Next()) {
      if (data.line().empty()) continue;
      const auto& values = data.values();
      if (values.size() > layout.column_of_value.size()) {
        throw EngineError(kErrImport,
                          data.Where() + "値が " + std::to_string(values.size()) + " 個あり、見出しの " +
                              std::to_string(layout.column_of_value.size()) + " 個より多くなっています。");
      }
      row.assign(layout.columns.size(), std::nullopt);
      for (size_t i = 0; i < values.size(); ++i) row[layout.column_of_value[i]] = CsvValue(values[i]);
      try {
        inserter.Insert(row);
      } catch (const EngineError& e) {
        throw EngineError(e.number(), data.Where() + e.what());
      }
    }
  } catch (...) {
    db.Rollback();
    throw;
  }
  db.Commit();
}

}  // namespace morvane
