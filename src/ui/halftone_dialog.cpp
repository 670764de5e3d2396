#include "ui/halftone_dialog.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QSettings>

#include "core/numbers.h"
#include "ui/error_box.h"

namespace skelda {

HalftoneScreen LoadHalftoneScreen() {
  const QSettings store(QStringLiteral("Skelda"), QStringLiteral("skelda"));
  HalftoneScreen s;
  s.cellsPerInch = store.value("halftone/cellsPerInch", s.cellsPerInch).toInt();
  s.angleDegrees = store.value("halftone/angle", s.angleDegrees).toDouble();
  try {
    CheckHalftoneScreen(s, 1);
  } catch (const std::exception&) {
    return HalftoneScreen{};  // a settings file edited by hand into nonsense
  }
  return s;
}

void SaveHalftoneScreen(const HalftoneScreen& s) {
  QSettings store(QStringLiteral("Skelda"), QStringLiteral("skelda"));
  store.setValue("halftone/cellsPerInch", s.cellsPerInch);
  store.setValue("halftone/angle", s.angleDegrees);
}

HalftoneDialog::HalftoneDialog(Dialogs& dialogs, double dotMm, QWidget* parent)
    : FieldsDialog(dialogs, QStringLiteral("HalftoneDialog"), tr("Полутоновый растр"), parent),
      dotMm_(dotMm),
      screen_(LoadHalftoneScreen()) {
  edtCellsPerInch = Named(new QLineEdit(QString::number(screen_.cellsPerInch)), "edtCellsPerInch");
  edtScreenAngle = Named(new QLineEdit(QString::fromStdString(FloatToStr(screen_.angleDegrees))),
                         "edtScreenAngle");
  auto* form = new QFormLayout;
  form->addRow(tr("Ячеек на дюйм (5–200):"), edtCellsPerInch);
  form->addRow(tr("Угол растра, градусы:"), edtScreenAngle);
  LayOut(form);
}

void HalftoneDialog::OkClick() {
  RunGuarded(dialogs_, this, [this] {
    HalftoneScreen s;
    s.cellsPerInch = StrToInt(Text(edtCellsPerInch));
    s.angleDegrees = StrToDouble(Text(edtScreenAngle));
    CheckHalftoneScreen(s, dotMm_);
    screen_ = s;
    SaveHalftoneScreen(s);
    accept();
  });
}

}  // namespace skelda
