// The main window and the start screen, driven through their controls: the
// enabled states of the three purposes, the all-prefectures box, the start
// button's refusals, the wait window during a run, the placement and the set
// kept between two starts, the start screen's two outcomes, every window's
// size against a laptop screen, the keyboard, and a run's notices shown in
// one box.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <algorithm>

#include "fieldsets/window/accessible_captions.h"
#include "program_version.h"
#include "shell/windows/about_box.h"
#include "shell/windows/japanese_font.h"
#include "shell/windows/qt_dialogs.h"
#include "shell/windows/splash_window.h"
#include "shell/windows/wait_window.h"
#include "window_test_support.h"

namespace tessivar {

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void purposeSetsTheEnabledStates_data();
  void purposeSetsTheEnabledStates();
  void allPrefecturesBoxReachesDisabledBoxesOnlyUnderTheAllPrefectureBox();
  void startButtonRefusals_data();
  void startButtonRefusals();
  void waitWindowStaysUpForTheWholeRun_data();
  void waitWindowStaysUpForTheWholeRun();
  void placementIsRestoredAtTheNextStart();
  void startScreenShowsTheMainWindowOrEndsTheProgram_data();
  void startScreenShowsTheMainWindowOrEndsTheProgram();
  void versionLabelsHelpAndAbout();
  void everyWindowFitsALaptopScreenWithEveryControlWhole();
  void keyboardReachesEveryControlAndComesBackAfterARun();
  void noticesOfARunAreOneBox();
};

namespace {

QStringList Names(std::initializer_list<const char*> names) {
  QStringList list;
  for (const char* name : names) list << QString::fromUtf8(name);
  return list;
}

}  // namespace

void MainWindowTest::purposeSetsTheEnabledStates_data() {
  QTest::addColumn<int>("purpose");
  QTest::addColumn<QStringList>("enabled");
  QTest::addColumn<QStringList>("disabled");
  QTest::addColumn<QStringList>("checked");
  QTest::addColumn<QStringList>("unchecked");
  const QStringList word_list_options =
      Names({"Opt_県名_0", "Opt_県名_1", "県名指定", "Opt_空白_0", "Opt_空白_1", "空白指定", "Opt_取込先_0",
             "Opt_取込先_1", "取り込み先指定"});
  const QStringList csv_options = Names({"Opt_列名", "列名出力", "出力指定", "List出力設定F", "Btn列名選択"});
  const QStringList code_forms = Names({"Opt_形式_0", "Opt_形式_1"});
  QTest::newRow("word list") << 0 << word_list_options + code_forms << csv_options
                             << Names({"Opt_形式_1", "Opt_取込先_0"})
                             << Names({"Opt_形式_0", "Opt_列名", "Opt_取込先_1"});
  QTest::newRow("database") << 1 << QStringList() << word_list_options + csv_options + code_forms
                            << Names({"Opt_形式_0", "Opt_列名"}) << Names({"Opt_形式_1"});
  QTest::newRow("CSV") << 2 << csv_options + code_forms << word_list_options << Names({"Opt_形式_0"})
                       << Names({"Opt_形式_1", "Opt_列名"});
}

void MainWindowTest::purposeSetsTheEnabledStates() {
  QFETCH(int, purpose);
  QFETCH(QStringList, enabled);
  QFETCH(QStringList, disabled);
  QFETCH(QStringList, checked);
  QFETCH(QStringList, unchecked);
  TestProgram program({"KEN_ALL.CSV"});
  QVERIFY(program.Start());
  QWidget* w = program.window.get();
  // Come from another purpose, with the column-name option chosen where it can be.
  Click(Child<QRadioButton>(w, QStringLiteral("Opt_用途_%1").arg(purpose == 2 ? 1 : 2)));
  if (purpose != 2) Click(Child<QRadioButton>(w, QStringLiteral("Opt_列名")));
  Click(Child<QRadioButton>(w, QStringLiteral("Opt_用途_%1").arg(purpose)));

  for (const QString& name : enabled) QVERIFY2(Child<QWidget>(w, name)->isEnabled(), qPrintable(name));
  for (const QString& name : disabled) QVERIFY2(!Child<QWidget>(w, name)->isEnabled(), qPrintable(name));
  for (const QString& name : checked)
    QVERIFY2(Child<QAbstractButton>(w, name)->isChecked(), qPrintable(name));
  for (const QString& name : unchecked)
    QVERIFY2(!Child<QAbstractButton>(w, name)->isChecked(), qPrintable(name));
  QCOMPARE(static_cast<int>(program.app->G_MainForm.SelectedPurpose()), purpose);
  if (purpose == 0) {
    Click(Child<QRadioButton>(w, QStringLiteral("Opt_取込先_1")));
    QVERIFY(program.app->G_MainForm.ReadOptions().ime_target == ImeTarget::kMozc);
  }
}

