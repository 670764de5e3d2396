#include "ui/window_texts.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QVariant>

namespace skelda {
namespace {

constexpr char kSourceProperty[] = "skeldaSourceText";

void Show(QObject& control, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(&control))
    label->setText(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(&control))
    button->setText(text);
  else if (auto* action = qobject_cast<QAction*>(&control))
    action->setText(text);
}

}  // namespace

QString WindowText(const char* source) {
  return QCoreApplication::translate(kWindowContext, source);
}

void SetWindowText(QObject& control, const char* source) {
  control.setProperty(kSourceProperty, QByteArray(source));
  Show(control, WindowText(source));
}

void ShowWindowTextsAgain(QObject& root) {
  QList<QObject*> objects = root.findChildren<QObject*>();
  objects.prepend(&root);
  for (QObject* object : objects) {
    const QVariant source = object->property(kSourceProperty);
    if (source.isValid()) Show(*object, WindowText(source.toByteArray().constData()));
  }
}

}  // namespace skelda
