#include "builder/importer.h"

#include "builder/data_file.h"
#include "text/ascii.h"
#include "text/file_names.h"

namespace morvane {

void LoadRecords(Database& db, const std::string& table, const std::filesystem::path& file) {
  const std::vector<std::string> fields = db.ColumnNames(table);
  CsvDataFile data(file);

  // Header names match columns without regard to case, as in the set-based
  // import (and as the engine compares column names).
  RowLayout layout{fields, {}};
  std::vector<std::string> upper_fields;
  for (const auto& field : fields) upper_fields.push_back(text::UpperAscii(field));
  for (std::string_view name : data.Header()) {
    const std::string upper = text::UpperAscii(name);
    const std::string unquoted = upper.size() >= 2 ? upper.substr(1, upper.size() - 2) : std::string();
    size_t j = 0;
    while (j < fields.size() && upper_fields[j] != upper && upper_fields[j] != unquoted) ++j;
    if (j == fields.size()) {
      throw EngineError(kErrImport, data.Where() + "列「" + std::string(name) + "」はテーブル " + table +
                                        " にありません。");
    }
    layout.column_of_value.push_back(j);
  }
  // Unlike the classic loader, which split at every comma, a comma inside
  // quotes stays in its value and a blank line adds no row: the loader
  // gives the rows the set-based import gives for the same file.
  LoadRows(db, table, data, layout);
}

std::string DataFileName(const std::string& script) { return script.substr(0, script.find('.')) + ".CSV"; }

StepResult F_IMPORT_CSV(BuilderContext& ctx) {
  if (!ctx.G_CreateTable) return StepResult::kDone;
  const std::string& dir = ctx.settings.dstrb_dir;
  const std::string data_name = DataFileName(ctx.G_SqlFile);
  const auto data_file = text::FindNoCase(dir, data_name);
  if (!data_file) {
    ctx.log.Write(ctx.G_MdbName + "." + ctx.G_TableName + "用の " + data_name + " が見つかりません。");
    return StepResult::kDone;
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
    return StepResult::kFailed;
  }
  ctx.log.Write(ctx.G_MdbName + " に " + ctx.G_TableName + " を インポートしました。");
  return StepResult::kDone;
}

}  // namespace morvane
