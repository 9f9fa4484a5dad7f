#pragma once
// frmMain, caption "Tessivar": shows and drives the main window's model. A
// click changes the model and the window shows the model again; the start
// button runs the start handler, with the wait window up and the window's
// controls disabled while the run lasts.
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

#include "shell/application.h"
#include "shell/windows/main_window_layout.h"

namespace tessivar {

class SetEditorWindow;

class MainWindow : public QMainWindow {
 public:
  // end_program ends the program at once with the given exit status.
  MainWindow(Application& app, std::function<void(int)> end_program);
  ~MainWindow() override;

  // Shows the controls as the model holds them.
  void ShowModel();
  // Shows the window where the user left it last time (on the screen it
  // fits), with the field set chosen then.
  void ShowRestored();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class RunWaitWindow;

  void ConnectOptions();
  void ConnectPrefectures();
  void ConnectButtonsAndMenus();
  void Btn列名選択_Click();
  // True when no field-set editor holds unsaved items, or the user lets them go.
  bool MayDropEditorWork();
  void Form_Unload();
  void SetRunning(bool running);

  Application& app_;
  std::function<void(int)> end_program_;
  MainWindowWidgets w_;
  std::unique_ptr<RunWaitWindow> wait_;
  QPointer<SetEditorWindow> editor_;
  QPointer<QWidget> focus_before_run_;
  bool running_ = false;
};

}  // namespace tessivar
