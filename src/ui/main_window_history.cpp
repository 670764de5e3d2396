// Undo and redo over the history of the states before the picture commands, and the about box.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <new>
#include <utility>

#include "ui/about_box.h"
#include "ui/busy_cursor.h"
#include "ui/main_window.h"

namespace skelda {
namespace {

// The controls a step takes back, in the order of PanelValues: the dot size and the size
// fields, the slider labels (a tone label keeps its text while the sliders are inert) and the
// sliders.
QLineEdit* TForm1::*const kFields[] = {&TForm1::edt1, &TForm1::edt4, &TForm1::edt2,
                                       &TForm1::edt5, &TForm1::edt3, &TForm1::edt6};
QLabel* TForm1::*const kLabels[] = {&TForm1::lbl10, &TForm1::lbl5, &TForm1::lbl11, &TForm1::lbl12};
QSlider* TForm1::*const kSliders[] = {&TForm1::trckbrTrackSeuil, &TForm1::trckbr1, &TForm1::trckbr2,
                                      &TForm1::trckbr3};

}  // namespace

PanelValues TForm1::Panel() const {
  PanelValues panel;
  for (QLineEdit* TForm1::*field : kFields)
    panel.texts.push_back((this->*field)->text().toStdString());
  for (QLabel* TForm1::*label : kLabels) panel.texts.push_back(LabelText(this->*label));
  for (QSlider* TForm1::*slider : kSliders) panel.positions.push_back((this->*slider)->value());
  panel.pictureCommands = loadAttempted_;
  return panel;
}

// The sliders are set without their change handling: the picture they would rebuild is
// already the one taken back.
void TForm1::ShowPanel(const PanelValues& panel) {
  std::size_t i = 0;
  for (QLineEdit* TForm1::*field : kFields) {
    (this->*field)->setText(QString::fromStdString(panel.texts[i++]));
    (this->*field)->setCursorPosition(0);
  }
  for (QLabel* TForm1::*label : kLabels) SetLabel(this->*label, panel.texts[i++]);
  i = 0;
  for (QSlider* TForm1::*slider : kSliders) {
    const QSignalBlocker quiet(this->*slider);
    (this->*slider)->setValue(panel.positions[i++]);
  }
  loadAttempted_ = panel.pictureCommands;
  Serpentine1->setChecked(ws_.Serpentine);
}

// Without the memory for a copy of the state the command runs all the same, with no step to
// take it back.
std::optional<HistoryState> TForm1::CaptureState() const {
  try {
    return history_.Capture(ws_, Panel());
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

void TForm1::RecordState(std::optional<HistoryState> before) {
  try {
    if (before) history_.Record(std::move(*before), ws_, Panel());
  } catch (const std::bad_alloc&) {
  }
  UpdateActions();
}

void TForm1::RunRecorded(const std::function<void()>& command) {
  std::optional<HistoryState> before = CaptureState();
  command();
  RecordState(std::move(before));
}

void TForm1::TakeBack(bool redo) {
  RunCommand([this, redo] {
    if (!(redo ? history_.CanRedo() : history_.CanUndo())) return;
    const BusyCursor busy;
    HistoryState now = history_.Capture(ws_, Panel());
    const HistoryState state = redo ? history_.Redo(std::move(now)) : history_.Undo(std::move(now));
    Restore(state, ws_);
    ShowPanel(state.panel);
    RefreshPreview();
  });
  UpdateActions();
}

void TForm1::Undo1Click() {
  TakeBack(false);
}

void TForm1::Redo1Click() {
  TakeBack(true);
}

void TForm1::About1Click() {
  dialogs_->About(this, AboutText());
}

}  // namespace skelda
