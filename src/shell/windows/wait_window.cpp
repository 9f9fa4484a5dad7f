#include "shell/windows/wait_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "shell/windows/program_identity.h"

namespace tessivar {

WaitDialog::WaitDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("F_WAIT"));
  setWindowTitle(kProgramTitle);
  setWindowModality(Qt::ApplicationModal);

  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::Box);
  frame->setFrameShadow(QFrame::Sunken);
  auto* label = new QLabel(QStringLiteral("作成中です。しばらくお待ちください。"), frame);
  label->setObjectName(QStringLiteral("Label1"));
  label->setAlignment(Qt::AlignCenter);
  auto* busy = new QProgressBar(frame);
  busy->setObjectName(QStringLiteral("busyIndicator"));
  busy->setRange(0, 0);  // no end known: the bar only shows that work goes on
  busy->setTextVisible(false);

  auto* inner = new QVBoxLayout(frame);
  inner->setContentsMargins(24, 18, 24, 18);
  inner->setSpacing(12);
  inner->addWidget(label);
  inner->addWidget(busy);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(10, 10, 10, 10);
  outer->addWidget(frame);
  setFixedSize(sizeHint().expandedTo(QSize(340, 0)));
}

void WaitDialog::closeEvent(QCloseEvent* event) { event->ignore(); }

}  // namespace tessivar
