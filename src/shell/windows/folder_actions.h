#pragma once
// The main window's ways to the folders: the ﾌｧｲﾙ menu's items
// "CSV_IN フォルダーを開く" (mnuFileOpenInput) and "出力フォルダーを開く"
// (mnuFileOpenOutput), and files dropped onto the window, which go into
// CSV_IN.
#include <QObject>
#include <filesystem>
#include <functional>
#include <vector>

#include "shell/application.h"

class QAction;
class QMenu;
class QWidget;

namespace tessivar {

// Takes the local files dropped onto a window and hands them on.
class FileDropTarget : public QObject {
 public:
  using Receiver = std::function<void(const std::vector<std::filesystem::path>&)>;
  FileDropTarget(QWidget* window, Receiver receiver);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Receiver receiver_;
};

// Adds the two folder items to file_menu before the item before. Files
// dropped onto window go into CSV_IN (see AddInputFiles); refresh shows the
// prefectures offered afterwards. A drop is taken only while the window is
// there for the user: never during a run, whose wait window is modal.
void AddFolderActions(QWidget& window, QMenu* file_menu, QAction* before, Application& app,
                      std::function<void()> refresh);

}  // namespace tessivar
