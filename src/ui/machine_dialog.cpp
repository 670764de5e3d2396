#include "ui/machine_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/numbers.h"
#include "ui/error_box.h"
#include "ui/status_hints.h"

namespace skelda {
namespace {

// The hint of a control doubles as its tool tip: the dialog has no status bar.
template <class Control>
Control* Named(Control* control, const char* name) {
  control->setObjectName(QLatin1String(name));
  control->setToolTip(HintFor(control->objectName()));
  return control;
}

QLineEdit* Field(const char* name, const std::string& text) {
  return Named(new QLineEdit(QString::fromStdString(text)), name);
}

std::string Text(const QLineEdit* field) {
  return field->text().toStdString();
}

}  // namespace

MachineDialog::MachineDialog(Dialogs& dialogs, const MachineProfile& profile, QWidget* parent,
                             const MotionSettings& motion)
    : QDialog(parent), dialogs_(dialogs), profile_(profile), motion_(motion) {
  setObjectName(QStringLiteral("MachineDialog"));
  setWindowTitle(QStringLiteral("Параметры станка"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  edtPower = Field("edtPower", std::to_string(profile.maxPower));
  edtMinPower = Field("edtMinPower", std::to_string(profile.minPower));
  edtOverscan = Field("edtOverscan", FloatToStr(profile.overscanMm));
  edtScanOffset = Field("edtScanOffset", FloatToStr(profile.scanOffsetMm));
  edtMaxRate = Field("edtMaxRate", FloatToStr(motion.maxRate[0]));
  edtAccel = Field("edtAccel", FloatToStr(motion.acceleration[0]));
  edtJunction = Field("edtJunction", FloatToStr(motion.junctionDeviation));
  chkOneWay = Named(new QCheckBox(QStringLiteral("Жечь только слева направо")), "chkOneWay");
  chkOneWay->setChecked(profile.oneWay);
  chkGrayscale =
      Named(new QCheckBox(QStringLiteral("Мощность по яркости (полутона)")), "chkGrayscale");
  chkGrayscale->setChecked(profile.grayscale);
  btnOk = Named(new QPushButton(QStringLiteral("OK")), "btnOk");
  btnCancel = Named(new QPushButton(QStringLiteral("Отмена")), "btnCancel");
  btnOk->setDefault(true);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Мощность лазера, S:"), edtPower);
  form->addRow(QStringLiteral("Мощность белого, S:"), edtMinPower);
  form->addRow(QStringLiteral("Перебег, мм:"), edtOverscan);
  form->addRow(QStringLiteral("Сдвиг обратного хода, мм:"), edtScanOffset);
  form->addRow(chkOneWay);
  form->addRow(chkGrayscale);
  form->addRow(QStringLiteral("Скорость холостого хода, мм/мин:"), edtMaxRate);
  form->addRow(QStringLiteral("Ускорение, мм/с²:"), edtAccel);
  form->addRow(QStringLiteral("Отклонение на углах, мм:"), edtJunction);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOk);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(form);
  layout->addLayout(buttons);

  connect(btnOk, &QPushButton::clicked, this, &MachineDialog::OkClick);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void MachineDialog::OkClick() {
  RunGuarded(dialogs_, this, [this] {
    profile_ =
        ParseMachineProfile(profile_.machine, Text(edtPower), Text(edtMinPower), Text(edtOverscan),
                            chkOneWay->isChecked(), Text(edtScanOffset), chkGrayscale->isChecked());
    motion_ = ParseMotionSettings(Text(edtMaxRate), Text(edtAccel), Text(edtJunction));
    accept();
  });
}

}  // namespace skelda
