#include "shell/windows/qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "shell/windows/program_identity.h"

namespace tessivar {

namespace {

constexpr qint64 kEventIntervalMs = 30;
// The notices a box shows in its text; all of them are in its details.
constexpr qsizetype kNoticesInText = 20;

// The program's texts break lines with CR (or CR LF).
QString BoxText(std::string_view text) {
  QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

QMessageBox::Icon BoxIcon(DialogIcon icon) {
  switch (icon) {
    case DialogIcon::kInformation: return QMessageBox::Information;
    case DialogIcon::kQuestion: return QMessageBox::Question;
    case DialogIcon::kNone: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QtDialogs::QtDialogs() { since_events_.start(); }

void QtDialogs::MessageWithIcon(std::string_view text, DialogIcon icon) {
  QMessageBox box(BoxIcon(icon), kProgramTitle, BoxText(text), QMessageBox::Ok, QApplication::activeWindow());
  box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
  box.exec();
}

bool QtDialogs::AskWithIcon(std::string_view text, DialogIcon icon) {
  QMessageBox box(BoxIcon(icon), kProgramTitle, BoxText(text), QMessageBox::Yes | QMessageBox::No,
                  QApplication::activeWindow());
  box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
  box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

std::string QtDialogs::Input(std::string_view prompt) {
  QInputDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(kProgramTitle);
  dialog.setLabelText(BoxText(prompt));
  dialog.setOkButtonText(QStringLiteral("OK"));
  dialog.setCancelButtonText(QStringLiteral("キャンセル"));
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.textValue().toStdString();
}

void QtDialogs::Notice(std::string_view text) { notices_.append(BoxText(text)); }

void QtDialogs::EndNotices() {
  if (notices_.isEmpty()) return;
  QString shown = notices_.mid(0, kNoticesInText).join(QLatin1Char('\n'));
  if (notices_.size() > kNoticesInText) {
    shown += QStringLiteral("\n（ほかに %1 件。すべては詳細に）").arg(notices_.size() - kNoticesInText);
  }
  QMessageBox box(QMessageBox::NoIcon, kProgramTitle, shown, QMessageBox::Ok, QApplication::activeWindow());
  box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
  if (notices_.size() > kNoticesInText) box.setDetailedText(notices_.join(QLatin1Char('\n')));
  notices_.clear();
  box.exec();
}

void QtDialogs::ProcessEvents() {
  if (since_events_.elapsed() < kEventIntervalMs) return;
  QApplication::processEvents();
  since_events_.restart();
}

}  // namespace tessivar
