// What the small settings dialogs share: labelled fields in a form, OK and "Отмена" under it,
// each control named for its hint, which doubles as its tool tip (a dialog has no status bar).
#pragma once

#include <QDialog>
#include <QString>
#include <string>

class QFormLayout;
class QLineEdit;
class QPushButton;

namespace skelda {

class Dialogs;

class FieldsDialog : public QDialog {
  Q_OBJECT

 public:
  QPushButton* btnOk = nullptr;
  QPushButton* btnCancel = nullptr;

 public slots:
  // Parses every field; closes with Accepted only when all are valid, refusals going to the
  // error box.
  virtual void OkClick() = 0;

 protected:
  FieldsDialog(Dialogs& dialogs, const QString& objectName, const QString& title, QWidget* parent);
  // The form over the buttons; called once the form's rows are in.
  void LayOut(QFormLayout* form);

  template <class Control>
  static Control* Named(Control* control, const char* name) {
    NameWithHint(*control, name);
    return control;
  }
  static std::string Text(const QLineEdit* field);

  Dialogs& dialogs_;

 private:
  static void NameWithHint(QWidget& control, const char* name);
};

}  // namespace skelda
