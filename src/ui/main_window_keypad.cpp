// Keypad entries: a click into the dot-size, width, height or burn-time field asks the keypad
// for a value, stores it in the field and runs the field's follow-up.
#include <QEvent>
#include <QLineEdit>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPointer>

#include "ui/keypad_entry.h"
#include "ui/keypad_window.h"
#include "ui/main_window.h"

namespace skelda {

namespace {

// The fields a click into which asks the keypad, and the command each runs with the value.
struct KeypadField {
  QLineEdit* TForm1::*field;
  void (TForm1::*followUp)();
};

const KeypadField kKeypadFields[] = {
    {&TForm1::edt1, &TForm1::btn5Click},
    {&TForm1::edt2, &TForm1::btn5Click},
    {&TForm1::edt3, &TForm1::btn6Click},
    {&TForm1::edt7, nullptr},
};

}  // namespace

void TForm1::WatchKeypadFields() {
  for (const KeypadField& entry : kKeypadFields) (this->*entry.field)->installEventFilter(this);
}

void TForm1::KeypadEntry(QLineEdit* field, void (TForm1::*followUp)()) {
  if (Form2 == nullptr) return;
  std::optional<QString> value;
  RunCommand([&] { value = RunKeypadEntry(*Form2, *edt9, *this, ws_.ConfirmClicked); });
  if (!value) return;
  field->setText(*value);
  if (followUp != nullptr) (this->*followUp)();
}

// A click is a left-button release over the field. The entry runs from the event queue, not
// inside the field's own mouse handling, since it waits for the keypad.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field != nullptr && mouse->button() == Qt::LeftButton &&
        field->rect().contains(mouse->position().toPoint())) {
      for (const KeypadField& entry : kKeypadFields) {
        if (this->*entry.field != field) continue;
        QMetaObject::invokeMethod(
            this, [this, field, followUp = entry.followUp] { KeypadEntry(field, followUp); },
            Qt::QueuedConnection);
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace skelda
