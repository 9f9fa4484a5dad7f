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
  return QuestionBox(text, icon, QApplication::activeWindow())->exec() == QMessageBox::Yes;
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

void QtDialogs::ProcessEvents() {
  if (since_events_.elapsed() < kEventIntervalMs) return;
  QApplication::processEvents();
  since_events_.restart();
}

bool QtDialogs::OpenFolder(const std::filesystem::path& folder) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder.string())));
}

}  // namespace tessivar
