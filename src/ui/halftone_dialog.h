// "Полутоновый растр": the cells per inch and the angle of the halftone screen, checked against
// the dot size before the dialog closes and remembered between runs in the user's QSettings.
#pragma once

#include "processing/halftone_screen.h"
#include "ui/fields_dialog.h"

class QLineEdit;

namespace skelda {

// The stored screen; the defaults (40 cells per inch at 45 degrees) where nothing valid is.
HalftoneScreen LoadHalftoneScreen();
void SaveHalftoneScreen(const HalftoneScreen& screen);

class HalftoneDialog : public FieldsDialog {
  Q_OBJECT

 public:
  // The fields start from the stored screen; refusals go to `dialogs`' error box.
  HalftoneDialog(Dialogs& dialogs, double dotMm, QWidget* parent = nullptr);

  // The screen as accepted (and stored).
  const HalftoneScreen& Screen() const { return screen_; }

  QLineEdit* edtCellsPerInch = nullptr;
  QLineEdit* edtScreenAngle = nullptr;
  void OkClick() override;

 private:
  double dotMm_;
  HalftoneScreen screen_;
};

}  // namespace skelda
