// Renders every window of Tessivar offscreen into PNG files, as they look on
// a program folder with the whole-country files and the shipped field sets:
//
//   render_windows SHIPPED_TESSIVAR_INI OUTPUT_FOLDER
//
// (cmake --build build --target screenshots writes them into docs/windows.)
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <iostream>

#include "dialogs/scripted_dialogs.h"
#include "fieldsets/window/set_editor_window.h"
#include "shell/startup.h"
#include "shell/windows/about_box.h"
#include "shell/windows/japanese_font.h"
#include "shell/windows/main_window.h"
#include "shell/windows/render_folder_pictures.h"
#include "shell/windows/splash_window.h"
#include "shell/windows/wait_window.h"

namespace {

using namespace tessivar;

bool Save(QWidget& window, const QDir& folder, const char* name) {
  window.show();
  QApplication::processEvents();
  const QString path = folder.filePath(QString::fromLatin1(name));
  if (!window.grab().save(path)) {
    std::cerr << "render_windows: cannot write " << path.toStdString() << "\n";
    return false;
  }
  std::cout << path.toStdString() << "\n";
  window.hide();
  return true;
}

// A program folder with (empty) whole-country files: start-up only looks at
// the names, and the pictures show the windows as they are for real data.
bool PrepareProgramFolder(const QDir& home, const QString& shipped_ini) {
  return home.mkpath(QStringLiteral("CSV_IN")) &&
         QFile::copy(shipped_ini, home.filePath(QStringLiteral("Tessivar.ini"))) &&
         QFile(home.filePath(QStringLiteral("CSV_IN/KEN_ALL.CSV"))).open(QIODevice::WriteOnly) &&
         QFile(home.filePath(QStringLiteral("CSV_IN/JIGYOSYO.CSV"))).open(QIODevice::WriteOnly);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: render_windows SHIPPED_TESSIVAR_INI OUTPUT_FOLDER\n";
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  UseJapaneseFont(qt, 10);

  QTemporaryDir home_folder;
  const QDir home(home_folder.path());
  const QDir out(QString::fromLocal8Bit(argv[2]));
  if (!home_folder.isValid() || !out.mkpath(QStringLiteral(".")) ||
      !PrepareProgramFolder(home, QString::fromLocal8Bit(argv[1]))) {
    std::cerr << "render_windows: cannot prepare the program folder\n";
    return 1;
  }

  ScriptedDialogs dialogs;
  Application app(home.path().toStdString(), dialogs);
  MainWindow main_window(app, [](int) {});
  SplashWindow splash([] {}, [](int) {});
  RunStartup(app);
  // A set of the user's own, so that the editor shows one it may change.
  app.field_sets.F_Put項目TBL(2, u"<住所と郵便番号>", u"0,3,26,7,26,8,26,9,-1,-1");
  app.field_sets.F_出力設定F一覧set(app.G_MainForm.List出力設定F, app.G_SelFields);
  main_window.ShowModel();
  splash.ShowModel(app.frmSplash);
  for (const std::string& message : dialogs.messages()) std::cerr << "render_windows: " << message << "\n";

  bool ok = Save(splash, out, "start_screen.png");
  const char* const purposes[] = {"main_window_ime.png", "main_window_database.png", "main_window_csv.png"};
  for (int purpose = 0; purpose < 3; ++purpose) {
    app.G_MainForm.SelectPurpose(purpose);
    main_window.ShowModel();
    ok = Save(main_window, out, purposes[purpose]) && ok;
  }
  AboutBox about(&main_window);
  ok = Save(about, out, "about.png") && ok;
  WaitDialog wait(&main_window);
  wait.setWindowModality(Qt::NonModal);
  ok = Save(wait, out, "wait.png") && ok;
  SetEditorWindow editor(app.field_sets, dialogs, app.G_MainForm.List出力設定F, app.G_SelFields, {},
                         &main_window);
  editor.findChild<QListWidget*>(QStringLiteral("List出力設定F"))->setCurrentRow(2);
  editor.findChild<QListWidget*>(QStringLiteral("LbOUT"))->setCurrentRow(2);
  ok = Save(editor, out, "field_set_editor.png") && ok;
  ok = RenderFolderPictures(out, QString::fromLocal8Bit(argv[1])) && ok;
  return ok && dialogs.messages().empty() ? 0 : 1;
}
