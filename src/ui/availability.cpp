// Which commands are available: every enabling rule of the window in one place.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "ui/main_window.h"
#include "ui/status_hints.h"

namespace skelda {

// Before the first load (confirmed or cancelled) the commands that need a picture are off; from
// then on they stay on. The size fields in dots are never edited; the feed field only matters,
// and is only editable, in line mode. Tool buttons, the File menu's other items, "Load", both
// "S", the fields, the check box and the tone sliders are always on.
void TForm1::UpdateActions() {
  const bool picture = loadAttempted_;
  N17->menuAction()->setEnabled(picture);
  N3->menuAction()->setEnabled(picture);
  nc1->setEnabled(picture && !jobRunning_);
  btn1->setEnabled(picture && !jobRunning_);
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
  UpdateMachineActions();
}

// While a job runs, the picture commands stay on (the job streams from its file) and every
// command that would write or send a program is off. The machine's own commands need a
// connection and no job; a connection being made allows none of them.
void TForm1::UpdateMachineActions() {
  const bool idle = connected_ && !jobRunning_ && !planning_;
  const bool grbl = machine_.machine == Machine::Grbl;
  btn8->setEnabled(!jobRunning_);
  N54->setEnabled(!jobRunning_);
  N55->setEnabled(!jobRunning_);
  N57->setEnabled(link_ == nullptr);
  N58->setEnabled(idle);
  N59->setEnabled(idle && grbl && loadAttempted_);
  N60->setEnabled(idle);
  N61->setEnabled(idle && grbl);
  for (QAction* item : {N62, N63, N64}) item->setEnabled(idle);
  // The hint says why a burn is off for the classic machine, which takes no streamed program.
  N59->setStatusTip(HintFor(grbl ? QStringLiteral("N59") : QStringLiteral("N59Classic")));
  N61->setStatusTip(HintFor(grbl ? QStringLiteral("N61") : QStringLiteral("N61Classic")));
}

}  // namespace skelda
