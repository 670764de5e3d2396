// The command handlers: each is the list of steps of its command over the toolkit-free commands,
// run inside RunCommand so that an error ends it in the error box.
#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QString>
#include <string>

#include "core/numbers.h"
#include "gcode/gcode_command.h"
#include "gcode/gcode_settings.h"
#include "gcode/grbl_writer.h"
#include "intake/intake_commands.h"
#include "processing/processing_commands.h"
#include "ui/busy_cursor.h"
#include "ui/halftone_dialog.h"
#include "ui/main_window.h"

namespace skelda {
namespace {

std::string Text(const QLineEdit* field) {
  return field->text().toStdString();
}

const char* const kApplyQuestion =
    QT_TRANSLATE_NOOP("skelda::TForm1", "Вы дейсвительно хотите применить текушие параметры ?");
const char* const kExitQuestion =
    QT_TRANSLATE_NOOP("skelda::TForm1", "Действительно хотите закрыть программу ?");

// The commands append these to the name chosen in the save dialogs.
const QString kPictureExtension = QStringLiteral(".bmp");
const QString kGcodeExtension = QStringLiteral(".nc");

}  // namespace

// ---- Picture loading and size ----

void TForm1::ReadPictureFile() {
  ShowSizeFields(skelda::ReadPictureFile(ws_, Text(edt1), FileNameText(openPictureFileName_),
                                         ExifTurn1->isChecked(), LineIntervalMm()));
}

void TForm1::LoadPicClick() {
  RunCommand([this] { LoadPicture(dialogs_->OpenPicture(this)); });
}

void TForm1::LoadPicture(const std::optional<QString>& name) {
  BusyCursor busy;
  if (name) {
    openPictureFileName_ = *name;
    ReadPictureFile();
    RememberRecentFile(*name);
  }
  BeginLoad(ws_);
  // The sliders' own change handling runs, with the mode of the picture before the load.
  trckbr1->setValue(0);
  trckbr2->setValue(0);
  FinishLoad(ws_);
  RefreshPreview();
  loadAttempted_ = true;
  UpdateActions();
}
void TForm1::N4Click() {
  RunBusy([this] {
    ReadPictureFile();
    ShowOriginal(ws_);
    RefreshPreview();
  });
}

void TForm1::btn5Click() {
  RunBusy([this] {
    if (std::optional<SizeFields> fields =
            ResampleToWidth(ws_, Text(edt1), Text(edt2), LineIntervalMm())) {
      ShowSizeFields(*fields);
      RefreshPreview();
    }
  });
}

void TForm1::btn6Click() {
  RunBusy([this] {
    if (std::optional<SizeFields> fields =
            ResampleToHeight(ws_, Text(edt1), Text(edt3), LineIntervalMm())) {
      ShowSizeFields(*fields);
      RefreshPreview();
    }
  });
}

// Beyond the conversion, the millimetre sizes are worked out again for the new dot size.
void TForm1::edt1KeyPress() {
  RunCommand([this] {
    edt4->setText(QString::fromStdString(ResolutionForDot(Text(edt1), Text(edt4))));
    ShowPictureSize(true);
  });
}

void TForm1::edt4KeyPress() {
  RunCommand([this] {
    edt1->setText(QString::fromStdString(DotForResolution(Text(edt1), Text(edt4))));
    ShowPictureSize(true);
  });
}

void TForm1::N12Click() {
  RunCommand([this] {
    std::optional<QString> name = dialogs_->SavePicture(this);
    if (!name || !MayReplace(*name + kPictureExtension)) return;
    BusyCursor busy;
    SavePicture(ws_, FileNameText(*name));
  });
}

// ---- Black and white, tone, apply ----

void TForm1::btn2Click() {
  RunBusy([this] {
    ThresholdCommand(ws_, trckbrTrackSeuil->value());
    RefreshPreview();
  });
}

void TForm1::N9Click() {
  ws_.EffectApplied = true;
  btn2Click();
}
void TForm1::trckbrTrackSeuilChange() {
  RunCommand([this] {
    if (ThresholdSliderInert(ws_)) return;
    const int position = trckbrTrackSeuil->value();
    SetLabel(lbl10, ThresholdLabel(position));
    if (ThresholdSliderMoved(ws_, position)) RefreshPreview();
  });
}

namespace {

// The tone sliders, each with its label.
struct ToneControl {
  QSlider* TForm1::*slider;
  ToneSlider tone;
  QLabel* TForm1::*label;
  std::string (*labelText)(int position);
};

const ToneControl kToneControls[] = {
    {&TForm1::trckbr1, ToneSlider::Sharpness, &TForm1::lbl5, SharpnessLabel},
    {&TForm1::trckbr2, ToneSlider::Brightness, &TForm1::lbl11, BrightnessLabel},
    {&TForm1::trckbr3, ToneSlider::Contrast, &TForm1::lbl12, ContrastLabel},
};

}  // namespace

void TForm1::ConnectToneSliders() {
  for (const ToneControl& c : kToneControls) {
    connect(this->*c.slider, &QSlider::valueChanged, this, [this, &c] {
      RunCommand([&] {
        const int position = (this->*c.slider)->value();
        if (!ToneSliderMoved(ws_, c.tone, position)) return;
        RefreshPreview();
        SetLabel(this->*c.label, c.labelText(position));
      });
    });
  }
}

void TForm1::btn4Click() {
  RunCommand([this] {
    if (dialogs_->ConfirmOkCancel(this, tr(kApplyQuestion))) {
      BusyCursor busy;
      ApplyShown(ws_);
      trckbr1->setValue(0);
      trckbr2->setValue(0);
      trckbr3->setValue(0);
      RefreshPreview();
    }
    ws_.MouseTool = kMouseToolOff;
  });
}

void TForm1::btn12Click() {
  ws_.ConfirmClicked = true;
  btn4Click();
}

void TForm1::DotMethodClick(DotMethod method) {
  RunCommand([this, method] {
    DotMethodCommand(ws_, method);
    RefreshPreview();
  });
}

void TForm1::DotHalftoneClick() {
  RunCommand([this] {
    const std::string dotText = edt1->text().toStdString();
    const double dot = StrToDouble(dotText);
    CheckDotSize(dot, "'" + dotText + "'");
    HalftoneDialog dialog(*dialogs_, dot, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const BusyCursor busy;
    HalftoneCommand(ws_, dialog.Screen(), dot);
    RefreshPreview();
  });
}

void TForm1::SerpentineClick() {
  RunCommand([this] {
    if (SerpentineCommand(ws_, Serpentine1->isChecked())) RefreshPreview();
  });
}

// ---- G-code ----

GcodeSettings TForm1::PanelGcodeSettings() const {
  GcodeSettings settings =
      ParseGcodeSettings(Text(edt1), chk1->isChecked(), Text(edt8), Text(edt7));
  settings.machine = machine_;
  return settings;
}

std::optional<QString> TForm1::WritePictureProgram(std::int64_t& elapsed, std::uint64_t& count,
                                                   bool& lineMode) {
  CommitForGcode(ws_);
  const GcodeSettings settings = PanelGcodeSettings();
  if (machine_.machine == Machine::Grbl) CheckGrblSettings(settings);
  std::optional<QString> name = dialogs_->SaveGcode(this);
  if (!name || !MayReplace(*name + kGcodeExtension)) return std::nullopt;
  XRange range;
  {
    BusyCursor busy;
    QElapsedTimer timer;
    timer.start();
    count = WriteGcodeFile(ws_, settings, FileNameText(*name), &range);
    elapsed = timer.elapsed();
  }
  if (machine_.machine == Machine::Grbl) ShowGrblRange(range);
  lineMode = settings.lineMode;
  return name;
}

void TForm1::btn1Click() {
  RunCommand([this] {
    std::uint64_t count = 0;
    std::int64_t elapsed = 0;
    bool lineMode = false;
    const std::optional<QString> name = WritePictureProgram(elapsed, count, lineMode);
    if (!name) return;
    dialogs_->Information(
        this, QString::fromStdString(GcodeReport(BaseName(*name), elapsed, count, lineMode)));
  });
}

// ---- Exit ----

void TForm1::N2Click() {
  RunCommand([this] {
    if (dialogs_->ConfirmYesNo(this, tr(kExitQuestion))) close();
  });
}

}  // namespace skelda
