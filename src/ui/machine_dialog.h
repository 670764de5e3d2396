// "Параметры станка": the settings of the GRBL machine, typed as numbers like the panel's fields
// and refused with the same messages.
#pragma once

#include <QDialog>

#include "gcode/machine_profile.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace skelda {

class Dialogs;

class MachineDialog : public QDialog {
  Q_OBJECT

 public:
  // Shows `profile`; refusals go to `dialogs`' error box.
  MachineDialog(Dialogs& dialogs, const MachineProfile& profile, QWidget* parent = nullptr);

  // The settings as accepted (the machine itself is not chosen here).
  const MachineProfile& Profile() const { return profile_; }

  QLineEdit* edtPower = nullptr;
  QLineEdit* edtMinPower = nullptr;
  QLineEdit* edtOverscan = nullptr;
  QLineEdit* edtScanOffset = nullptr;
  QCheckBox* chkOneWay = nullptr;
  QCheckBox* chkGrayscale = nullptr;
  QPushButton* btnOk = nullptr;
  QPushButton* btnCancel = nullptr;

 public slots:
  // Parses every field; closes with Accepted only when all are valid.
  void OkClick();

 private:
  Dialogs& dialogs_;
  MachineProfile profile_;
};

}  // namespace skelda
