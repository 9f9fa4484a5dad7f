#pragma once
// The program's title (the caption of the main and wait windows and of every
// message box, and the name its settings are kept under) and its version.
#include <QString>

#include "program_version.h"

namespace tessivar {

inline const QString kProgramTitle = QStringLiteral("Tessivar");
// The name of the desktop entry the package installs (without ".desktop").
inline const QString kDesktopFileName = QStringLiteral("org.tessivar.tessivar");

// "major.minor.revision", each in decimal.
inline QString VersionNumber() {
  return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

}  // namespace tessivar
