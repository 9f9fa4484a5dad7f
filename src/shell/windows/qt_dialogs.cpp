#include "shell/windows/qt_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

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

QWidget* QtDialogs::Parent() const {
  QWidget* active = QApplication::activeWindow();
  return active ? active : owner_.data();
}

void QtDialogs::GiveBackKeyboard(QWidget* parent) {
  if (QApplication::activeWindow() || !parent || !parent->isVisible()) return;
  parent->activateWindow();
}

void QtDialogs::MessageWithIcon(std::string_view text, DialogIcon icon) {
  QMessageBox box(BoxIcon(icon), kProgramTitle, BoxText(text), QMessageBox::Ok, Parent());
  box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
  box.exec();
  GiveBackKeyboard(box.parentWidget());
}

std::unique_ptr<QMessageBox> QuestionBox(std::string_view text, DialogIcon icon, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(BoxIcon(icon), kProgramTitle, BoxText(text),
                                           QMessageBox::Yes | QMessageBox::No, parent);
  box->button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
  box->button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
  box->setDefaultButton(QMessageBox::No);
  box->setEscapeButton(QMessageBox::No);
  return box;
}

bool QtDialogs::AskWithIcon(std::string_view text, DialogIcon icon) {
  const auto box = QuestionBox(text, icon, Parent());
  const bool yes = box->exec() == QMessageBox::Yes;
  GiveBackKeyboard(box->parentWidget());
  return yes;
}

std::string QtDialogs::Input(std::string_view prompt) {
  QInputDialog dialog(Parent());
  dialog.setWindowTitle(kProgramTitle);
  dialog.setLabelText(BoxText(prompt));
  dialog.setOkButtonText(QStringLiteral("OK"));
  dialog.setCancelButtonText(QStringLiteral("キャンセル"));
  const bool accepted = dialog.exec() == QDialog::Accepted;
  GiveBackKeyboard(dialog.parentWidget());
  return accepted ? dialog.textValue().toStdString() : std::string();
}

void QtDialogs::Notice(std::string_view text) { notices_.append(BoxText(text)); }

void QtDialogs::EndNotices() {
  if (notices_.isEmpty()) return;
  QString shown = notices_.mid(0, kNoticesInText).join(QLatin1Char('\n'));
  if (notices_.size() > kNoticesInText) {
    shown += QStringLiteral("\n（ほかに %1 件。すべては詳細に）").arg(notices_.size() - kNoticesInText);
  }
  QMessageBox box(QMessageBox::NoIcon, kProgramTitle, shown, QMessageBox::Ok, Parent());
  box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
  if (notices_.size() > kNoticesInText) box.setDetailedText(notices_.join(QLatin1Char('\n')));
  notices_.clear();
  box.exec();
  GiveBackKeyboard(box.parentWidget());
}

void QtDialogs::ProcessEvents() {
  if (since_events_.elapsed() < kEventIntervalMs) return;
  QApplication::processEvents();
  since_events_.restart();
}

bool QtDialogs::OpenFolder(const std::filesystem::path& folder) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder.string())));
}

}  // namespace tessivar
