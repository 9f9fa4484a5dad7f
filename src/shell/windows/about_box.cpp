#include "shell/windows/about_box.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "shell/windows/program_icon.h"
#include "shell/windows/program_identity.h"

namespace tessivar {

AboutBox::AboutBox(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 ") + kProgramTitle);

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("picIcon"));
  icon->setPixmap(ProgramIconPixmap(48));
  auto* title = new QLabel(kProgramTitle, this);
  title->setObjectName(QStringLiteral("lblTitle"));
  QFont title_font = title->font();
  title_font.setPointSize(title_font.pointSize() + 5);
  title_font.setBold(true);
  title->setFont(title_font);
  auto* version = new QLabel(QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + VersionNumber(), this);
  version->setObjectName(QStringLiteral("lblVersion"));
  auto* description = new QLabel(QStringLiteral("CSV_IN にダウンロードした郵便番号データを、CSV データ、"
                                                "または検索用データベースに変換するプログラムです。"),
                                 this);
  description->setObjectName(QStringLiteral("lblDescription"));
  description->setWordWrap(true);
  description->setFixedWidth(300);  // a wrapped label takes its height from a known width
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  ok->setMinimumWidth(90);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(18, 18, 18, 14);
  layout->setHorizontalSpacing(16);
  layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
  layout->addWidget(title, 0, 1);
  layout->addWidget(version, 1, 1);
  layout->addWidget(description, 2, 1);
  layout->addWidget(line, 3, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  layout->addLayout(buttons, 4, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tessivar
