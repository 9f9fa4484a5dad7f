#pragma once
// The main window's placement in the per-user settings store: under the
// program's title, group "Settings", keys "MainLeft", "MainTop",
// "MainWidth" and "MainHeight" (pixels, as text); beside it, the field set
// last chosen, key "FieldSet".
#include <QString>

class QWidget;

namespace tessivar {

// Saves the placement unless the window is minimised.
void SavePlacement(const QWidget& window);
// Moves and sizes the window as saved, when a placement was saved and its
// middle lies on one of the screens now attached; otherwise in the middle of
// the screen at its preferred size. Either way the window, frame included,
// is kept on that screen: a placement saved on a larger screen shrinks.
void RestorePlacement(QWidget& window);

void SaveFieldSetChoice(const QString& name);
// The name saved, or empty.
QString SavedFieldSetChoice();

}  // namespace tessivar