void MainWindowTest::allPrefecturesBoxReachesDisabledBoxesOnlyUnderTheAllPrefectureBox() {
  TestProgram program({"13TOKYO.CSV", "14KANAGAWA.CSV"});
  QVERIFY(program.Start({true}));
  QWidget* w = program.window.get();
  auto box = [w](int code) { return Child<QCheckBox>(w, QStringLiteral("Chk_県名_%1").arg(code)); };
  auto* all = Child<QCheckBox>(w, QStringLiteral("Chk_県指定一括"));
  for (int code = 1; code <= 47; ++code) {
    const bool found = code == 13 || code == 14;
    QCOMPARE(box(code)->isEnabled(), found);
    QCOMPARE(box(code)->isChecked(), found);
  }
  QVERIFY(!box(0)->isChecked());

  Click(box(0));
  Click(all);  // cleared: every box may change while the all-prefecture box is checked
  Click(all);  // checked again: the disabled boxes too
  for (int code = 1; code <= 47; ++code) QVERIFY2(box(code)->isChecked(), qPrintable(QString::number(code)));
  QVERIFY(!box(15)->isEnabled());

  // Only enabled boxes count: with 13 and 14 cleared the run is refused.
  Click(box(13));
  Click(box(14));
  Click(Child<QPushButton>(w, QStringLiteral("Btn_作成開始")));
  QCOMPARE(program.dialogs.messages(), std::vector<std::string>{"作成地域指定を選択してください。"});
  QCOMPARE(program.dialogs.run_looks, std::vector<bool>{false});  // no wait window: nothing ran
}

void MainWindowTest::startButtonRefusals_data() {
  QTest::addColumn<int>("purpose");
  QTest::addColumn<QString>("answers");  // Y and N in the order asked
  QTest::addColumn<bool>("old_output");  // an old ZIP.TXT / ZIPDATA.CSV in CSV_OUT
  QTest::addColumn<bool>("clear_prefectures");
  QTest::addColumn<int>("questions");
  QTest::addColumn<QString>("message");
  QTest::addColumn<bool>("old_output_kept");
  QTest::newRow("No to the confirmation") << 2 << "N" << true << false << 1 << "" << true;
  QTest::newRow("No to deleting the old file") << 0 << "YN" << true << false << 2 << "" << true;
  // The old file the user let go stays: no new one took its place.
  QTest::newRow("no prefecture, after Yes to deleting the old file")
      << 0 << "YY" << true << true << 2 << "作成地域指定を選択してください。" << true;
  QTest::newRow("no prefecture, no old file")
      << 2 << "Y" << false << true << 1 << "作成地域指定を選択してください。" << false;
}

