#include "shell/windows/japanese_font.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace tessivar {

void UseJapaneseFont(QApplication& app, int point_size) {
  QFont font = app.font();
  for (const char* family : {"Noto Sans CJK JP", "Noto Sans JP"}) {
    if (QFontDatabase::families().contains(QString::fromLatin1(family))) {
      font.setFamily(QString::fromLatin1(family));
      break;
    }
  }
  if (point_size > 0) font.setPointSize(point_size);
  app.setFont(font);
}

}  // namespace tessivar
