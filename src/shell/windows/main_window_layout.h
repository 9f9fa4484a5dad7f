#pragma once
// The main window's controls, each with its documented name as object name
// (an element of a control array gets "_" and its index: "Opt_用途_0",
// "Chk_県名_13"), laid out in the window.
#include <array>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMainWindow;
class QMenu;
class QPushButton;
class QRadioButton;

namespace tessivar {

struct MainWindowWidgets {
  QGroupBox* 用途指定 = nullptr;
  std::array<QRadioButton*, 3> Opt_用途{};
  QGroupBox* 郵便番号形式指定 = nullptr;
  std::array<QRadioButton*, 2> Opt_形式{};
  QGroupBox* 県名指定 = nullptr;
  std::array<QRadioButton*, 2> Opt_県名{};
  QGroupBox* 空白指定 = nullptr;
  std::array<QRadioButton*, 2> Opt_空白{};
  QGroupBox* 取り込み先指定 = nullptr;
  std::array<QRadioButton*, 2> Opt_取込先{};
  QGroupBox* 列名出力 = nullptr;
  QRadioButton* Opt_列名 = nullptr;
  QGroupBox* 出力指定 = nullptr;
  QListWidget* List出力設定F = nullptr;
  QPushButton* Btn列名選択 = nullptr;
  QGroupBox* Frame_作成地域 = nullptr;
  QCheckBox* Chk_県指定一括 = nullptr;
  std::array<QCheckBox*, 48> Chk_県名{};
  QLabel* Lbl_File = nullptr;
  QPushButton* Btn_作成開始 = nullptr;
  QPushButton* Btn_END = nullptr;
  QLabel* lblVersion = nullptr;
  QMenu* mnuFile = nullptr;
  QAction* mnuFileExit = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuHelpContents = nullptr;
  QAction* mnuHelpAbout = nullptr;
};

// The start and end buttons sit at the window's bottom right corner: each
// kMainButtonWidth wide (at least), kMainButtonSpacing apart, kMainMargin
// from the window's edges.
inline constexpr int kMainButtonWidth = 120;
inline constexpr int kMainButtonSpacing = 8;
inline constexpr int kMainMargin = 12;

// Creates the controls in window (its central widget and menu bar).
MainWindowWidgets BuildMainWindow(QMainWindow& window);

}  // namespace tessivar
