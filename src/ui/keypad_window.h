// TForm2: the small numeric keypad window. Its buttons build a number in the display; "EN"
// hands the display's text to the main window's hidden field edt9 and closes the window. The
// keyboard works it too: the display has the focus when the window opens; digits, ".", "-" and
// Backspace edit the display, Enter is "EN" and Escape closes the window.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

class QCloseEvent;
class QKeyEvent;
class QShowEvent;

namespace skelda {

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  // edt9: the main window's hidden field that receives the value; parent: the main window.
  TForm2(QLineEdit* edt9, QWidget* parent = nullptr);

  QLineEdit* edt1 = nullptr;  // the display
  QPushButton* btn1 = nullptr;
  QPushButton* btn2 = nullptr;
  QPushButton* btn3 = nullptr;
  QPushButton* btn4 = nullptr;
  QPushButton* btn5 = nullptr;
  QPushButton* btn6 = nullptr;
  QPushButton* btn7 = nullptr;
  QPushButton* btn8 = nullptr;
  QPushButton* btn9 = nullptr;
  QPushButton* btn10 = nullptr;  // "0"
  QPushButton* btn11 = nullptr;  // "."
  QPushButton* btn12 = nullptr;  // "EN"

  void FormCreate();
  void btn12Click();
  void FormClose();

 signals:
  // Emitted every time the window closes, by "EN" or by its close box, after the display was
  // emptied.
  void closed();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPushButton* MakeButton(const char* name, const QString& caption, int left, int top, bool blue);
  void AppendCharacter(const QString& character);
  bool KeyPressed(QObject* watched, QKeyEvent* key);

  QLineEdit* edt9_;
};

}  // namespace skelda
