#include "window_test_support.h"

#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <sstream>

#include "shell/startup.h"
#include "text/cp932.h"
#include "text/text_file.h"

namespace tessivar {

using text::Cp932;
using text::FromUtf8;
using text::TextFileWriter;

namespace fs = std::filesystem;

const char kTokyoLine[] =
    "13101,\"102  "
    "\",\"1020072\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｲｲﾀﾞﾊﾞｼ\",\"東京都\",\"千代田区\",\"飯田橋\",0,0,1,0,0,0";

void WatchingDialogs::Note() {
  QWidget* wait = VisibleWindow(QStringLiteral("F_WAIT"));
  auto* start = main_window ? Child<QPushButton>(main_window, QStringLiteral("Btn_作成開始")) : nullptr;
  const bool menus_off = main_window && !static_cast<QMainWindow*>(main_window)->menuBar()->isEnabled();
  run_looks.push_back(wait && start && !start->isEnabled() && menus_off);
}

TestProgram::TestProgram(const std::vector<std::string>& inputs, const std::vector<std::string>& ini_lines)
    : home_(dir_.path().toStdString()) {
  fs::create_directories(home_ / "CSV_IN");
  std::string line;
  Cp932().Encode(FromUtf8(kTokyoLine), line);
  for (const auto& name : inputs) WriteFile("CSV_IN/" + name, line + "\r\n");
  const std::vector<std::string> sets =
      ini_lines.empty() ? std::vector<std::string>{"<全項目出力>", "0,1,26,2,26,3,-1", "<Quillmere用>",
                                                   "0,1,26,3,26,29,26,30,-1"}
                        : ini_lines;
  TextFileWriter ini;
  ini.Open(home_ / "Tessivar.ini");
  for (const auto& set_line : sets) ini.WriteLine(FromUtf8(set_line));
  ini.Close();
}

TestProgram::~TestProgram() {
  window.reset();
  app.reset();
}

bool TestProgram::Start(std::deque<bool> answers) {
  dialogs = WatchingDialogs(std::move(answers));
  app = std::make_unique<Application>(home_, dialogs);
  window = std::make_unique<MainWindow>(*app, [this](int status) { ended_with = status; });
  dialogs.main_window = window.get();
  const bool ready = RunStartup(*app);
  window->ShowModel();
  window->show();
  return ready;
}

std::string TestProgram::ReadFile(const std::string& relative) const {
  std::ifstream in(home_ / relative, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void TestProgram::WriteFile(const std::string& relative, const std::string& bytes) const {
  const fs::path path = home_ / relative;
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

void Click(QAbstractButton* button) {
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}

QWidget* VisibleWindow(const QString& name) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == name && window->isVisible()) return window;
  }
  return nullptr;
}

}  // namespace tessivar
