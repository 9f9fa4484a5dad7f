#include "shell/windows/splash_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/windows/program_icon.h"
#include "shell/windows/program_identity.h"

namespace tessivar {

namespace {

QLabel* Label(const QString& text, QWidget* parent, const char* name = nullptr) {
  auto* label = new QLabel(text, parent);
  if (name) label->setObjectName(QString::fromUtf8(name));
  label->setWordWrap(true);
  return label;
}

}  // namespace

SplashWindow::SplashWindow(std::function<void()> show_main, std::function<void(int)> end_program)
    : QDialog(nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      show_main_(std::move(show_main)),
      end_program_(std::move(end_program)) {
  setObjectName(QStringLiteral("frmSplash"));
  setWindowTitle(kProgramTitle);
  setWindowIcon(ProgramIcon());

  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIconPixmap(64));
  auto* product = Label(QStringLiteral("郵便番号データ 作成 プログラム"), this, "lblCompanyProduct");
  QFont big = product->font();
  big.setPointSize(big.pointSize() + 8);
  big.setBold(true);
  product->setFont(big);
  auto* title = Label(kProgramTitle, this, "lblProductName");
  QFont title_font = title->font();
  title_font.setPointSize(title_font.pointSize() + 3);
  title->setFont(title_font);
  auto* version = Label(QStringLiteral("Version ") + VersionNumber(), this, "lblVersion");
  version->setAlignment(Qt::AlignRight);

  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  auto* notes = Label(
      QStringLiteral("・日本郵便の「住所の郵便番号ダウンロードサービス」のデータを zip のまま（解凍しても可）"
                     "このプログラムのフォルダーの CSV_IN にコピーしてください（複数可）。\n"
                     "・変換したデータは CSV_OUT に、検索用データベースは MDB_OUT に作成されます。\n"
                     "・作成先に同じ名前のファイルがあると自動で削除されます。"
                     "必要なファイルは、あらかじめ他の場所へコピーしてください。"),
      this, "lblNotes");
  auto* terms = Label(QStringLiteral("郵便番号データの利用にあたっては、日本郵便の利用条件に従ってください。"
                                     "このプログラムは無保証で提供されます。"),
                      this, "lblDisclaimer");

  next_ = new QPushButton(this);
  next_->setObjectName(QStringLiteral("Btn_NEXT"));
  next_->setDefault(true);
  next_->setAutoDefault(true);
  next_->setMinimumWidth(190);
  auto* quit = new QPushButton(QStringLiteral("終了します"), this);
  quit->setObjectName(QStringLiteral("Command1"));
  quit->setAutoDefault(false);
  quit->setMinimumWidth(120);
  connect(next_, &QPushButton::clicked, this, [this] { Btn_NEXT_Click(); });
  connect(quit, &QPushButton::clicked, this, [this] { reject(); });

  auto* heading = new QHBoxLayout;
  heading->addWidget(icon, 0, Qt::AlignTop);
  auto* names = new QVBoxLayout;
  names->addWidget(product);
  names->addWidget(title);
  names->addWidget(version);
  heading->addLayout(names, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(next_);
  buttons->addWidget(quit);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 16);
  layout->setSpacing(10);
  layout->addLayout(heading);
  layout->addWidget(line);
  layout->addWidget(notes);
  layout->addWidget(terms);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  setFixedWidth(560);
  ShowModel(SplashModel{});
}

void SplashWindow::ShowModel(const SplashModel& model) {
  next_->setText(QString::fromStdU16String(model.Btn_NEXT));
  if (model.font_size > 0) {
    QFont font = next_->font();
    font.setPointSize(model.font_size);
    next_->setFont(font);
  }
}

void SplashWindow::Btn_NEXT_Click() {
  if (next_->text().startsWith(QStringLiteral("次"))) {
    show_main_();
    leaving_ = true;
    close();
  } else {
    end_program_(kStartupStoppedStatus);
  }
}

void SplashWindow::reject() { end_program_(0); }

void SplashWindow::closeEvent(QCloseEvent* event) {
  if (leaving_) {
    event->accept();
    return;
  }
  event->ignore();
  reject();
}

}  // namespace tessivar
