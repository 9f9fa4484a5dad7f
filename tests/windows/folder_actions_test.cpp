// The main window's ways to the folders: the ﾌｧｲﾙ menu's two items open
// CSV_IN and the chosen purpose's output folder, and files dropped onto the
// window go into CSV_IN, the prefecture boxes following.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

#include "window_test_support.h"

namespace tessivar {

class FolderActionsTest : public QObject {
  Q_OBJECT

 private slots:
  void fileMenuOpensTheFolders();
  void droppedFilesGoIntoCsvInAndTheBoxesFollow();
};

void FolderActionsTest::fileMenuOpensTheFolders() {
  TestProgram program({"JIGYOSYO.CSV"});
  QVERIFY(program.Start());
  program.dialogs.set_opens_folders(true);
  auto* menu = Child<QMenu>(program.window.get(), QStringLiteral("mnuFile"));
  QVERIFY(menu);
  QStringList items;
  for (QAction* action : menu->actions())
    items << (action->isSeparator() ? QStringLiteral("-") : action->text());
  QCOMPARE(items,
           QStringList({QStringLiteral("CSV_IN フォルダーを開く"), QStringLiteral("出力フォルダーを開く"),
                        QStringLiteral("-"), QStringLiteral("終了(&X)")}));

  Child<QAction>(menu, QStringLiteral("mnuFileOpenInput"))->trigger();
  Child<QAction>(menu, QStringLiteral("mnuFileOpenOutput"))->trigger();
  Click(Child<QRadioButton>(program.window.get(), QStringLiteral("Opt_用途_1")));
  Child<QAction>(menu, QStringLiteral("mnuFileOpenOutput"))->trigger();
  const std::vector<std::filesystem::path> expected = {program.home() / "CSV_IN", program.home() / "CSV_OUT",
                                                       program.home() / "MDB_OUT"};
  QCOMPARE(program.dialogs.opened_folders(), expected);
  QVERIFY(std::filesystem::is_directory(program.home() / "MDB_OUT"));  // made to be opened
  QVERIFY(program.dialogs.messages().empty());
}

void FolderActionsTest::droppedFilesGoIntoCsvInAndTheBoxesFollow() {
  TestProgram program({"JIGYOSYO.CSV"});
  QVERIFY(program.Start());
  QWidget* w = program.window.get();
  QVERIFY(Child<QCheckBox>(w, QStringLiteral("Chk_県名_1"))->isEnabled());  // business data: every box
  program.WriteFile("downloads/13TOKYO.CSV", "");
  program.WriteFile("downloads/14KANAGAWA.CSV", "");

  QMimeData data;
  data.setUrls(
      {QUrl::fromLocalFile(QString::fromStdString((program.home() / "downloads/13TOKYO.CSV").string())),
       QUrl::fromLocalFile(QString::fromStdString((program.home() / "downloads/14KANAGAWA.CSV").string()))});
  const QPointF at(w->width() / 2.0, w->height() / 2.0);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &drop);
  QVERIFY(drop.isAccepted());

  QVERIFY(std::filesystem::exists(program.home() / "CSV_IN/13TOKYO.CSV"));
  QVERIFY(std::filesystem::exists(program.home() / "CSV_IN/14KANAGAWA.CSV"));
  QVERIFY(!Child<QCheckBox>(w, QStringLiteral("Chk_県名_1"))->isEnabled());
  QVERIFY(Child<QCheckBox>(w, QStringLiteral("Chk_県名_13"))->isEnabled());
  QVERIFY(Child<QCheckBox>(w, QStringLiteral("Chk_県名_14"))->isChecked());
  QCOMPARE(
      Child<QLabel>(w, QStringLiteral("Lbl_File"))->text(),
      QStringLiteral(
          "県別データ と 事業所データ の処理を行います。以下にチェックのある県別データが抽出されます。"));
  QVERIFY(program.dialogs.messages().empty());

  // Something else than local files is not taken.
  QMimeData text;
  text.setText(QStringLiteral("13TOKYO.CSV"));
  QDragEnterEvent refused(at.toPoint(), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &refused);
  QVERIFY(!refused.isAccepted());
}

}  // namespace tessivar

QTEST_MAIN(tessivar::FolderActionsTest)
#include "folder_actions_test.moc"
