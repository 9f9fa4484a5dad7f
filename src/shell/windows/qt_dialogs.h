#pragma once
// The dialogs of the windows: message boxes under the program's title with
// the buttons of a Japanese system ("はい", "いいえ", "OK"), Yes/No with No as
// the default, an input box, and repainting during long work.
#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <memory>

#include "dialogs/dialogs.h"

class QMessageBox;

namespace tessivar {

// The Yes/No box of a question, as Ask shows it (the pictures of the
// windows show it too).
std::unique_ptr<QMessageBox> QuestionBox(std::string_view text, DialogIcon icon, QWidget* parent);

class QtDialogs : public Dialogs {
 public:
  QtDialogs();
  // The window a box belongs to when no window of the program is active. A
  // box's window gets the keyboard back after it, when no window has it.
  void SetOwner(QWidget* owner) { owner_ = owner; }
  void Message(std::string_view text) override { MessageWithIcon(text, DialogIcon::kNone); }
  bool Ask(std::string_view text) override { return AskWithIcon(text, DialogIcon::kNone); }
  void MessageWithIcon(std::string_view text, DialogIcon icon) override;
  bool AskWithIcon(std::string_view text, DialogIcon icon) override;
  std::string Input(std::string_view prompt) override;
  // The conversion calls this for every line it writes; the window's events
  // are processed at most every few hundredths of a second, which keeps the
  // windows live without slowing the run.
  void ProcessEvents() override;
  // A run's notices are gathered and shown together in one box when it is
  // over, not in a box each.
  void Notice(std::string_view text) override;
  void EndNotices() override;
  bool OpensFolders() const override { return true; }
  bool OpenFolder(const std::filesystem::path& folder) override;

 private:
  QWidget* Parent() const;
  static void GiveBackKeyboard(QWidget* parent);

  QElapsedTimer since_events_;
  QPointer<QWidget> owner_;
  QStringList notices_;
};

}  // namespace tessivar
