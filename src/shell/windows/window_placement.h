#pragma once
// The main window's placement in the per-user settings store: under the
// program's title, group "Settings", keys "MainLeft", "MainTop",
// "MainWidth" and "MainHeight" (pixels, as text).
class QWidget;

namespace tessivar {

// Saves the placement unless the window is minimised.
void SavePlacement(const QWidget& window);
// Moves and sizes the window as saved, when a placement was saved and its
// middle lies on one of the screens now attached.
void RestorePlacement(QWidget& window);

}  // namespace tessivar
