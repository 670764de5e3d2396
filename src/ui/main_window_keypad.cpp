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

void TForm1::KeypadEntry(QLineEdit* field, void (TForm1::*followUp)()) {
  if (Form2 == nullptr) return;
  std::optional<QString> value;
  RunCommand([&] { value = RunKeypadEntry(*Form2, *edt9, *this, ws_.ConfirmClicked); });
  if (!value) return;
  field->setText(*value);
  if (followUp != nullptr) (this->*followUp)();
}

void TForm1::edt1Click() {
  KeypadEntry(edt1, &TForm1::btn5Click);
}
void TForm1::edt2Click() {
  KeypadEntry(edt2, &TForm1::btn5Click);
}
void TForm1::edt3Click() {
  KeypadEntry(edt3, &TForm1::btn6Click);
}
void TForm1::edt7Click() {
  KeypadEntry(edt7, nullptr);
}

// A click is a left-button release over the field. The entry runs from the event queue, not
// inside the field's own mouse handling, since it waits for the keypad.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field != nullptr && mouse->button() == Qt::LeftButton &&
        field->rect().contains(mouse->position().toPoint())) {
      void (TForm1::*entry)() = nullptr;
      if (field == edt1) entry = &TForm1::edt1Click;
      if (field == edt2) entry = &TForm1::edt2Click;
      if (field == edt3) entry = &TForm1::edt3Click;
      if (field == edt7) entry = &TForm1::edt7Click;
      if (entry != nullptr) QMetaObject::invokeMethod(this, entry, Qt::QueuedConnection);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace skelda
