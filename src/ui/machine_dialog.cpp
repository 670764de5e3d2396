#include "ui/machine_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>

#include "core/numbers.h"
#include "ui/error_box.h"

namespace skelda {

QLineEdit* MachineDialog::Field(const char* name, const std::string& text) {
  return Named(new QLineEdit(QString::fromStdString(text)), name);
}

MachineDialog::MachineDialog(Dialogs& dialogs, const MachineProfile& profile, QWidget* parent,
                             const MotionSettings& motion)
    : FieldsDialog(dialogs, QStringLiteral("MachineDialog"), tr("Параметры станка"), parent),
      profile_(profile),
      motion_(motion) {
  edtPower = Field("edtPower", std::to_string(profile.maxPower));
  edtMinPower = Field("edtMinPower", std::to_string(profile.minPower));
  edtOverscan = Field("edtOverscan", FloatToStr(profile.overscanMm));
  edtScanOffset = Field("edtScanOffset", FloatToStr(profile.scanOffsetMm));
  edtMaxRate = Field("edtMaxRate", FloatToStr(motion.maxRate[0]));
  edtAccel = Field("edtAccel", FloatToStr(motion.acceleration[0]));
  edtJunction = Field("edtJunction", FloatToStr(motion.junctionDeviation));
  edtLevels = Field("edtLevels", std::to_string(profile.powerLevels));
  edtRapidGap = Field("edtRapidGap", FloatToStr(profile.rapidGapMm));
  edtBaud = Field("edtBaud", FloatToStr(motion.baud));
  edtGamma = Field("edtGamma", FloatToStr(profile.gamma));
  edtLineInterval = Field("edtLineInterval",
                          profile.lineIntervalMm > 0 ? FloatToStr(profile.lineIntervalMm) : "");
  edtLineInterval->setPlaceholderText(tr("размер точки"));
  // The classic machine's rows are always one dot apart.
  edtLineInterval->setEnabled(profile.machine == Machine::Grbl);
  chkOneWay = Named(new QCheckBox(tr("Жечь только слева направо")), "chkOneWay");
  chkOneWay->setChecked(profile.oneWay);
  chkGrayscale = Named(new QCheckBox(tr("Мощность по яркости (полутона)")), "chkGrayscale");
  chkGrayscale->setChecked(profile.grayscale);

  auto* form = new QFormLayout;
  form->addRow(tr("Мощность лазера, S:"), edtPower);
  form->addRow(tr("Мощность белого, S:"), edtMinPower);
  form->addRow(tr("Перебег, мм:"), edtOverscan);
  form->addRow(tr("Сдвиг обратного хода, мм:"), edtScanOffset);
  form->addRow(chkOneWay);
  form->addRow(chkGrayscale);
  form->addRow(tr("Уровней мощности:"), edtLevels);
  form->addRow(tr("Гамма:"), edtGamma);
  form->addRow(tr("Шаг строк, мм:"), edtLineInterval);
  form->addRow(tr("Пробелы холостым ходом длиннее, мм:"), edtRapidGap);
  form->addRow(tr("Скорость холостого хода, мм/мин:"), edtMaxRate);
  form->addRow(tr("Ускорение, мм/с²:"), edtAccel);
  form->addRow(tr("Отклонение на углах, мм:"), edtJunction);
  form->addRow(tr("Скорость порта, бод:"), edtBaud);
  LayOut(form);
}

void MachineDialog::OkClick() {
  RunGuarded(dialogs_, this, [this] {
    profile_ =
        ParseMachineProfile(profile_.machine, Text(edtPower), Text(edtMinPower), Text(edtOverscan),
                            chkOneWay->isChecked(), Text(edtScanOffset), chkGrayscale->isChecked());
    ParseRasterSettings(profile_, Text(edtLevels), Text(edtRapidGap));
    ParseToneAndInterval(profile_, Text(edtGamma), Text(edtLineInterval));
    motion_ = ParseMotionSettings(Text(edtMaxRate), Text(edtAccel), Text(edtJunction));
    motion_.baud = ParseBaud(Text(edtBaud));
    accept();
  });
}

}  // namespace skelda
