#pragma once
// frmSplash, the start screen: the program's name and version, notes on
// usage, "次 へ" (its default button: Return presses it) and "終了します".
// After a start-up failure "次 へ" reads "エラーのため終了します" and ends the
// program instead of showing the main window.
#include <QDialog>
#include <functional>

#include "shell/application.h"

class QPushButton;

namespace tessivar {

class SplashWindow : public QDialog {
 public:
  // show_main shows the main window; end_program ends the program at once
  // with the given exit status, without saving any window's placement.
  SplashWindow(std::function<void()> show_main, std::function<void(int)> end_program);
  // Shows the button as start-up left it.
  void ShowModel(const SplashModel& model);

  void reject() override;  // Escape and the close box: as "終了します"

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Btn_NEXT_Click();

  std::function<void()> show_main_;
  std::function<void(int)> end_program_;
  QPushButton* next_ = nullptr;
  bool leaving_ = false;
};

// Exit status when the start screen ends the program after a start-up
// failure (the batch mode's "start-up stopped").
inline constexpr int kStartupStoppedStatus = 1;

}  // namespace tessivar
