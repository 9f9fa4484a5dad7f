#pragma once
// The program icon: the postal mark on a post-box red disc, drawn rather
// than shipped as a file. The package's icon files are made from the same
// drawing at build time (render_icon).
#include <QByteArray>
#include <QIcon>
#include <QPixmap>

namespace tessivar {

QPixmap ProgramIconPixmap(int size);
QIcon ProgramIcon();

// The same drawing as scalable vector graphics: the disc, and the mark as
// the outline of its glyph in the font the icon is drawn with.
QByteArray ProgramIconSvg();

}  // namespace tessivar
