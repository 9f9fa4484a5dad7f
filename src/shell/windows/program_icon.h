#pragma once
// The program icon: the postal mark, drawn rather than shipped as a file.
#include <QIcon>
#include <QPixmap>

namespace tessivar {

QPixmap ProgramIconPixmap(int size);
QIcon ProgramIcon();

}  // namespace tessivar
