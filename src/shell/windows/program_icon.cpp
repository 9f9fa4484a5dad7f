#include "shell/windows/program_icon.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace tessivar {

namespace {

const QColor kDiscColour(0xd7, 0x1f, 0x26);  // post-box red
const QString kMark = QStringLiteral("〒");

QRectF Disc(int size) { return QRectF(0, 0, size, size).adjusted(1, 1, -1, -1); }

QFont MarkFont(QFont font, int size) {
  font.setPixelSize(size * 2 / 3);
  font.setBold(true);
  return font;
}

// "M x y L x y C x y x y x y Z" for path.
QByteArray SvgPathData(const QPainterPath& path) {
  QByteArray data;
  auto point = [&data](qreal x, qreal y) {
    data += QByteArray::number(x, 'f', 2) + ' ' + QByteArray::number(y, 'f', 2);
  };
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    switch (e.type) {
      case QPainterPath::MoveToElement:
        data += i == 0 ? "M" : "ZM";
        point(e.x, e.y);
        break;
      case QPainterPath::LineToElement:
        data += 'L';
        point(e.x, e.y);
        break;
      case QPainterPath::CurveToElement:
        data += 'C';
        point(e.x, e.y);
        break;
      case QPainterPath::CurveToDataElement:
        data += ' ';
        point(e.x, e.y);
        break;
    }
  }
  return data + 'Z';
}

}  // namespace

QPixmap ProgramIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kDiscColour);
  painter.drawEllipse(Disc(size));
  painter.setFont(MarkFont(painter.font(), size));
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, kMark);
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) icon.addPixmap(ProgramIconPixmap(size));
  return icon;
}

QByteArray ProgramIconSvg() {
  constexpr int kSize = 64;
  // Where drawText puts the mark: its line centred in the square.
  const QFont font = MarkFont(QFont(), kSize);
  const QFontMetricsF metrics(font);
  const QRectF line = metrics.boundingRect(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, kMark);
  QPainterPath mark;
  mark.addText(QPointF(line.left(), line.top() + metrics.ascent()), font, kMark);
  const QRectF disc = Disc(kSize);
  const QByteArray size = QByteArray::number(kSize);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
         size + "\" height=\"" + size + "\" viewBox=\"0 0 " + size + ' ' + size +
         "\">\n"
         "  <ellipse cx=\"" +
         QByteArray::number(disc.center().x()) + "\" cy=\"" + QByteArray::number(disc.center().y()) +
         "\" rx=\"" + QByteArray::number(disc.width() / 2) + "\" ry=\"" +
         QByteArray::number(disc.height() / 2) + "\" fill=\"" + kDiscColour.name().toLatin1() + "\"/>\n" +
         "  <path fill=\"#ffffff\" fill-rule=\"" +
         (mark.fillRule() == Qt::WindingFill ? "nonzero" : "evenodd") + "\" d=\"" + SvgPathData(mark) +
         "\"/>\n</svg>\n";
}

}  // namespace tessivar
