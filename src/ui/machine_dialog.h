// "Параметры станка": the settings of the GRBL machine, typed as numbers like the panel's fields
// and refused with the same messages.
#pragma once

#include "gcode/machine_profile.h"
#include "simulation/motion_settings.h"
#include "ui/fields_dialog.h"

class QCheckBox;
class QLineEdit;

namespace skelda {

class MachineDialog : public FieldsDialog {
  Q_OBJECT

 public:
  // Shows `profile` and `motion`; refusals go to `dialogs`' error box.
  MachineDialog(Dialogs& dialogs, const MachineProfile& profile, QWidget* parent = nullptr,
                const MotionSettings& motion = MotionSettings{});

  // The settings as accepted (the machine itself is not chosen here).
  const MachineProfile& Profile() const { return profile_; }
  // The motion settings the job time is worked out with, as accepted.
  const MotionSettings& Motion() const { return motion_; }

  QLineEdit* edtPower = nullptr;
  QLineEdit* edtMinPower = nullptr;
  QLineEdit* edtOverscan = nullptr;
  QLineEdit* edtScanOffset = nullptr;
  QLineEdit* edtMaxRate = nullptr;
  QLineEdit* edtAccel = nullptr;
  QLineEdit* edtJunction = nullptr;
  QLineEdit* edtLevels = nullptr;
  QLineEdit* edtRapidGap = nullptr;
  QLineEdit* edtBaud = nullptr;
  QLineEdit* edtGamma = nullptr;
  QLineEdit* edtLineInterval = nullptr;  // empty: the dot size; disabled for the classic machine
  QCheckBox* chkOneWay = nullptr;
  QCheckBox* chkGrayscale = nullptr;
  void OkClick() override;

 private:
  static QLineEdit* Field(const char* name, const std::string& text);

  MachineProfile profile_;
  MotionSettings motion_;
};

}  // namespace skelda
