// "Тестовая сетка": the powers, feeds and cell size of a material test grid, checked as a whole
// before the dialog closes.
#pragma once

#include <QDialog>

#include "gcode/test_grid.h"

class QLineEdit;
class QPushButton;

namespace skelda {

class Dialogs;

class TestGridDialog : public QDialog {
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
  QPushButton* btnOk = nullptr;
  QPushButton* btnCancel = nullptr;

 public slots:
  // Parses every field and lays the grid out; closes with Accepted only when all is valid.
  void OkClick();

 private:
  Dialogs& dialogs_;
  TestGridSettings settings_;
};

}  // namespace skelda
