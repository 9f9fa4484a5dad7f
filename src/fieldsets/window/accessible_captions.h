#pragma once
// Accessible names: every control of a window is named by its caption, so that
// a screen reader reads what the user sees. Qt names a button or frame by its
// caption as it reads at the moment; one with an access key is named here
// without it ("作成開始(&S)" is "作成開始", not "作成開始(S)"). A control
// without a caption of its own (a list box) gets the caption of the label or
// frame it stands in, set where it is made.
#include <QString>

class QWidget;

namespace tessivar {

// A caption without its access key: "作成開始(&S)" gives "作成開始", "&OK" "OK".
QString CaptionWithoutAccessKey(QString caption);

// Names every button and frame inside window whose caption has an access key
// by its caption without it.
void NameControlsByCaption(QWidget& window);

}  // namespace tessivar
