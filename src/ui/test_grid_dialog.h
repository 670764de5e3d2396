// "Тестовая сетка": the powers, feeds and cell size of a material test grid, checked as a whole
// before the dialog closes.
#pragma once

#include "gcode/test_grid.h"
#include "ui/fields_dialog.h"

class QLineEdit;

namespace skelda {

class TestGridDialog : public FieldsDialog {
  Q_OBJECT

 public:
  // `base` holds the dot size and the machine the grid is written with; refusals go to
  // `dialogs`' error box.
  TestGridDialog(Dialogs& dialogs, const TestGridSettings& base, QWidget* parent = nullptr);

  // The settings as accepted.
  const TestGridSettings& Settings() const { return settings_; }

  QLineEdit* edtPowers = nullptr;
  QLineEdit* edtFeeds = nullptr;
  QLineEdit* edtCell = nullptr;
  // Also lays the grid out: every refusal comes before the save dialog.
  void OkClick() override;

 private:
  TestGridSettings settings_;
};

}  // namespace skelda
