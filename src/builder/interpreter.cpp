#include "builder/interpreter.h"

#include <optional>
#include <stdexcept>
#include <system_error>

#include "builder/importer.h"
#include "builder/script_parser.h"
#include "builder/settings.h"
#include "text/ascii.h"
#include "text/cp932.h"
#include "text/file_names.h"

namespace morvane {

namespace {

// A script line, or an exception naming the file and line when it holds
// bytes that are not code page 932.
bool NextLine(text::TextFileReader& reader, std::string& line) {
  std::u16string line16;
  if (!reader.Next(line16)) return false;
  if (!reader.error().empty()) throw std::runtime_error(reader.error());
  line = ReplaceTabs(text::ToUtf8(line16));
  return true;
}

StepResult ReadScript(BuilderContext& ctx) {
  const std::string& file = ctx.G_SqlFile;
  text::TextFileReader reader;
  if (!reader.Open(ctx.settings.dstrb_dir + file)) {
    ctx.log.Write("F04_READ_SQLTXT: " + reader.error());
    return StepResult::kFailed;
  }
  std::string line;
  while (NextLine(reader, line)) {
    if (IsIgnoredLine(line)) continue;
    const Directive directive = ParseDirective(line);
    if (directive.kind == DirectiveKind::kDatabase) {
      ctx.G_MdbName = '@';
      ctx.G_MdbName += text::TrimSpaces(directive.value);
      // The database is built and published inside MDB_DIR, never elsewhere.
      if (!IsPlainFileName(text::TrimSpaces(directive.value))) {
        ctx.log.Write("取り込み用(" + file + ") のデータベース名「" + directive.value +
                      "」はファイル名ではありません（MDB_DIR の中のファイル名だけを指定できます）。");
        ctx.log.Write("取り込み用(" + file + ") " + ctx.G_MdbName + "の作成ができません。");
        return StepResult::kFailed;
      }
      if (F05_CRE_MDB(ctx) == StepResult::kFailed) {
        ctx.log.Write("取り込み用(" + file + ") " + ctx.G_MdbName + "の作成ができません。");
        return StepResult::kFailed;
      }
    } else if (directive.kind == DirectiveKind::kTable) {
      ctx.G_TableName = directive.value;
      if (ctx.G_TableName.empty()) continue;
      if (F_EXEC_SQL(ctx, reader) == StepResult::kFailed) {
        ctx.log.Write("取り込み用(" + file + ") " + ctx.G_TableName + "の作成ができません。");
        return StepResult::kFailed;
      }
    }
  }
  reader.Close();
  if (ctx.G_MdbName.empty()) {
    ctx.log.Write("取り込み用(" + file + ")に[MDBNAME]の指定がありません。");
    return StepResult::kFailed;
  }
  if (ctx.G_TableName.empty()) {
    ctx.log.Write("取り込み用(" + file + ")に[TABLENAME]の指定がありません。");
    return StepResult::kFailed;
  }
  if (F_IMPORT_CSV(ctx) == StepResult::kFailed) {
    ctx.log.Write("取り込み用(" + file.substr(0, file.find('.')) + ".CSV)のインポートができません。");
    return StepResult::kFailed;
  }
  return StepResult::kDone;
}

}  // namespace

StepResult F04_READ_SQLTXT(BuilderContext& ctx) {
  ctx.G_MdbName.clear();
  ctx.G_TableName.clear();
  ctx.G_CreateTable = false;
  try {
    return ReadScript(ctx);
  } catch (const std::exception& e) {
    ctx.log.Write(std::string("F04_READ_SQLTXT: ") + e.what());
    return StepResult::kFailed;
  }
}

StepResult F05_CRE_MDB(BuilderContext& ctx) {
  // Database names are file names, matched without regard to case: a
  // database already there keeps its spelling on disk, so two scripts that
  // spell its name differently build into one file.
  if (const auto existing = text::FindNoCase(ctx.work_dir, ctx.G_MdbName)) {
    ctx.G_MdbName = existing->filename().string();
    return StepResult::kDone;
  }
  const auto path = ctx.WorkingDatabase();
  // Each step is tried even after a failure, and every failure is logged.
  // G_TableName stays as the script set it (not "T_Version"): a script
  // without a table block must still be reported as lacking one.
  bool failed = false;
  auto step = [&](auto&& action) {
    try {
      action();
    } catch (const std::exception& e) {
      ctx.log.Write(std::string("F05_CRE_MDB: ") + e.what());
      failed = true;
    }
  };
  std::optional<Database> db;
  step([&] { Database::Create(path); });
  step([&] { db.emplace(path); });
  step([&] {
    if (!db) throw std::runtime_error("T_Version: " + path.string() + " が開かれていません。");
    db->AppendTable("T_Version", {{"VERSION", ColumnType::kInteger, 0},
                                  {"REVISION", ColumnType::kInteger, 0},
                                  {"VLDATA", ColumnType::kText, 50},
                                  {"RLSDATE", ColumnType::kDateTime, 0}});
  });
  return failed ? StepResult::kFailed : StepResult::kDone;
}

StepResult F_EXEC_SQL(BuilderContext& ctx, text::TextFileReader& script) {
  Database db(ctx.WorkingDatabase());
  ctx.G_DropTable = ctx.G_DropMissing = ctx.G_CreateTable = false;
  StatementJoiner joiner;
  std::string line;
  while (NextLine(script, line)) {
    const auto statement = joiner.Add(line);
    if (!statement) continue;
    try {
      switch (ClassifyStatement(*statement)) {
        case StatementKind::kDropTable:
          ctx.G_DropTable = true;
          db.Execute(*statement);
          break;
        case StatementKind::kCreateTable:
          ctx.G_CreateTable = true;
          F_CREATE_TABLE(ctx, db, *statement);
          break;
        case StatementKind::kExecute: db.Execute(*statement); break;
        case StatementKind::kIgnored: break;
      }
    } catch (const EngineError& e) {
      if (e.number() == kErrTableNotFound && ctx.G_DropTable) {
        ctx.G_DropMissing = true;
        continue;
      }
      ctx.log.MessageBox(e.what());
      return StepResult::kFailed;
    }
  }
  if (ctx.G_DropTable && !ctx.G_CreateTable) {
    const std::string table = ctx.G_MdbName + "." + ctx.G_TableName;
    ctx.log.Write(ctx.G_DropMissing ? table + " 削除(DROP)対象がありません。"
                                    : table + "を 削除(DROP)しました。");
  }
  return StepResult::kDone;
}

void F_CREATE_TABLE(BuilderContext& ctx, Database& db, const std::string& statement) {
  const TableDefinition table = ParseCreateTable(statement);
  for (const auto& message : table.rejected) ctx.log.MessageBox(message);
  if (table.name.empty()) {
    ctx.log.MessageBox("テーブル名がありません: " + statement);
    return;
  }
  try {
    db.AppendTable(table.name, table.columns);
  } catch (const EngineError& e) {
    ctx.log.MessageBox(e.what());
  }
}

}  // namespace morvane
