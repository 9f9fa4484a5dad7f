#pragma once
// The converter's state for the life of the program: what start-up found,
// the main window's controls, the field sets. One value, no globals.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "convert/context/input_files.h"
#include "dialogs/dialogs.h"
#include "fieldsets/field_set_file.h"
#include "handoff/handoff.h"
#include "places/program_files.h"
#include "shell/main_window_model.h"

namespace tessivar {

inline constexpr std::u16string_view kNextCaption = u"次 へ";
inline constexpr std::u16string_view kStopCaption = u"エラーのため終了します";

struct SplashModel {
  std::u16string Btn_NEXT = std::u16string(kNextCaption);
  int font_size = 0;  // 0: the design-time size
  bool stopped() const { return Btn_NEXT != kNextCaption; }
};

// The wait window F_WAIT as the start button uses it: shown before the run,
// unloaded after it. The windows keep the main window's controls disabled in
// between; the batch mode has no wait window.
class WaitWindow {
 public:
  virtual ~WaitWindow() = default;
  virtual void Show() = 0;
  virtual void Unload() = 0;
};

struct Application {
  Application(std::filesystem::path folder, Dialogs& dialog_port)
      : program_folder(std::move(folder)),
        dialogs(dialog_port),
        field_sets(program_folder / "Tessivar.ini", dialog_port) {}

  std::filesystem::path program_folder;
  Dialogs& dialogs;
  FieldSetFile field_sets;
  MainWindowModel G_MainForm;
  SplashModel frmSplash;
  InputFiles inputs;
  std::vector<std::u16string> G_SelFields;
  std::string G_OutFileName;
  int builder_poll_ms = kDefaultPollMs;
  bool write_changes = true;  // the batch mode's --no-changes: false
  bool read_ahead = false;    // the batch mode's --threads 2 (or more): true
  WaitWindow* F_WAIT = nullptr;
  // The builder the database purpose starts; empty: Morvane/Morvane in the home.
  std::filesystem::path builder_program;
  // Set when the home is not the program folder (the user's folder, or one
  // given with --home): the program's own files, from which start-up gives
  // the home what it lacks.
  std::optional<places::ProgramFiles> home_source;
};

}  // namespace tessivar
