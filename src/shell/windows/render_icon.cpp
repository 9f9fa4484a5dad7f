// Writes the program icon into a hicolor icon theme folder for the package,
// drawn as the windows draw it, in the font they use:
//
//   render_icon ICON_NAME OUTPUT_FOLDER
//
// gives OUTPUT_FOLDER/hicolor/scalable/apps/ICON_NAME.svg and
// OUTPUT_FOLDER/hicolor/NxN/apps/ICON_NAME.png for the usual sizes.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <iostream>

#include "shell/windows/japanese_font.h"
#include "shell/windows/program_icon.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: render_icon ICON_NAME OUTPUT_FOLDER\n";
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  tessivar::UseJapaneseFont(qt);
  const QString name = QString::fromLocal8Bit(argv[1]);
  const QDir hicolor(QString::fromLocal8Bit(argv[2]) + QStringLiteral("/hicolor"));

  const QString scalable = QStringLiteral("scalable/apps");
  QFile svg(hicolor.filePath(scalable + QLatin1Char('/') + name + QStringLiteral(".svg")));
  bool ok =
      hicolor.mkpath(scalable) && svg.open(QIODevice::WriteOnly) && svg.write(tessivar::ProgramIconSvg()) > 0;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    ok = ok && hicolor.mkpath(folder) &&
         tessivar::ProgramIconPixmap(size).save(hicolor.filePath(folder + QLatin1Char('/') + name + ".png"));
  }
  if (!ok) std::cerr << "render_icon: cannot write the icons into " << hicolor.path().toStdString() << "\n";
  return ok ? 0 : 1;
}
