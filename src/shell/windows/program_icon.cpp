#include "shell/windows/program_icon.h"

#include <QFont>
#include <QPainter>

namespace tessivar {

QPixmap ProgramIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xd7, 0x1f, 0x26));  // post-box red
  painter.drawEllipse(QRectF(0, 0, size, size).adjusted(1, 1, -1, -1));
  QFont font = painter.font();
  font.setPixelSize(size * 2 / 3);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("〒"));
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) icon.addPixmap(ProgramIconPixmap(size));
  return icon;
}

}  // namespace tessivar
