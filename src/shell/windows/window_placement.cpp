#include "shell/windows/window_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include "shell/windows/program_identity.h"

namespace tessivar {

namespace {

const char* const kKeys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

}  // namespace

void SavePlacement(const QWidget& window) {
  if (window.isMinimized()) return;
  QSettings settings(kProgramTitle, kProgramTitle);
  settings.beginGroup(QStringLiteral("Settings"));
  const int values[] = {window.x(), window.y(), window.width(), window.height()};
  for (int i = 0; i < 4; ++i) settings.setValue(QString::fromLatin1(kKeys[i]), QString::number(values[i]));
}

void RestorePlacement(QWidget& window) {
  QSettings settings(kProgramTitle, kProgramTitle);
  settings.beginGroup(QStringLiteral("Settings"));
  int values[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    values[i] = settings.value(QString::fromLatin1(kKeys[i])).toString().toInt(&ok);
    if (!ok) return;
  }
  const QRect saved(values[0], values[1], values[2], values[3]);
  if (saved.width() <= 0 || saved.height() <= 0 || !QGuiApplication::screenAt(saved.center())) return;
  window.resize(saved.size());
  window.move(saved.topLeft());
}

}  // namespace tessivar
