// Which commands are available: every enabling rule of the window in one place.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>

#include "ui/main_window.h"

namespace skelda {

// Before the first load (confirmed or cancelled) the commands that need a picture are off; from
// then on they stay on. The size fields in dots are never edited; the feed field only matters,
// and is only editable, in line mode. Tool buttons, the File menu's other items, "Load", both
// "S", the fields, the check box and the tone sliders are always on.
void TForm1::UpdateActions() {
  const bool picture = loadAttempted_;
  N17->menuAction()->setEnabled(picture);
  N3->menuAction()->setEnabled(picture);
  nc1->setEnabled(picture);
  btn1->setEnabled(picture);
  trckbrTrackSeuil->setEnabled(picture);
  btn2->setEnabled(picture);
  btn3->setEnabled(picture);
  btn4->setEnabled(picture);

  edt5->setEnabled(false);
  edt6->setEnabled(false);
  edt8->setEnabled(chk1->isChecked());

  // Undo and redo whenever there is a step to go to, picture or not (before the first load
  // through their keys alone).
  Undo1->setEnabled(history_.CanUndo());
  Redo1->setEnabled(history_.CanRedo());
}

}  // namespace skelda
