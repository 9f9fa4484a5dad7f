#pragma once
// The pictures of the ways to the folders: the first start's message about an
// empty CSV_IN, and the main window after files were dropped onto it.
#include <QDir>
#include <QString>

namespace tessivar {

// Writes first_start.png and main_window_dropped.png into out; false when
// one cannot be made.
bool RenderFolderPictures(const QDir& out, const QString& shipped_ini);

}  // namespace tessivar