void MainWindowTest::startButtonRefusals() {
  QFETCH(int, purpose);
  QFETCH(QString, answers);
  QFETCH(bool, old_output);
  QFETCH(bool, clear_prefectures);
  QFETCH(int, questions);
  QFETCH(QString, message);
  QFETCH(bool, old_output_kept);
  TestProgram program({"KEN_ALL.CSV"});
  std::deque<bool> yes_no;
  for (QChar answer : answers) yes_no.push_back(answer == QLatin1Char('Y'));
  QVERIFY(program.Start(yes_no));
  QWidget* w = program.window.get();
  const std::string output = purpose == 0 ? "CSV_OUT/ZIP.TXT" : "CSV_OUT/ZIPDATA.CSV";
  if (old_output) program.WriteFile(output, "old");
  Click(Child<QRadioButton>(w, QStringLiteral("Opt_用途_%1").arg(purpose)));
  if (clear_prefectures) Click(Child<QCheckBox>(w, QStringLiteral("Chk_県指定一括")));

  Click(Child<QPushButton>(w, QStringLiteral("Btn_作成開始")));
  QCOMPARE(static_cast<int>(program.dialogs.questions().size()), questions);
  if (questions == 2 && purpose == 0) {
    QCOMPARE(QString::fromStdString(program.dialogs.questions()[1]).section(QLatin1Char('\r'), 0, 0),
             QStringLiteral("CSV_OUT に ZIP.TXT ファイルが存在します。削除しますか？"));
  }
  const std::vector<std::string> expected_messages =
      message.isEmpty() ? std::vector<std::string>{} : std::vector<std::string>{message.toStdString()};
  QCOMPARE(program.dialogs.messages(), expected_messages);
  QCOMPARE(program.ReadFile(output) == "old", old_output_kept);
  if (!old_output_kept) QCOMPARE(program.ReadFile(output), std::string());  // nothing written
  const auto& looks = program.dialogs.run_looks;
  QVERIFY(std::none_of(looks.begin(), looks.end(), [](bool up) { return up; }));  // nothing ran
  QVERIFY(Child<QPushButton>(w, QStringLiteral("Btn_作成開始"))->isEnabled());
}

void MainWindowTest::waitWindowStaysUpForTheWholeRun_data() {
  QTest::addColumn<int>("purpose");
  QTest::addColumn<QString>("result");
  QTest::newRow("word list") << 0 << "郵便番号データを 1 件 作成しました。";
  QTest::newRow("database, until the builder's verdict") << 1 << "郵便番号MDB を 1 件 作成しました。";
}

void MainWindowTest::waitWindowStaysUpForTheWholeRun() {
  QFETCH(int, purpose);
  QFETCH(QString, result);
  TestProgram program({"KEN_ALL.CSV"});
  // A stand-in builder that takes a moment, then reports success.
  program.WriteFile("Morvane/Morvane",
                    "#!/bin/sh\nsleep 0.3\nprintf 'STS=0\\r\\n' > \"$(dirname \"$0\")/Morvane結果.TXT\"\n");
  std::filesystem::permissions(program.home() / "Morvane" / "Morvane", std::filesystem::perms::owner_all);
  for (const char* file : {"torvaskmdb.sql", "県tbl.sql", "県tbl.csv"})
    program.WriteFile(std::string("Morvane/MDB定義/") + file, "");
  QVERIFY(program.Start({true}));
  program.app->builder_poll_ms = 50;
  QWidget* w = program.window.get();
  Click(Child<QRadioButton>(w, QStringLiteral("Opt_用途_%1").arg(purpose)));

  Click(Child<QPushButton>(w, QStringLiteral("Btn_作成開始")));
  QVERIFY(!program.dialogs.messages().empty());
  QCOMPARE(QString::fromStdString(program.dialogs.messages().back()).section(QLatin1Char('\r'), 0, 0),
           result);
  // Every look during the run, the result message included, found the wait
  // window up and the window's controls disabled; the builder's wait looked too.
  const auto& looks = program.dialogs.run_looks;
  QVERIFY(looks.size() >= (purpose == 1 ? 4u : 2u));
  QVERIFY(std::all_of(looks.begin(), looks.end(), [](bool up) { return up; }));
  QVERIFY(!VisibleWindow(QStringLiteral("F_WAIT")));
  QVERIFY(Child<QPushButton>(w, QStringLiteral("Btn_作成開始"))->isEnabled());
  QVERIFY(program.window->menuBar()->isEnabled());
}

