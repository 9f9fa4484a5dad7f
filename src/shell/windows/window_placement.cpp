#include "shell/windows/window_placement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <optional>

#include "shell/windows/program_identity.h"

namespace tessivar {

namespace {

const char* const kKeys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
const QString kFieldSetKey = QStringLiteral("FieldSet");

// The window manager's frame is known only once the window is shown: room
// for a title bar and borders of the usual size is kept free.
const QMargins kFrameAllowance(8, 40, 8, 8);

std::unique_ptr<QSettings> OpenSettings() {
  auto settings = std::make_unique<QSettings>(kProgramTitle, kProgramTitle);
  settings->beginGroup(QStringLiteral("Settings"));
  return settings;
}

std::optional<QRect> SavedPlacement() {
  const auto settings = OpenSettings();
  int values[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    values[i] = settings->value(QString::fromLatin1(kKeys[i])).toString().toInt(&ok);
    if (!ok) return std::nullopt;
  }
  const QRect saved(values[0], values[1], values[2], values[3]);
  if (saved.width() <= 0 || saved.height() <= 0 || !QGuiApplication::screenAt(saved.center()))
    return std::nullopt;
  return saved;
}

}  // namespace

void SavePlacement(const QWidget& window) {
  if (window.isMinimized()) return;
  const auto settings = OpenSettings();
  const int values[] = {window.x(), window.y(), window.width(), window.height()};
  for (int i = 0; i < 4; ++i) settings->setValue(QString::fromLatin1(kKeys[i]), QString::number(values[i]));
}

void RestorePlacement(QWidget& window) {
  const std::optional<QRect> saved = SavedPlacement();
  QScreen* screen = saved ? QGuiApplication::screenAt(saved->center()) : window.screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  // The room for the window's inside, and its size within that room.
  const QRect room = screen->availableGeometry().marginsRemoved(kFrameAllowance);
  const QSize size =
      (saved ? saved->size() : window.sizeHint()).boundedTo(room.size()).expandedTo(window.minimumSizeHint());
  // The position is the frame's top left corner.
  const QRect frame_room = room.marginsAdded(kFrameAllowance);
  const QSize frame_size = size.grownBy(kFrameAllowance);
  QPoint at =
      saved ? saved->topLeft() : frame_room.center() - QPoint(frame_size.width(), frame_size.height()) / 2;
  at.setX(std::clamp(at.x(), frame_room.left(),
                     std::max(frame_room.left(), frame_room.right() + 1 - frame_size.width())));
  at.setY(std::clamp(at.y(), frame_room.top(),
                     std::max(frame_room.top(), frame_room.bottom() + 1 - frame_size.height())));
  window.resize(size);
  window.move(at);
}

void SaveFieldSetChoice(const QString& name) { OpenSettings()->setValue(kFieldSetKey, name); }

QString SavedFieldSetChoice() { return OpenSettings()->value(kFieldSetKey).toString(); }

}  // namespace tessivar
