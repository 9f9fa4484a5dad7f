// The field-set editor's window over its logic: opened from the main window,
// items moved with the mouse, removed by double-click and inserted by their
// buttons; a set stored there stays chosen and is the set the next CSV run
// writes, and neither the editor nor the main window closing drops unsaved
// items unless the user lets them go.
#include <QAction>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "fieldsets/window/set_editor_window.h"
#include "text/cp932.h"
#include "window_test_support.h"

namespace tessivar {

using text::Cp932;

class SetEditorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void storedSetIsTheSetTheNextCsvRunWrites();
  void closeBoxAsksBeforeDroppingUnsavedItems();
  void closingTheMainWindowAsksTheEditorsQuestionFirst();
};

namespace {

QStringList Lines(QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}

QPoint LineCentre(QListWidget* list, int row) { return list->visualItemRect(list->item(row)).center(); }

SetEditorWindow* OpenEditor(TestProgram& program) {
  Click(Child<QRadioButton>(program.window.get(), QStringLiteral("Opt_用途_2")));
  Click(Child<QPushButton>(program.window.get(), QStringLiteral("Btn列名選択")));
  return Child<SetEditorWindow>(program.window.get(), QStringLiteral("frm列名選択"));
}

const std::vector<std::string> kSets = {"<全項目出力>", "0,1,26,2,-1", "<Quillmere用>",
                                        "0,1,26,3,-1",  "<住所>",      "0,3,26,7,26,8,26,9,-1,-1"};

}  // namespace

void SetEditorWindowTest::storedSetIsTheSetTheNextCsvRunWrites() {
  TestProgram program({"KEN_ALL.CSV"}, kSets);
  QVERIFY(program.Start({true}));
  SetEditorWindow* editor = OpenEditor(program);
  QVERIFY(editor && editor->isVisible());
  auto* sets = Child<QListWidget>(editor, QStringLiteral("List出力設定F"));
  auto* items = Child<QListWidget>(editor, QStringLiteral("LbOUT"));
  sets->setCurrentRow(2);  // 住所
  QCOMPARE(Lines(items).mid(1),
           QStringList({"新郵便番号", "　　　　　　　　　　　　-- 区切り（カンマ）", "都道府県名漢字",
                        "　　　　　　　　　　　　-- 区切り（カンマ）", "市区町村名漢字",
                        "　　　　　　　　　　　　-- 区切り（カンマ）", "町域名漢字"}));
  QVERIFY(!Child<QPushButton>(editor, QStringLiteral("BtnKMK_7"))->isEnabled());

  // 町域名漢字 dragged up below the heading, 都道府県名漢字 and its comma removed by double-click.
  QTest::mousePress(items->viewport(), Qt::LeftButton, Qt::NoModifier, LineCentre(items, 7));
  QTest::mouseRelease(items->viewport(), Qt::LeftButton, Qt::NoModifier, LineCentre(items, 0));
  for (int twice = 0; twice < 2; ++twice) {
    QTest::mouseDClick(items->viewport(), Qt::LeftButton, Qt::NoModifier, LineCentre(items, 4));
  }
  QVERIFY(Child<QPushButton>(editor, QStringLiteral("BtnKMK_7"))->isEnabled());
  items->setCurrentRow(1);
  Click(Child<QPushButton>(editor, QStringLiteral("BtnKMK_27")));  // a full-width blank after the town
  QCOMPARE(editor->editor().EditList,
           (std::vector<std::u16string>{u"0", u"9", u"27", u"3", u"26", u"8", u"26", u"-1", u"-1", u"-1"}));

  Click(Child<QPushButton>(editor, QStringLiteral("Btn変更登録")));
  QCOMPARE(sets->currentRow(), 2);  // the stored set stays chosen
  QCOMPARE(Lines(items).size(), 7);
  const QPointer<SetEditorWindow> closing(editor);
  Click(Child<QPushButton>(editor, QStringLiteral("BtnCansel")));
  QVERIFY(!closing || !closing->isVisible());

  // The main window's list was refilled with the edited set chosen; the run
  // writes it.
  auto* main_sets = Child<QListWidget>(program.window.get(), QStringLiteral("List出力設定F"));
  QCOMPARE(main_sets->count(), 3);
  QCOMPARE(main_sets->currentRow(), 2);
  Click(Child<QPushButton>(program.window.get(), QStringLiteral("Btn_作成開始")));
  QCOMPARE(program.dialogs.messages().back(),
           std::string("郵便番号データを 1 件 作成しました。\r前回の出力がないため、比較しませんでした。"));
  std::u16string written;
  QVERIFY(Cp932().Decode(program.ReadFile("CSV_OUT/ZIPDATA.CSV"), written));
  QCOMPARE(QString::fromStdU16String(written), QStringLiteral("\"飯田橋\"　\"1020072\",\"千代田区\",\r\n"));
}

void SetEditorWindowTest::closeBoxAsksBeforeDroppingUnsavedItems() {
  TestProgram program({"KEN_ALL.CSV"}, kSets);
  QVERIFY(program.Start());
  const std::string sets_before = program.ReadFile("Tessivar.ini");
  SetEditorWindow* editor = OpenEditor(program);
  QVERIFY(editor);
  Click(Child<QPushButton>(editor, QStringLiteral("BtnKMK_26")));
  program.dialogs = WatchingDialogs({false, true});
  QVERIFY(!editor->close());  // No: the window stays
  QVERIFY(editor->isVisible());
  QVERIFY(editor->close());  // Yes
  QCOMPARE(program.dialogs.questions(),
           std::vector<std::string>(2, "変更された内容は　破棄されます。よろしいですか"));
  QCOMPARE(program.ReadFile("Tessivar.ini"), sets_before);
}

void SetEditorWindowTest::closingTheMainWindowAsksTheEditorsQuestionFirst() {
  TestProgram program({"KEN_ALL.CSV"}, kSets);
  QVERIFY(program.Start());
  MainWindow* main = program.window.get();
  const QPointer<SetEditorWindow> editor(OpenEditor(program));
  QVERIFY(editor);
  Click(Child<QPushButton>(editor, QStringLiteral("BtnKMK_26")));
  program.dialogs = WatchingDialogs({false, false, false, true});

  // No, to each way of closing: both windows stay, the items with them.
  QVERIFY(!main->close());  // the close box
  Click(Child<QPushButton>(main, QStringLiteral("Btn_END")));
  Child<QAction>(main, QStringLiteral("mnuFileExit"))->trigger();
  QCOMPARE(program.ended_with, -1);
  QVERIFY(main->isVisible() && editor && editor->isVisible());
  QVERIFY(editor->editor().Changed);
  // Yes: the main window closes, and the editor with it, without a second question.
  QVERIFY(main->close());
  QVERIFY(!editor || !editor->isVisible());
  QCOMPARE(program.dialogs.questions(),
           std::vector<std::string>(4, "変更された内容は　破棄されます。よろしいですか"));
}

}  // namespace tessivar

QTEST_MAIN(tessivar::SetEditorWindowTest)
#include "set_editor_window_test.moc"
