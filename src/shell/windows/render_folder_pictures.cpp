#include "shell/windows/render_folder_pictures.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <iostream>

#include "dialogs/scripted_dialogs.h"
#include "shell/folder_guide.h"
#include "shell/startup.h"
#include "shell/windows/main_window.h"
#include "shell/windows/qt_dialogs.h"

namespace tessivar {

namespace {

bool Save(QWidget& window, const QDir& out, const char* name) {
  window.show();
  QApplication::processEvents();
  const QString path = out.filePath(QString::fromLatin1(name));
  const bool saved = window.grab().save(path);
  window.hide();
  std::cout << path.toStdString() << "\n";
  return saved;
}

bool Touch(const QString& path) { return QFile(path).open(QIODevice::WriteOnly); }

}  // namespace

bool RenderFolderPictures(const QDir& out, const QString& shipped_ini) {
  // The first start in a user's folder on a Japanese desktop.
  const auto guide = QuestionBox(EmptyInputFolderGuide("/home/user/ドキュメント/Tessivar/CSV_IN") +
                                     "\r\rCSV_IN フォルダーを開きますか？",
                                 DialogIcon::kQuestion, nullptr);
  bool ok = Save(*guide, out, "first_start.png");

  // Business data at start-up, then two prefectures' files dropped: only
  // their boxes are offered.
  QTemporaryDir folder;
  const QDir home(folder.path());
  ok = ok && home.mkpath(QStringLiteral("CSV_IN")) && home.mkpath(QStringLiteral("downloads")) &&
       QFile::copy(shipped_ini, home.filePath(QStringLiteral("Tessivar.ini"))) &&
       Touch(home.filePath(QStringLiteral("CSV_IN/JIGYOSYO.CSV"))) &&
       Touch(home.filePath(QStringLiteral("downloads/13TOKYO.CSV"))) &&
       Touch(home.filePath(QStringLiteral("downloads/14KANAGAWA.CSV")));
  ScriptedDialogs dialogs;
  Application app(home.path().toStdString(), dialogs);
  MainWindow main_window(app, [](int) {});
  ok = ok && RunStartup(app);
  main_window.ShowModel();
  main_window.show();
  QMimeData dropped;
  dropped.setUrls({QUrl::fromLocalFile(home.filePath(QStringLiteral("downloads/13TOKYO.CSV"))),
                   QUrl::fromLocalFile(home.filePath(QStringLiteral("downloads/14KANAGAWA.CSV")))});
  const QPointF at(main_window.width() / 2.0, main_window.height() / 2.0);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&main_window, &enter);
  QDropEvent drop(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&main_window, &drop);
  ok = drop.isAccepted() && Save(main_window, out, "main_window_dropped.png") && ok;
  for (const std::string& message : dialogs.messages()) std::cerr << "render_windows: " << message << "\n";
  return ok && dialogs.messages().empty();
}

}  // namespace tessivar
