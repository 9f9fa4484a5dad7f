#include "shell/start_handler.h"

#include <system_error>

#include "convert/run.h"
#include "dialogs/trap.h"
#include "handoff/handoff.h"
#include "text/cp932.h"
#include "text/file_names.h"
#include "text/run_lock.h"
#include "text/strings.h"

namespace tessivar {

namespace {

const char* OutputFileName(Purpose purpose) {
  switch (purpose) {
    case Purpose::kWordList: return "ZIP.TXT";
    case Purpose::kDatabase: return "torvaskmdb.CSV";
    case Purpose::kCsv: return "ZIPDATA.CSV";
    case Purpose::kNone: break;
  }
  return "";
}

// The word list's question names the input method chosen as its target.
const char* ConfirmationQuestion(Purpose purpose, ImeTarget target) {
  switch (purpose) {
    case Purpose::kWordList:
      return target == ImeTarget::kMozc
                 ? "Mozc ユーザー辞書用 郵便番号テキスト作成を\r作成します。よろしいですか？"
                 : "MS-IME ユーザー辞書用 郵便番号テキスト作成を\r作成します。よろしいですか？";
    case Purpose::kDatabase: return "Quillmere用 ＭＤＢを\r作成します。よろしいですか？";
    case Purpose::kCsv: return "CSVテキスト作成 （非辞書用）を\r作成します。よろしいですか？";
    case Purpose::kNone: break;
  }
  return "";
}

HandoffSettings BuilderSettings(const Application& app) {
  HandoffSettings settings;
  settings.program_folder = app.program_folder;
  settings.builder_program = app.builder_program;
  settings.out_folder = app.inputs.out_folder;
  settings.poll_ms = app.builder_poll_ms;
  return settings;
}

// Step 3: returns false when the user keeps the old output file. An old file
// the user lets go stays until the new one, written whole, takes its place,
// so that a run that fails leaves it as it was; only one spelled in another
// case goes at once, so that a single output file remains.
bool ReleaseOldOutput(Application& app, Purpose purpose) {
  auto old = text::FindNoCase(app.inputs.out_folder, app.G_OutFileName);
  if (!old) return true;
  if (purpose != Purpose::kDatabase) {
    bool remove =
        app.dialogs.AskWithIcon("CSV_OUT に " + app.G_OutFileName +
                                    " ファイルが存在します。削除しますか？\r削除しない場合 "
                                    "[いいえ]を選択して データを他の場所へコピーして 再起動してください。",
                                DialogIcon::kQuestion);
    if (!remove) return false;
  }
  if (old->filename() != app.G_OutFileName) {
    std::error_code ignored;
    std::filesystem::remove(*old, ignored);
  }
  return true;
}

bool AnyPrefectureChosen(const MainWindowModel& form) {
  for (int code = kFirstPrefecture; code <= kLastPrefecture; ++code) {
    const auto& box = form.Chk_県名[static_cast<size_t>(code)];
    if (box.enabled && box.value) return true;
  }
  return false;
}

// Shows the wait window for its lifetime: the run and, for the database,
// the builder's verdict and the result message.
class WaitWindowShown {
 public:
  explicit WaitWindowShown(WaitWindow* window) : window_(window) {
    if (window_) window_->Show();
  }
  ~WaitWindowShown() {
    if (window_) window_->Unload();
  }
  WaitWindowShown(const WaitWindowShown&) = delete;
  WaitWindowShown& operator=(const WaitWindowShown&) = delete;

 private:
  WaitWindow* window_;
};

// Takes the program folder's run lock; false (after saying why) when another
// run holds it or it cannot be taken.
bool LockProgramFolder(const Application& app, text::RunLock& lock) {
  const std::filesystem::path path = app.program_folder / kRunLockFile;
  switch (lock.Acquire(path)) {
    case text::RunLock::Result::kLocked: return true;
    case text::RunLock::Result::kBusy:
      app.dialogs.Message(
          "別の Tessivar がこのフォルダーで作成中です。終わってから もう一度 実行してください。");
      return false;
    case text::RunLock::Result::kFailed: break;
  }
  app.dialogs.Message(lock.error() + " をロックできません。");
  return false;
}

}  // namespace

void F_SelectFieldSet(Application& app, std::u16string_view name) {
  app.G_SelFields = FieldList(app.field_sets.F_GetFieldSet(text::Concat(u"<", name, u">")));
}

RunResult Btn_作成開始_Click(Application& app) {
  // Two runs in one folder would write the same files: the second refuses
  // before it touches any.
  text::RunLock lock;
  if (!LockProgramFolder(app, lock)) return RunResult::kRefused;

  const Purpose purpose = app.G_MainForm.SelectedPurpose();
  if (purpose != Purpose::kNone) app.G_OutFileName = OutputFileName(purpose);
  HandoffSettings builder = BuilderSettings(app);
  builder.run_lock = lock.descriptor();
  CopiedDefinitionFiles definitions(builder);
  if (purpose == Purpose::kDatabase && !definitions.Copy(app.dialogs)) return RunResult::kFailed;

  if (purpose == Purpose::kDatabase) F_SelectFieldSet(app, u"Quillmere用");
  if (purpose == Purpose::kCsv) F_SelectFieldSet(app, app.G_MainForm.List出力設定F.SelectedName());
  if (purpose != Purpose::kNone &&
      !app.dialogs.Ask(ConfirmationQuestion(purpose, app.G_MainForm.ReadOptions().ime_target)))
    return RunResult::kRefused;

  if (!ReleaseOldOutput(app, purpose)) return RunResult::kRefused;
  if (!AnyPrefectureChosen(app.G_MainForm)) {
    app.dialogs.Message("作成地域指定を選択してください。");
    return RunResult::kRefused;
  }

  WaitWindowShown wait(app.F_WAIT);
  ConvertContext ctx(app.G_MainForm.ReadOptions(), app.inputs, app.dialogs);
  ctx.run.G_SelFields = app.G_SelFields;
  ctx.run.options.write_changes = app.write_changes;
  ctx.run.options.read_ahead = app.read_ahead;
  ctx.run.G_OutFileName = app.G_OutFileName;
  if (!F_CreateZipData(ctx)) return RunResult::kFailed;
  if (purpose != Purpose::kDatabase) return RunResult::kCompleted;
  const BuilderOutcome outcome = F_MDB_Create(builder, app.dialogs);
  if (outcome != BuilderOutcome::kNotStarted) definitions.HandOn();
  ShowBuilderResult(outcome, ctx.run.G_RecordCount, app.dialogs);
  return outcome == BuilderOutcome::kSucceeded ? RunResult::kCompleted : RunResult::kBuildFailed;
}

}  // namespace tessivar
