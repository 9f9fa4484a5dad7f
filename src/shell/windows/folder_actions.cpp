#include "shell/windows/folder_actions.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "shell/folder_guide.h"
#include "shell/input_drop.h"

namespace tessivar {

namespace {

std::vector<std::filesystem::path> LocalFiles(const QMimeData* data) {
  std::vector<std::filesystem::path> files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) return {};  // a download still on the web cannot be copied
    files.emplace_back(url.toLocalFile().toStdString());
  }
  return files;
}

// Files are taken only while the window is there for the user: not behind
// the wait window of a run or a message box.
bool Accepting(const QWidget* window) { return window->isEnabled() && !QApplication::activeModalWidget(); }

}  // namespace

FileDropTarget::FileDropTarget(QWidget* window, Receiver receiver)
    : QObject(window), receiver_(std::move(receiver)) {
  window->setAcceptDrops(true);
  window->installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
  auto* window = static_cast<QWidget*>(parent());
  if (watched != window) return false;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (Accepting(window) && !LocalFiles(drag->mimeData()).empty()) {
        drag->acceptProposedAction();
      } else {
        drag->ignore();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const std::vector<std::filesystem::path> files = LocalFiles(drop->mimeData());
      if (!Accepting(window) || files.empty()) return true;
      drop->acceptProposedAction();
      receiver_(files);
      return true;
    }
    default: return false;
  }
}

void AddFolderActions(QWidget& window, QMenu* file_menu, QAction* before, Application& app,
                      std::function<void()> refresh) {
  auto* open_input = new QAction(QStringLiteral("CSV_IN フォルダーを開く"), file_menu);
  open_input->setObjectName(QStringLiteral("mnuFileOpenInput"));
  QObject::connect(open_input, &QAction::triggered, file_menu, [&app] { OpenInputFolder(app); });
  auto* open_output = new QAction(QStringLiteral("出力フォルダーを開く"), file_menu);
  open_output->setObjectName(QStringLiteral("mnuFileOpenOutput"));
  QObject::connect(open_output, &QAction::triggered, file_menu, [&app] { OpenOutputFolder(app); });
  file_menu->insertActions(before, {open_input, open_output});
  file_menu->insertSeparator(before);

  new FileDropTarget(&window, [&app, refresh = std::move(refresh)](const auto& files) {
    if (AddInputFiles(app, files)) refresh();
  });
}

}  // namespace tessivar
