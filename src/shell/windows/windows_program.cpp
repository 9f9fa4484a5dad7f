#include "shell/windows/windows_program.h"

#include <QApplication>

#include "places/program_files.h"
#include "shell/home_setup.h"
#include "shell/startup.h"
#include "shell/windows/japanese_font.h"
#include "shell/windows/main_window.h"
#include "shell/windows/program_icon.h"
#include "shell/windows/program_identity.h"
#include "shell/windows/qt_dialogs.h"
#include "shell/windows/splash_window.h"

namespace tessivar {

int RunWindows(const std::filesystem::path& home, int& argc, char** argv) {
  QApplication qt(argc, argv);
  QApplication::setApplicationName(kProgramTitle);
  QGuiApplication::setDesktopFileName(kDesktopFileName);
  QApplication::setWindowIcon(ProgramIcon());
  UseJapaneseFont(qt);

  QtDialogs dialogs;
  Application app(home, dialogs);
  UseProgramFiles(app, places::LocateProgramFiles(places::ExecutableFolder()));
  // "At once": leave the event loop; no window's unload runs.
  auto end_program = [](int status) { QApplication::exit(status); };
  MainWindow main_window(app, end_program);
  dialogs.SetOwner(&main_window);
  SplashWindow splash([&main_window] { main_window.ShowRestored(); }, end_program);
  splash.show();
  splash.repaint();
  QApplication::processEvents();

  RunStartup(app);
  main_window.ShowModel();
  splash.ShowModel(app.frmSplash);
  return QApplication::exec();
}

}  // namespace tessivar
