#pragma once
// A program folder in a temporary directory and Tessivar's main window on it,
// driven with Qt Test on the offscreen platform. Messages and questions go to
// a scripted double that also notes, whenever the run lets the windows
// repaint or shows a message, whether the wait window is up and the main
// window's controls are disabled.
#include <QAbstractButton>
#include <QTemporaryDir>
#include <QWidget>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/scripted_dialogs.h"
#include "shell/application.h"
#include "shell/windows/main_window.h"

namespace tessivar {

class WatchingDialogs : public ScriptedDialogs {
 public:
  using ScriptedDialogs::ScriptedDialogs;
  void ProcessEvents() override { Note(); }
  void Message(std::string_view text) override {
    Note();
    ScriptedDialogs::Message(text);
  }
  // One entry per look: true when the wait window was up over a disabled window.
  std::vector<bool> run_looks;
  QWidget* main_window = nullptr;

 private:
  void Note();
};

// One line of the all-prefecture file (千代田区飯田橋, code 13101), UTF-8.
extern const char kTokyoLine[];

class TestProgram {
 public:
  // inputs: file names in CSV_IN, each holding kTokyoLine; ini_lines: the
  // field-set file (the shipped one's two sets when empty).
  explicit TestProgram(const std::vector<std::string>& inputs,
                       const std::vector<std::string>& ini_lines = {});
  ~TestProgram();

  // Start-up as the program does it; the main window is then shown.
  bool Start(std::deque<bool> answers = {});
  std::filesystem::path home() const { return home_; }
  std::string ReadFile(const std::string& relative) const;
  void WriteFile(const std::string& relative, const std::string& bytes) const;

  WatchingDialogs dialogs;
  std::unique_ptr<Application> app;
  std::unique_ptr<MainWindow> window;
  int ended_with = -1;  // the status the program was ended with, -1 while running

 private:
  QTemporaryDir dir_;
  std::filesystem::path home_;
};

// The child of parent with that object name, or null.
template <typename Widget>
Widget* Child(QObject* parent, const QString& name) {
  return parent->findChild<Widget*>(name);
}

// A user's click on a button, on its indicator or left edge (an option
// button takes clicks only on its mark and caption).
void Click(QAbstractButton* button);

// The first visible top-level window with that object name, or null.
QWidget* VisibleWindow(const QString& name);

}  // namespace tessivar
