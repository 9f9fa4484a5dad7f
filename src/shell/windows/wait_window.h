#pragma once
// F_WAIT: "作成中です。しばらくお待ちください。" and a busy indicator while a
// run lasts. It blocks every other window of the program and cannot be
// closed by the user; the start button's run unloads it.
#include <QDialog>

namespace tessivar {

class WaitDialog : public QDialog {
 public:
  explicit WaitDialog(QWidget* owner);
  void reject() override {}  // Escape does not close it

 protected:
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace tessivar