void MainWindowTest::placementIsRestoredAtTheNextStart() {
  const QRect placed(60, 20, 960, 600);
  QSettings settings(QStringLiteral("Tessivar"), QStringLiteral("Tessivar"));
  settings.clear();
  settings.sync();
  {
    TestProgram program({"KEN_ALL.CSV"});
    QVERIFY(program.Start());
    program.window->resize(placed.size());
    program.window->move(placed.topLeft());
    Click(Child<QRadioButton>(program.window.get(), QStringLiteral("Opt_用途_2")));
    Child<QListWidget>(program.window.get(), QStringLiteral("List出力設定F"))->setCurrentRow(1);
    QVERIFY(program.window->close());
  }
  settings.sync();
  QCOMPARE(settings.value(QStringLiteral("Settings/MainLeft")).toString(), QStringLiteral("60"));
  QCOMPARE(settings.value(QStringLiteral("Settings/MainHeight")).toString(), QStringLiteral("600"));
  QCOMPARE(settings.value(QStringLiteral("Settings/FieldSet")).toString(), QStringLiteral("Quillmere用"));

  TestProgram program({"KEN_ALL.CSV"});
  QVERIFY(program.Start());
  program.window->hide();
  program.window->ShowRestored();
  QCOMPARE(QRect(program.window->pos(), program.window->size()), placed);
  // The set chosen last time is chosen again, and is the one a CSV run writes.
  QCOMPARE(Child<QListWidget>(program.window.get(), QStringLiteral("List出力設定F"))->currentRow(), 1);
  QCOMPARE(program.app->G_MainForm.List出力設定F.selected, 1);
  program.window->resize(950, 840);
  program.window->showMinimized();
  QVERIFY(program.window->close());  // a minimised window leaves the placement as it was
  settings.sync();
  QCOMPARE(settings.value(QStringLiteral("Settings/MainWidth")).toString(), QStringLiteral("960"));

  // A placement made on a taller screen shrinks to the laptop's, frame included.
  settings.setValue(QStringLiteral("Settings/MainHeight"), QStringLiteral("840"));
  settings.sync();
  program.window->showNormal();
  program.window->hide();
  program.window->ShowRestored();
  QVERIFY(program.window->y() + program.window->height() + 48 <= 720);
}

void MainWindowTest::startScreenShowsTheMainWindowOrEndsTheProgram_data() {
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<bool>("main_shown");
  QTest::addColumn<int>("ended_with");
  QTest::newRow("data found") << QStringList{QStringLiteral("KEN_ALL.CSV")} << "次 へ" << true << -1;
  QTest::newRow("empty input folder") << QStringList() << "エラーのため終了します" << false << 1;
  QTest::newRow("both kinds of address file")
      << QStringList{QStringLiteral("KEN_ALL.CSV"), QStringLiteral("13TOKYO.CSV")} << "エラーのため終了します"
      << false << 1;
}

void MainWindowTest::startScreenShowsTheMainWindowOrEndsTheProgram() {
  QFETCH(QStringList, inputs);
  QFETCH(QString, caption);
  QFETCH(bool, main_shown);
  QFETCH(int, ended_with);
  std::vector<std::string> files;
  for (const QString& name : inputs) files.push_back(name.toStdString());
  TestProgram program(files);
  program.Start();
  program.window->hide();
  SplashWindow splash([&program] { program.window->ShowRestored(); },
                      [&program](int status) { program.ended_with = status; });
  splash.show();
  splash.ShowModel(program.app->frmSplash);
  auto* next = Child<QPushButton>(&splash, QStringLiteral("Btn_NEXT"));
  QCOMPARE(next->text(), caption);
  QVERIFY(next->isDefault());
  if (!main_shown) QCOMPARE(next->font().pointSize(), 10);

  QTest::keyClick(&splash, Qt::Key_Return);
  QCOMPARE(program.window->isVisible(), main_shown);
  QCOMPARE(program.window->windowTitle(), QStringLiteral("Tessivar"));
  QCOMPARE(splash.isVisible(), !main_shown);
  QCOMPARE(program.ended_with, ended_with);
  if (!main_shown) {
    Click(Child<QPushButton>(&splash, QStringLiteral("Command1")));  // "終了します"
    QCOMPARE(program.ended_with, 0);
  }
}

