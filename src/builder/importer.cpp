#include "builder/importer.h"

#include "builder/csv_values.h"
#include "text/cp932.h"
#include "text/file_names.h"
#include "text/text_file.h"

namespace morvane {

namespace {

std::string At(const std::filesystem::path& file, long line) {
  return file.filename().string() + " の " + std::to_string(line) + " 行目: ";
}

// Reads and splits the next line; false at the end of the file.
bool NextValues(text::TextFileReader& reader, const std::filesystem::path& file, std::string& line,
                std::vector<std::string_view>& pieces) {
  std::u16string line16;
  if (!reader.Next(line16)) return false;
  if (!reader.error().empty()) throw EngineError(kErrImport, reader.error());
  line = text::ToUtf8(line16);
  if (!SplitCsvLine(line, pieces)) {
    throw EngineError(kErrImport, At(file, reader.line_number()) + "引用符が閉じていません。");
  }
  return true;
}

}  // namespace

void LoadRecords(Database& db, const std::string& table, const std::filesystem::path& file) {
  const std::vector<std::string> fields = db.ColumnNames(table);
  text::TextFileReader reader;
  if (!reader.Open(file)) throw EngineError(kErrImport, reader.error());
  std::string line;
  std::vector<std::string_view> pieces;
  // An empty file fails as it does in the set-based import.
  if (!NextValues(reader, file, line, pieces)) {
    throw EngineError(kErrImport, file.filename().string() + " に見出し行がありません。");
  }

  // Header names match columns without regard to case, as in the set-based
  // import (and as the engine compares column names).
  std::vector<std::string> upper_fields;
  for (const auto& field : fields) upper_fields.push_back(text::UpperAscii(field));
  std::vector<size_t> field_of;  // header position -> field index
  for (std::string_view name : pieces) {
    const std::string upper = text::UpperAscii(name);
    const std::string unquoted = upper.size() >= 2 ? upper.substr(1, upper.size() - 2) : std::string();
    size_t j = 0;
    while (j < fields.size() && upper_fields[j] != upper && upper_fields[j] != unquoted) ++j;
    if (j == fields.size()) {
      throw EngineError(
          kErrImport, At(file, 1) + "列「" + std::string(name) + "」はテーブル " + table + " にありません。");
    }
    field_of.push_back(j);
  }

  db.Begin();
  try {
    Database::Inserter inserter(db, table, fields);
    std::vector<Value> row;
    // Unlike the classic loader, which split at every comma, a comma inside
    // quotes stays in its value and a blank line adds no row: the loader
    // gives the rows the set-based import gives for the same file.
    while (NextValues(reader, file, line, pieces)) {
      if (line.empty()) continue;
      if (pieces.size() > field_of.size()) {
        throw EngineError(kErrImport, At(file, reader.line_number()) + "値が " +
                                          std::to_string(pieces.size()) + " 個あり、見出しの " +
                                          std::to_string(field_of.size()) + " 個より多くなっています。");
      }
      row.assign(fields.size(), std::nullopt);
      for (size_t i = 0; i < pieces.size(); ++i) row[field_of[i]] = CsvValue(pieces[i]);
      try {
        inserter.Insert(row);
      } catch (const EngineError& e) {
        throw EngineError(e.number(), At(file, reader.line_number()) + e.what());
      }
    }
  } catch (...) {
    db.Rollback();
    throw;
  }
  db.Commit();
}

bool F_IMPORT_CSV(BuilderContext& ctx) {
  if (!ctx.G_CreateTable) return false;
  const std::string& dir = ctx.settings.dstrb_dir;
  const std::string data_name = ctx.G_SqlFile.substr(0, ctx.G_SqlFile.find('.')) + ".CSV";
  const auto data_file = text::FindNoCase(dir, data_name);
  if (!data_file) {
    ctx.log.Write(ctx.G_MdbName + "." + ctx.G_TableName + "用の " + data_name + " が見つかりません。");
    return false;
  }
  try {
    Database db(ctx.WorkingDatabase());
    if (dir.find(']') == std::string::npos) {
      const std::string folder = dir.size() > 1 ? dir.substr(0, dir.size() - 1) : dir;
      db.Execute("INSERT INTO " + ctx.G_TableName + " SELECT * From [TEXT;DATABASE=" + folder + "].[" +
                 data_name + "]");
    } else {
      LoadRecords(db, ctx.G_TableName, *data_file);
    }
  } catch (const std::exception& e) {
    ctx.log.Write(ctx.G_MdbName + " の " + ctx.G_TableName + ":" + e.what());
    return true;
  }
  ctx.log.Write(ctx.G_MdbName + " に " + ctx.G_TableName + " を インポートしました。");
  return false;
}

}  // namespace morvane
