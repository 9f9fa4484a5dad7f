#pragma once
// frmAbout, "ﾊﾞｰｼﾞｮﾝ情報 Tessivar": icon, title, version and a sentence on
// what the program does; opened modally from the main window's help menu.
#include <QDialog>

namespace tessivar {

class AboutBox : public QDialog {
 public:
  explicit AboutBox(QWidget* owner);
};

}  // namespace tessivar
