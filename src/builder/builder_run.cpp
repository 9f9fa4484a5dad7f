#include "builder/builder_run.h"

#include <system_error>

#include "builder/file_control.h"
#include "builder/folders.h"
#include "builder/interpreter.h"
#include "builder/publisher.h"
#include "builder/work_folder.h"
#include "text/run_lock.h"

namespace morvane {

namespace {

constexpr std::string_view kStart = "Morvane処理を開始します。  ";
constexpr std::string_view kEnd = "Morvane処理を終了しました。 ";

StepResult Fail(BuilderContext& ctx) {
  ctx.status.Write(Status::kFailed);
  return StepResult::kFailed;
}

int ErrorNumber(const std::exception& e) {
  if (auto* system = dynamic_cast<const std::system_error*>(&e)) return system->code().value();
  if (auto* engine = dynamic_cast<const EngineError*>(&e)) return engine->number();
  return 0;
}

// The status must reach its file before the run goes on: a converter
// waiting for the verdict would otherwise take a published database for a
// failure. Fails (saying why, where the log and standard error show it)
// when it cannot be written.
StepResult RequireStatus(BuilderContext& ctx, Status status) {
  if (ctx.status.Write(status)) return StepResult::kDone;
  ctx.log.MessageBox(ctx.status.error() + " 結果ファイルに書き込めないため、処理を中止します。");
  return StepResult::kFailed;
}

StepResult Run(BuilderContext& ctx) {
  Settings& s = ctx.settings;
  std::string why;
  const StepResult settings_read = F_READ_INI(ctx.program_folder, s, &why);
  ctx.log.set_path(s.log_dir + s.log_file);
  ctx.status.set_path(s.result_dir + s.result_file);
  if (settings_read == StepResult::kFailed) {
    ctx.log.Banner(kStart);
    ctx.log.Write("INIファイルが読めません。処理を中止します。");
    // Also on standard error: run by hand, the log may be nowhere to see.
    ctx.log.MessageBox(why);
    return Fail(ctx);
  }
  // The status file's place is known: announce the start at once, which
  // also replaces the verdict of an earlier run.
  ctx.status.Write(Status::kStarted);
  if (F_MAKE_DIRS(ctx) == StepResult::kFailed) return Fail(ctx);

  if (RequireStatus(ctx, Status::kRunning) == StepResult::kFailed) return StepResult::kFailed;
  ctx.log.Delete();
  ctx.log.Banner(kStart);
  WorkFolder work(ctx.program_folder);
  work.RemoveLeftover();
  if (!work.Make(s.mdb_dir, &why)) {
    ctx.log.MessageBox(why);
    return Fail(ctx);
  }
  ctx.work_dir = work.path();
  if (F_COUNT_SQLFILE(ctx) == StepResult::kFailed) return Fail(ctx);
  for (const auto& script : ctx.G_SqlFiles) {
    ctx.G_SqlFile = script;
    if (F04_READ_SQLTXT(ctx) == StepResult::kFailed) return Fail(ctx);
  }
  if (ctx.G_SqlFiles.empty()) {
    ctx.log.Write("Morvane処理:取り込みデータのファイルが見つからないため、処理を迂回しました。");
  } else if (RequireStatus(ctx, Status::kRunning) == StepResult::kFailed) {
    return StepResult::kFailed;  // checked again just before publishing
  } else if (F_DISTRIBUTE_MDB(ctx) == StepResult::kFailed) {
    return Fail(ctx);
  }
  work.Remove();
  if (const auto file_cntl = FindFileControlScript(ctx)) {
    F_RUN_FILECNTL(ctx);
    std::error_code ec;
    std::filesystem::remove(*file_cntl, ec);
  }
  ctx.log.Banner(kEnd);
  ctx.status.Write(Status::kDone);
  return StepResult::kDone;
}

}  // namespace

StepResult RunBuilder(BuilderContext& ctx) {
  try {
    return Run(ctx);
  } catch (const std::exception& e) {
    // Every step reports its own failures; anything escaping them ends the
    // run as a failure rather than publishing half a result.
    ctx.status.Write(Status::kFailed);
    ctx.log.Separator();
    ctx.log.Write(std::string(e.what()) + " err=" + std::to_string(ErrorNumber(e)));
    ctx.log.Separator();
    return StepResult::kFailed;
  }
}

int RunBuilder(const std::filesystem::path& program_folder, std::ostream& messages) {
  // A second builder in the same folder would overwrite the first one's
  // status, log and databases: it refuses before touching any of them.
  text::RunLock lock;
  switch (lock.Acquire(program_folder / kRunLockFile)) {
    case text::RunLock::Result::kLocked: break;
    case text::RunLock::Result::kBusy:
      messages
          << "Morvane: 別の Morvane がこのフォルダーで実行中です。終わってから もう一度 実行してください。\n";
      return 1;
    case text::RunLock::Result::kFailed:
      messages << "Morvane: " << lock.error() << " をロックできません。\n";
      return 1;
  }
  BuilderContext ctx(program_folder, messages);
  return RunBuilder(ctx) == StepResult::kFailed ? 1 : 0;
}

}  // namespace morvane
