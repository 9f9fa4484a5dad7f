#include "shell/windows/main_window_layout.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <vector>

#include "fieldsets/window/accessible_captions.h"
#include "shell/windows/program_identity.h"

namespace tessivar {

namespace {

// Chk_県名: 0 the all-prefecture file, 1..47 the prefectures in code order.
const char* const kPrefectureCaptions[48] = {
    "一括(KEN_ALL)", "北海道", "青森県", "岩手県", "宮城県", "秋田県", "山形県",   "福島県",
    "茨城県",        "栃木県", "群馬県", "埼玉県", "千葉県", "東京都", "神奈川県", "新潟県",
    "富山県",        "石川県", "福井県", "山梨県", "長野県", "岐阜県", "静岡県",   "愛知県",
    "三重県",        "滋賀県", "京都府", "大阪府", "兵庫県", "奈良県", "和歌山県", "鳥取県",
    "島根県",        "岡山県", "広島県", "山口県", "徳島県", "香川県", "愛媛県",   "高知県",
    "福岡県",        "佐賀県", "長崎県", "熊本県", "大分県", "宮崎県", "鹿児島県", "沖縄県　"};

constexpr int kPrefectureRows = 12;  // four columns, read downwards: regions stay together

QString Name(const char* name, int index = -1) {
  QString text = QString::fromUtf8(name);
  if (index >= 0) text += QLatin1Char('_') + QString::number(index);
  return text;
}

template <typename Widget>
Widget* Named(Widget* widget, const char* name, int index = -1) {
  widget->setObjectName(Name(name, index));
  return widget;
}

QGroupBox* Frame(const char* name, const char* caption, QWidget* parent) {
  return Named(new QGroupBox(QString::fromUtf8(caption), parent), name);
}

// Option buttons of one group, one under the other, or side by side where
// the captions are short enough (which keeps the window low).
enum class Arrange { kDown, kAcross };

template <size_t N>
void AddOptions(QGroupBox* frame, std::array<QRadioButton*, N>& options, const char* name,
                const char* const (&captions)[N], Arrange arrange = Arrange::kDown) {
  QBoxLayout* layout = arrange == Arrange::kDown ? static_cast<QBoxLayout*>(new QVBoxLayout(frame))
                                                 : static_cast<QBoxLayout*>(new QHBoxLayout(frame));
  for (size_t i = 0; i < N; ++i) {
    options[i] = Named(new QRadioButton(QString::fromUtf8(captions[i]), frame), name, static_cast<int>(i));
    layout->addWidget(options[i]);
  }
  if (arrange == Arrange::kAcross) {
    layout->setSpacing(32);
    layout->addStretch(1);
  }
}

// The options every purpose has and those of the word list, one frame under
// the other.
QWidget* WordListOptions(MainWindowWidgets& w, QWidget* parent) {
  auto* column = new QWidget(parent);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  w.用途指定 = Frame("用途指定", "用途を指定してください", column);
  AddOptions(
      w.用途指定, w.Opt_用途, "Opt_用途",
      {"MS-IME ユーザー辞書用 郵便番号テキスト", "Quillmere用　Morvane", "CSV作成 ziptext.csv （非辞書用）"});
  w.郵便番号形式指定 = Frame("郵便番号形式指定", "郵便番号の形式を指定してください", column);
  AddOptions(w.郵便番号形式指定, w.Opt_形式, "Opt_形式",
             {"1234567     ハイフンを含みません", "123-4567   ３桁 ハイフン ４桁の形式"});
  w.県名指定 = Frame("県名指定", "県名の扱いを指定してください", column);
  AddOptions(w.県名指定, w.Opt_県名, "Opt_県名", {"県名を含みません", "県名を含みます"}, Arrange::kAcross);
  w.空白指定 = Frame("空白指定", "空白指定をしてください", column);
  AddOptions(w.空白指定, w.Opt_空白, "Opt_空白",
             {"○市△△区    区切りスペースを含みません", "○市　△△区  区切りスペースを含みます"});
  w.取り込み先指定 = Frame("取り込み先指定", "取り込み先", column);
  AddOptions(w.取り込み先指定, w.Opt_取込先, "Opt_取込先", {"MS-IME", "Mozc"}, Arrange::kAcross);
  for (QGroupBox* frame : {w.用途指定, w.郵便番号形式指定, w.県名指定, w.空白指定, w.取り込み先指定})
    layout->addWidget(frame);
  layout->addStretch(1);
  return column;
}

// The CSV text's options; the list of sets takes the column's height.
QWidget* CsvOptions(MainWindowWidgets& w, QWidget* parent) {
  auto* column = new QWidget(parent);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  w.列名出力 = Frame("列名出力", "列名の出力要否を指定してください", column);
  w.Opt_列名 = Named(new QRadioButton(QStringLiteral("先頭行に　列名を出力します"), w.列名出力), "Opt_列名");
  (new QVBoxLayout(w.列名出力))->addWidget(w.Opt_列名);

  w.出力指定 = Frame("出力指定", "出力項目の指定を選択してください", column);
  w.List出力設定F = Named(new QListWidget(w.出力指定), "List出力設定F");
  w.List出力設定F->setAccessibleName(w.出力指定->title());
  w.List出力設定F->setMinimumHeight(w.List出力設定F->fontMetrics().lineSpacing() * 4);
  w.Btn列名選択 =
      Named(new QPushButton(QStringLiteral("出力項目設定ファイルの編集(&E)"), w.出力指定), "Btn列名選択");
  auto* sets = new QVBoxLayout(w.出力指定);
  sets->addWidget(w.List出力設定F, 1);
  sets->addWidget(w.Btn列名選択);
  layout->addWidget(w.列名出力);
  layout->addWidget(w.出力指定, 1);
  return column;
}

QWidget* Prefectures(MainWindowWidgets& w, QWidget* parent) {
  w.Frame_作成地域 = Frame("Frame_作成地域", "作成地域を指定してください", parent);
  QGroupBox* frame = w.Frame_作成地域;
  w.Lbl_File = Named(new QLabel(frame), "Lbl_File");
  w.Lbl_File->setWordWrap(true);
  w.Lbl_File->setMinimumHeight(w.Lbl_File->fontMetrics().lineSpacing() * 2);
  w.Chk_県指定一括 =
      Named(new QCheckBox(QStringLiteral("以下の県別指定を一括で ON、OFFします。"), frame), "Chk_県指定一括");
  for (int i = 0; i < 48; ++i) {
    w.Chk_県名[static_cast<size_t>(i)] =
        Named(new QCheckBox(QString::fromUtf8(kPrefectureCaptions[i]), frame), "Chk_県名", i);
  }
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(14);
  grid->setVerticalSpacing(2);
  for (int code = 1; code <= 47; ++code) {
    grid->addWidget(w.Chk_県名[static_cast<size_t>(code)], (code - 1) % kPrefectureRows,
                    (code - 1) / kPrefectureRows);
  }
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(w.Lbl_File);
  layout->addWidget(w.Chk_県指定一括);
  layout->addWidget(w.Chk_県名[0]);
  layout->addSpacing(4);
  layout->addLayout(grid);
  layout->addStretch(1);
  return frame;
}

void Menus(MainWindowWidgets& w, QMainWindow& window) {
  QMenuBar* bar = window.menuBar();
  w.mnuFile = Named(bar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)")), "mnuFile");
  w.mnuFileExit = Named(w.mnuFile->addAction(QStringLiteral("終了(&X)")), "mnuFileExit");
  w.mnuHelp = Named(bar->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)")), "mnuHelp");
  w.mnuHelpContents = Named(w.mnuHelp->addAction(QStringLiteral("目次(&C)")), "mnuHelpContents");
  w.mnuHelpAbout = Named(w.mnuHelp->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)")), "mnuHelpAbout");
}

// Tab order: the options top to bottom, column by column, then the
// prefectures, then the buttons; the access keys of the main buttons reach them from anywhere.
void SetTabOrder(const MainWindowWidgets& w) {
  std::vector<QWidget*> order;
  for (QRadioButton* option : w.Opt_用途) order.push_back(option);
  for (const auto* group : {&w.Opt_形式, &w.Opt_県名, &w.Opt_空白, &w.Opt_取込先}) {
    for (QRadioButton* option : *group) order.push_back(option);
  }
  order.insert(order.end(), {w.Opt_列名, w.List出力設定F, w.Btn列名選択, w.Chk_県指定一括});
  for (QCheckBox* box : w.Chk_県名) order.push_back(box);
  order.insert(order.end(), {w.Btn_作成開始, w.Btn_END});
  for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace

MainWindowWidgets BuildMainWindow(QMainWindow& window) {
  MainWindowWidgets w;
  window.setObjectName(QStringLiteral("frmMain"));
  window.setWindowTitle(kProgramTitle);
  Menus(w, window);

  // Three columns side by side keep the window low enough for a laptop
  // screen: the options of every purpose and of the word list, those of the
  // CSV text, and the prefectures. Extra room goes to the list of sets and to
  // the prefectures.
  auto* central = new QWidget(&window);
  auto* columns = new QHBoxLayout;
  columns->setSpacing(12);
  columns->addWidget(WordListOptions(w, central));
  columns->addWidget(CsvOptions(w, central), 1);
  columns->addWidget(Prefectures(w, central), 2);

  w.Btn_作成開始 = Named(new QPushButton(QStringLiteral("作成開始(&S)"), central), "Btn_作成開始");
  w.Btn_END = Named(new QPushButton(QStringLiteral("終 了(&X)"), central), "Btn_END");
  for (QPushButton* button : {w.Btn_作成開始, w.Btn_END}) {
    button->setMinimumSize(kMainButtonWidth, 34);
    button->setAutoDefault(true);  // Return presses the button that has the focus
  }
  w.lblVersion = Named(new QLabel(QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + VersionNumber(), central), "lblVersion");
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(kMainButtonSpacing);
  buttons->addWidget(w.lblVersion, 0, Qt::AlignBottom);
  buttons->addStretch(1);
  buttons->addWidget(w.Btn_作成開始);
  buttons->addWidget(w.Btn_END);

  auto* outer = new QVBoxLayout(central);
  outer->setContentsMargins(kMainMargin, 10, kMainMargin, kMainMargin);
  outer->addLayout(columns, 1);
  outer->addLayout(buttons);
  window.setCentralWidget(central);
  SetTabOrder(w);
  NameControlsByCaption(window);
  return w;
}

}  // namespace tessivar
