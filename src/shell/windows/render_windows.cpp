// Renders every window of Tessivar offscreen into PNG files, as they look on
// a program folder with the whole-country files and the shipped field sets:
//
//   render_windows SHIPPED_TESSIVAR_INI OUTPUT_FOLDER [SCALE]
//
// The start screen, the main window and the editor are shown on a screen of
// 1280x720 at their top left corner, below a plain title bar that stands for
// the window manager's frame; the About box and the wait window on their own.
// With SCALE 2 (200 %, a screen of 2560x1440) only the main window is
// rendered, into main_window_csv_200.png.
// (cmake --build build --target screenshots writes them into docs/windows.)
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QSettings>
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
#include "shell/windows/window_placement.h"

namespace {

using namespace tessivar;

constexpr QSize kScreen(1280, 720);
constexpr int kTitleBar = 30;

bool Write(const QImage& image, const QDir& folder, const QString& name) {
  const QString path = folder.filePath(name);
  if (!image.save(path)) {
    std::cerr << "render_windows: cannot write " << path.toStdString() << "\n";
    return false;
  }
  std::cout << path.toStdString() << "\n";
  return true;
}

QPixmap Grab(QWidget& window) {
  window.show();
  QApplication::processEvents();
  QPixmap picture = window.grab();
  window.hide();
  return picture;
}

// The window alone.
bool Save(QWidget& window, const QDir& folder, const char* name) {
  return Write(Grab(window).toImage(), folder, QString::fromLatin1(name));
}

// The whole screen, the window at its top left corner under a title bar.
bool SaveOnScreen(QWidget& window, const QDir& folder, const QString& name) {
  const QPixmap picture = Grab(window);
  const qreal ratio = picture.devicePixelRatio();
  QImage screen(kScreen * ratio, QImage::Format_RGB32);
  screen.setDevicePixelRatio(ratio);
  screen.fill(QColor(0x5a, 0x6e, 0x82));
  QPainter paint(&screen);
  const QSize inside = picture.deviceIndependentSize().toSize();
  const QRect frame(0, 0, inside.width() + 2, inside.height() + kTitleBar + 1);
  paint.fillRect(frame, QColor(0xd6, 0xd9, 0xde));
  paint.setPen(QColor(0x30, 0x30, 0x30));
  QFont title_font = QApplication::font();
  title_font.setBold(true);
  paint.setFont(title_font);
  paint.drawText(QRect(10, 0, frame.width() - 50, kTitleBar), Qt::AlignVCenter, window.windowTitle());
  paint.drawText(QRect(frame.width() - 32, 0, 24, kTitleBar), Qt::AlignCenter, QStringLiteral("×"));
  paint.drawPixmap(1, kTitleBar, picture);
  paint.setPen(QColor(0x70, 0x70, 0x70));
  paint.drawRect(frame.adjusted(0, 0, -1, -1));
  if (frame.width() > kScreen.width() || frame.height() > kScreen.height())
    std::cerr << "render_windows: " << name.toStdString() << " does not fit the screen\n";
  return Write(screen, folder, name);
}

// A program folder with (empty) whole-country files: start-up only looks at
// the names, and the pictures show the windows as they are for real data.
bool PrepareProgramFolder(const QDir& home, const QString& shipped_ini) {
  return home.mkpath(QStringLiteral("CSV_IN")) &&
         QFile::copy(shipped_ini, home.filePath(QStringLiteral("Tessivar.ini"))) &&
         QFile(home.filePath(QStringLiteral("CSV_IN/KEN_ALL.CSV"))).open(QIODevice::WriteOnly) &&
         QFile(home.filePath(QStringLiteral("CSV_IN/JIGYOSYO.CSV"))).open(QIODevice::WriteOnly);
}

// The offscreen platform with one screen of the size given, at 96 dpi.
bool UseScreen(const QTemporaryDir& folder, int scale) {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
  const QString path = folder.filePath(QStringLiteral("screen.json"));
  QFile config(path);
  if (!config.open(QIODevice::WriteOnly)) return false;
  config.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, "height": %2,)"
                              R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                   .arg(kScreen.width() * scale)
                   .arg(kScreen.height() * scale)
                   .toUtf8());
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + path.toUtf8());
  if (scale != 1) qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::cerr << "usage: render_windows SHIPPED_TESSIVAR_INI OUTPUT_FOLDER [SCALE]\n";
    return 2;
  }
  const int scale = argc == 4 ? std::atoi(argv[3]) : 1;
  QTemporaryDir home_folder;
  if (!home_folder.isValid() || (scale != 1 && scale != 2) || !UseScreen(home_folder, scale)) {
    std::cerr << "render_windows: cannot prepare the screen\n";
    return 1;
  }
  QApplication qt(argc, argv);
  UseJapaneseFont(qt, 10);
  // No placement or set choice of the user's own reaches the pictures.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     home_folder.filePath(QStringLiteral("config")));

  const QDir home(home_folder.filePath(QStringLiteral("program")));
  const QDir out(QString::fromLocal8Bit(argv[2]));
  if (!out.mkpath(QStringLiteral(".")) || !PrepareProgramFolder(home, QString::fromLocal8Bit(argv[1]))) {
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
  app.G_MainForm.List出力設定F.selected = 2;
  main_window.ShowModel();
  splash.ShowModel(app.frmSplash);
  for (const std::string& message : dialogs.messages()) std::cerr << "render_windows: " << message << "\n";

  // The main window at the size it opens with: its preferred size, within the screen.
  RestorePlacement(main_window);
  main_window.move(0, 0);
  if (scale == 2) {
    app.G_MainForm.SelectPurpose(2);
    main_window.ShowModel();
    return SaveOnScreen(main_window, out, QStringLiteral("main_window_csv_200.png")) ? 0 : 1;
  }

  bool ok = SaveOnScreen(splash, out, QStringLiteral("start_screen.png"));
  const char* const purposes[] = {"main_window_ime.png", "main_window_database.png", "main_window_csv.png"};
  for (int purpose = 0; purpose < 3; ++purpose) {
    app.G_MainForm.SelectPurpose(purpose);
    main_window.ShowModel();
    ok = SaveOnScreen(main_window, out, QString::fromLatin1(purposes[purpose])) && ok;
  }
  AboutBox about(&main_window);
  ok = Save(about, out, "about.png") && ok;
  WaitDialog wait(&main_window);
  wait.setWindowModality(Qt::NonModal);
  ok = Save(wait, out, "wait.png") && ok;
  SetEditorWindow editor(app.field_sets, dialogs, app.G_MainForm.List出力設定F, app.G_SelFields, {},
                         &main_window);
  editor.findChild<QListWidget*>(QStringLiteral("LbOUT"))->setCurrentRow(2);
  RestorePlacement(editor);
  ok = SaveOnScreen(editor, out, QStringLiteral("field_set_editor.png")) && ok;
  ok = RenderFolderPictures(out, QString::fromLocal8Bit(argv[1])) && ok;
  return ok && dialogs.messages().empty() ? 0 : 1;
}
