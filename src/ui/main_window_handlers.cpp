// The command handlers: each is the list of steps of its command over the toolkit-free commands,
// run inside RunCommand so that an error ends it in the error box.
#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QString>
#include <string>

#include "gcode/gcode_command.h"
#include "gcode/grbl_writer.h"
#include "intake/intake_commands.h"
#include "processing/processing_commands.h"
#include "ui/busy_cursor.h"
#include "ui/main_window.h"

namespace skelda {
namespace {

std::string Text(const QLineEdit* field) {
  return field->text().toStdString();
}
std::string FileNameText(const QString& name) {
  return QFile::encodeName(name).toStdString();
}

const QString kApplyQuestion =
    QStringLiteral("Вы дейсвительно хотите применить текушие параметры ?");
const QString kExitQuestion = QStringLiteral("Действительно хотите закрыть программу ?");

// The commands append these to the name chosen in the save dialogs.
const QString kPictureExtension = QStringLiteral(".bmp");
const QString kGcodeExtension = QStringLiteral(".nc");

}  // namespace

// ---- Picture loading and size ----

void TForm1::ReadPictureFile() {
  ShowSizeFields(skelda::ReadPictureFile(ws_, Text(edt1), FileNameText(openPictureFileName_)));
}

void TForm1::LoadPicClick() {
  RunCommand([this] {
    std::optional<QString> name = dialogs_->OpenPicture(this);
    BusyCursor busy;
    if (name) {
      openPictureFileName_ = *name;
      ReadPictureFile();
    }
    BeginLoad(ws_);
    // The sliders' own change handling runs, with the mode of the picture before the load.
    trckbr1->setValue(0);
    trckbr2->setValue(0);
    FinishLoad(ws_);
    RefreshPreview();
    loadAttempted_ = true;
    UpdateActions();
  });
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
    if (std::optional<SizeFields> fields = ResampleToWidth(ws_, Text(edt1), Text(edt2))) {
      ShowSizeFields(*fields);
      RefreshPreview();
    }
  });
}

void TForm1::btn6Click() {
  RunBusy([this] {
    if (std::optional<SizeFields> fields = ResampleToHeight(ws_, Text(edt1), Text(edt3))) {
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
    const int position = trckbrTrackSeuil->value();
    SetLabel(lbl10, ThresholdLabel(position));
    if (ThresholdSliderMoved(ws_, position)) RefreshPreview();
  });
}

void TForm1::trckbr1Change() {
  RunCommand([this] {
    const int position = trckbr1->value();
    if (!ToneSliderMoved(ws_, ToneSlider::Sharpness, position)) return;
    RefreshPreview();
    SetLabel(lbl5, SharpnessLabel(position));
  });
}

void TForm1::trckbr2Change() {
  RunCommand([this] {
    const int position = trckbr2->value();
    if (!ToneSliderMoved(ws_, ToneSlider::Brightness, position)) return;
    RefreshPreview();
    SetLabel(lbl11, BrightnessLabel(position));
  });
}

void TForm1::trckbr3Change() {
  RunCommand([this] {
    const int position = trckbr3->value();
    if (!ToneSliderMoved(ws_, ToneSlider::Contrast, position)) return;
    RefreshPreview();
    SetLabel(lbl12, ContrastLabel(position));
  });
}

void TForm1::btn4Click() {
  RunCommand([this] {
    if (dialogs_->ConfirmOkCancel(this, kApplyQuestion)) {
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

void TForm1::SerpentineClick() {
  RunCommand([this] {
    if (SerpentineCommand(ws_, Serpentine1->isChecked())) RefreshPreview();
  });
}

// ---- G-code ----

void TForm1::btn1Click() {
  RunCommand([this] {
    CommitForGcode(ws_);
    GcodeSettings settings =
        ParseGcodeSettings(Text(edt1), chk1->isChecked(), Text(edt8), Text(edt7));
    settings.machine = machine_;
    if (machine_.machine == Machine::Grbl) CheckGrblSettings(settings);
    std::optional<QString> name = dialogs_->SaveGcode(this);
    if (!name || !MayReplace(*name + kGcodeExtension)) return;
    std::uint64_t count = 0;
    std::int64_t elapsed = 0;
    XRange range;
    {
      BusyCursor busy;
      QElapsedTimer timer;
      timer.start();
      count = WriteGcodeFile(ws_, settings, FileNameText(*name), &range);
      elapsed = timer.elapsed();
    }
    if (machine_.machine == Machine::Grbl) ShowGrblRange(range);
    dialogs_->Information(
        this, QString::fromStdString(GcodeReport(QFileInfo(*name).fileName().toStdString(), elapsed,
                                                 count, settings.lineMode)));
  });
}

// ---- Exit ----

void TForm1::N2Click() {
  RunCommand([this] {
    if (dialogs_->ConfirmYesNo(this, kExitQuestion)) close();
  });
}

}  // namespace skelda