void MainWindowTest::versionLabelsHelpAndAbout() {
  TestProgram program({"JIGYOSYO.CSV"});
  QVERIFY(program.Start());
  const QString version =
      QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
  QCOMPARE(Child<QLabel>(program.window.get(), QStringLiteral("lblVersion"))->text(), "ﾊﾞｰｼﾞｮﾝ " + version);
  SplashWindow splash([] {}, [](int) {});
  QCOMPARE(Child<QLabel>(&splash, QStringLiteral("lblVersion"))->text(), "Version " + version);
  QCOMPARE(Child<QLabel>(program.window.get(), QStringLiteral("Lbl_File"))->text(),
           QStringLiteral("事業所データ の処理を行います。以下にチェックのある県別データが抽出されます。"));

  Child<QAction>(program.window.get(), QStringLiteral("mnuHelpContents"))->trigger();
  QCOMPARE(program.dialogs.messages(),
           std::vector<std::string>{"ﾍﾙﾌﾟの目次を表示できません。 ﾍﾙﾌﾟが存在しません。"});

  // The About box is modal: it is read and closed from inside its own loop.
  QString about_title, about_version;
  QTimer closer;
  connect(&closer, &QTimer::timeout, [&] {
    QWidget* about = QApplication::activeModalWidget();
    if (!about) return;
    about_title = about->objectName() + QLatin1Char(' ') + about->windowTitle();
    about_version = Child<QLabel>(about, QStringLiteral("lblVersion"))->text();
    Click(Child<QPushButton>(about, QStringLiteral("cmdOK")));
  });
  closer.start(10);
  Child<QAction>(program.window.get(), QStringLiteral("mnuHelpAbout"))->trigger();
  QCOMPARE(about_title, QStringLiteral("frmAbout ﾊﾞｰｼﾞｮﾝ情報 Tessivar"));
  QCOMPARE(about_version, "ﾊﾞｰｼﾞｮﾝ " + version);
}

namespace {

// Room for the window manager's frame around a window: title bar and borders.
constexpr QSize kFrame(16, 48);
constexpr QSize kLaptopScreen(1280, 720);

// The window at its preferred size fits the screen with its frame, and each
// control in it lies whole inside, at no less than its own smallest size,
// overlapping none of its neighbours.
void CheckFits(QWidget& window) {
  window.show();
  const QSize size = window.sizeHint().expandedTo(window.minimumSizeHint());
  window.resize(size);
  QApplication::processEvents();
  const QString name = window.objectName();
  QVERIFY2(size.width() + kFrame.width() <= kLaptopScreen.width(), qPrintable(name));
  QVERIFY2(size.height() + kFrame.height() <= kLaptopScreen.height(), qPrintable(name));
  QList<QWidget*> controls;
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (child->isWindow() || !child->isVisibleTo(&window)) continue;
    if (!qobject_cast<QAbstractButton*>(child) && !qobject_cast<QListWidget*>(child) &&
        !qobject_cast<QLabel*>(child) && !qobject_cast<QGroupBox*>(child))
      continue;
    const QString what = name + QLatin1Char(' ') + child->objectName();
    const QRect placed(child->mapTo(&window, QPoint(0, 0)), child->size());
    QVERIFY2(window.rect().contains(placed), qPrintable(what));
    const QSize least = child->minimumSizeHint();
    QVERIFY2(child->width() >= least.width() && child->height() >= least.height(), qPrintable(what));
    for (QWidget* other : controls) {
      if (other->parentWidget() != child->parentWidget()) continue;
      QVERIFY2(!other->geometry().intersects(child->geometry()),
               qPrintable(what + QStringLiteral(" overlaps ") + other->objectName()));
    }
    controls << child;
  }
}

}  // namespace

void MainWindowTest::everyWindowFitsALaptopScreenWithEveryControlWhole() {
  // The larger of the sizes desktops use by default.
  const QFont before = QApplication::font();
  UseJapaneseFont(*qApp, 10);
  TestProgram program({"KEN_ALL.CSV"});
  QVERIFY(program.Start());
  for (int purpose = 0; purpose < 3; ++purpose) {
    Click(Child<QRadioButton>(program.window.get(), QStringLiteral("Opt_用途_%1").arg(purpose)));
    CheckFits(*program.window);
  }
  Click(Child<QPushButton>(program.window.get(), QStringLiteral("Btn列名選択")));
  CheckFits(*Child<QWidget>(program.window.get(), QStringLiteral("frm列名選択")));
  SplashWindow splash([] {}, [](int) {});
  CheckFits(splash);
  AboutBox about(program.window.get());
  CheckFits(about);
  WaitDialog wait(program.window.get());
  wait.setWindowModality(Qt::NonModal);
  CheckFits(wait);
  QApplication::setFont(before);
}

