#include "fieldsets/window/accessible_captions.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QRegularExpression>
#include <QWidget>

namespace tessivar {

QString CaptionWithoutAccessKey(QString caption) {
  static const QRegularExpression kAccessKeySuffix(QStringLiteral("\\(&\\w\\)$"));
  caption.remove(kAccessKeySuffix);
  caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  caption.remove(QLatin1Char('&'));
  caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  return caption;
}

void NameControlsByCaption(QWidget& window) {
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    QString caption;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) caption = button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) caption = frame->title();
    if (caption.contains(QLatin1Char('&'))) widget->setAccessibleName(CaptionWithoutAccessKey(caption));
  }
}

}  // namespace tessivar
