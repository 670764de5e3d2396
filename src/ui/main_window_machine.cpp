// The "Станок" menu: which machine the programs are for, and the GRBL machine's settings.
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>

#include "gcode/gcode_command.h"
#include "gcode/grbl_number.h"
#include "gcode/grbl_writer.h"
#include "simulation/program_file.h"
#include "simulation/program_preview.h"
#include "ui/busy_cursor.h"
#include "ui/machine_dialog.h"
#include "ui/machine_settings.h"
#include "ui/main_window.h"
#include "ui/preview_canvas.h"

namespace skelda {

// The items themselves are rows of the command table.
void TForm1::BuildMachineMenu() {
  AddCommandItems(N50);
  auto* machines = new QActionGroup(N50);
  for (QAction* item : {N51, N52}) {
    item->setCheckable(true);
    machines->addAction(item);
  }
  machine_ = LoadMachineProfile();
  motion_ = LoadMotionSettings();
  (machine_.machine == Machine::Grbl ? N52 : N51)->setChecked(true);
}

void TForm1::N51Click() {
  const double interval = LineIntervalMm();
  machine_.machine = Machine::Classic;
  SaveMachineProfile(machine_);
  FollowLineInterval(interval);
  UpdateActions();
}

void TForm1::N52Click() {
  const double interval = LineIntervalMm();
  machine_.machine = Machine::Grbl;
  SaveMachineProfile(machine_);
  FollowLineInterval(interval);
  UpdateActions();
}

void TForm1::N53Click() {
  MachineDialog dialog(*dialogs_, machine_, this, motion_);
  if (dialog.exec() != QDialog::Accepted) return;
  const double interval = LineIntervalMm();
  machine_ = dialog.Profile();
  motion_ = dialog.Motion();
  SaveMachineProfile(machine_);
  SaveMotionSettings(motion_);
  FollowLineInterval(interval);
}

// Reads ShownBitmap, which the G-code command would commit and write, without committing it.
void TForm1::N56Click() {
  RunCommand([this] {
    const GcodeSettings settings = PanelGcodeSettings();
    if (machine_.machine == Machine::Grbl) CheckGrblSettings(settings);
    const BusyCursor busy;
    TQuickPixels pixels;
    pixels.Attach(ws_.ShownBitmap);
    ShowBurnPreview(PreviewProgram(pixels, settings, motion_));
  });
}

void TForm1::ShowBurnPreview(const ProgramPreview& preview) {
  burnPicture_ = BurnBitmap(preview.picture);
  canvas_->ShowBitmap(&burnPicture_);
  canvas_->repaint();
  QString wait;
  if (preview.linkSeconds >= 0.05) {
    wait = tr(", из них %1 с ожидания порта").arg(preview.linkSeconds, 0, 'f', 1);
  }
  stat1->showMessage(tr("Время работы: ") + QString::fromStdString(ClockText(preview.seconds)) +
                     wait);
}

void TForm1::ShowGrblRange(const XRange& range) {
  stat1->showMessage(tr("Программа GRBL: X от %1 до %2 мм")
                         .arg(QString::fromStdString(ThousandthsText(range.low)),
                              QString::fromStdString(ThousandthsText(range.high))));
}

}  // namespace skelda