void MainWindowTest::keyboardReachesEveryControlAndComesBackAfterARun() {
  TestProgram program({"KEN_ALL.CSV"});
  QVERIFY(program.Start({false, false, true}));
  QWidget* w = program.window.get();
  Click(Child<QRadioButton>(w, QStringLiteral("Opt_用途_2")));
  Click(Child<QPushButton>(w, QStringLiteral("Btn列名選択")));
  QWidget* editor = Child<QWidget>(w, QStringLiteral("frm列名選択"));
  // Every control that takes the keyboard is named by its caption.
  for (QWidget* window : {w, editor}) {
    for (QWidget* child : window->findChildren<QWidget*>()) {
      if (!(child->focusPolicy() & Qt::TabFocus) || !child->isVisibleTo(window)) continue;
      const QString name = QAccessible::queryAccessibleInterface(child)->text(QAccessible::Name);
      QVERIFY2(!name.isEmpty(), qPrintable(child->objectName()));
      if (auto* button = qobject_cast<QAbstractButton*>(child))
        QCOMPARE(name, CaptionWithoutAccessKey(button->text()));
    }
  }
  QCOMPARE(QAccessible::queryAccessibleInterface(Child<QWidget>(w, QStringLiteral("Btn_作成開始")))
               ->text(QAccessible::Name),
           QStringLiteral("作成開始"));
  editor->close();

  // Tab goes through the options, the sets, the prefectures, then the buttons.
  const QStringList stops =
      Names({"Opt_用途_0", "Opt_形式_0", "Opt_県名_1", "Opt_取込先_1", "Opt_列名", "List出力設定F",
             "Btn列名選択", "Chk_県指定一括", "Chk_県名_0", "Chk_県名_47", "Btn_作成開始", "Btn_END"});
  QStringList reached;
  QWidget* at = Child<QWidget>(w, stops.first());
  for (int step = 0; step < 200 && reached.size() < stops.size(); ++step, at = at->nextInFocusChain()) {
    if (stops.contains(at->objectName()) && !reached.contains(at->objectName())) reached << at->objectName();
  }
  QCOMPARE(reached, stops);

  // Alt+S presses 作成開始, and so does Return on it; the question names the
  // input method chosen for the word list.
  Click(Child<QRadioButton>(w, QStringLiteral("Opt_用途_0")));
  Click(Child<QRadioButton>(w, QStringLiteral("Opt_取込先_1")));
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w));
  QTest::keyClick(w, Qt::Key_S, Qt::AltModifier);
  QTRY_COMPARE(program.dialogs.questions().size(), 1u);  // the button shows itself pressed for a moment
  auto* start = Child<QPushButton>(w, QStringLiteral("Btn_作成開始"));
  start->setFocus();
  QTest::keyClick(start, Qt::Key_Return);
  QCOMPARE(program.dialogs.questions(),
           std::vector<std::string>(
               2, "Mozc ユーザー辞書用 郵便番号テキスト作成を\r作成します。よろしいですか？"));
  // After a run the main window has the keyboard again, on the same button.
  QTest::keyClick(start, Qt::Key_Return);
  QCOMPARE(program.dialogs.messages().back(),
           std::string("郵便番号データを 1 件 作成しました。\r前回の出力がないため、比較しませんでした。"));
  QTRY_COMPARE(QApplication::activeWindow(), w);
  QCOMPARE(QApplication::focusWidget(), start);
}

// However many notices a run has, the windows open one box for them, with
// the first few in its text and all of them in its details.
void MainWindowTest::noticesOfARunAreOneBox() {
  QtDialogs dialogs;
  for (int i = 1; i <= 500; ++i) dialogs.Notice("notice " + std::to_string(i));
  int boxes = 0;
  QString text, details;
  QTimer closer;
  connect(&closer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    ++boxes;
    text = box->text();
    details = box->detailedText();
    box->accept();
  });
  closer.start(10);
  dialogs.EndNotices();
  dialogs.EndNotices();  // nothing left to show
  QCOMPARE(boxes, 1);
  QVERIFY(text.startsWith(QStringLiteral("notice 1\nnotice 2\n")));
  QVERIFY(text.endsWith(QStringLiteral("notice 20\n（ほかに 480 件。すべては詳細に）")));
  QCOMPARE(details.count(QLatin1Char('\n')), 499);
}

}  // namespace tessivar

QTEST_MAIN(tessivar::MainWindowTest)
#include "main_window_test.moc"
