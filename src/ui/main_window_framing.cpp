// "Рамка…" and "Тестовая сетка…" in the "Станок" menu: the outline of the current picture, and
// a material test grid, each written through the save dialog.
#include <QAction>
#include <QCheckBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>

#include "core/numbers.h"
#include "gcode/frame_program.h"
#include "gcode/gcode_command.h"
#include "gcode/test_grid.h"
#include "simulation/program_preview.h"
#include "ui/busy_cursor.h"
#include "ui/main_window.h"
#include "ui/test_grid_dialog.h"

namespace skelda {

// The frame of the picture the G-code command would write: the shown one, as it stands.
std::optional<std::pair<GcodeSettings, int>> TForm1::AskFrame() {
  GcodeSettings settings = PanelGcodeSettings();
  CheckFramePower(settings, 0);
  int power = 0;
  if (machine_.machine == Machine::Grbl) {
    bool ok = false;
    power = QInputDialog::getInt(this, tr("Рамка"), tr("Мощность рамки S (0 – лазер выключен):"),
                                 std::min(framePower_, machine_.maxPower), 0, machine_.maxPower, 1,
                                 &ok);
    if (!ok) return std::nullopt;
    framePower_ = power;
    if (power > 0) settings.feed = StrToInt(edt8->text().toStdString());
  }
  return std::pair{settings, power};
}

void TForm1::N54Click() {
  RunCommand([this] {
    const auto asked = AskFrame();
    if (!asked) return;
    const auto& [settings, power] = *asked;
    const int width = ws_.ShownBitmap.Width(), height = ws_.ShownBitmap.Height();
    const FrameProgram frame(width, height, settings, power);
    const std::optional<QString> name = dialogs_->SaveGcode(this);
    if (!name || !MayReplace(*name + ".nc")) return;
    WriteFrameProgramFile(frame, FileNameText(*name) + ".nc");
    dialogs_->Information(
        this, QString::fromStdString(FrameReport(BaseName(*name), width, height, settings.dot,
                                                 LineInterval(settings))));
  });
}

void TForm1::N55Click() {
  RunCommand([this] {
    TestGridSettings base;
    const std::string dotText = edt1->text().toStdString();
    base.dot = StrToDouble(dotText);
    CheckDotSize(base.dot, "'" + dotText + "'");
    base.machine = machine_;
    base.machine.machine = Machine::Grbl;
    TestGridDialog dialog(*dialogs_, base, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const TestGrid grid(dialog.Settings());
    const std::optional<QString> name = dialogs_->SaveGcode(this);
    if (!name || !MayReplace(*name + ".nc")) return;
    {
      const BusyCursor busy;
      WriteTestGridFile(grid, FileNameText(*name) + ".nc");
      ShowBurnPreview(PreviewTestGrid(grid, motion_));
    }
    dialogs_->Information(this, QString::fromStdString(TestGridReport(BaseName(*name), grid)));
  });
}

}  // namespace skelda
