#include "ui/keypad_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QKeyEvent>
#include <QPalette>

namespace skelda {
namespace {

// The outer size is 138 x 232 with a classic 4-pixel frame and a 26-pixel caption; the client
// area that is left holds the 3 x 4 grid of 41-pixel buttons under the display.
constexpr int kClientWidth = 130;
constexpr int kClientHeight = 198;
constexpr int kButtonSize = 41;
constexpr int kLargeTextPixels = 19;

QFont KeypadFont(int pixelSize) {
  QFont font(QStringLiteral("Tahoma"));
  font.setStyleHint(QFont::SansSerif);
  font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"),
                    QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
  if (pixelSize > 0) font.setPixelSize(pixelSize);
  return font;
}

void MakeTextBlue(QWidget* widget, QPalette::ColorRole role) {
  QPalette palette = widget->palette();
  palette.setColor(role, Qt::blue);
  widget->setPalette(palette);
}

}  // namespace

TForm2::TForm2(QLineEdit* edt9, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      edt9_(edt9) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(tr("Значение"));
  setFont(KeypadFont(0));
  setFixedSize(kClientWidth, kClientHeight);

  edt1 = new QLineEdit(this);
  edt1->setObjectName(QStringLiteral("edt1"));
  edt1->setGeometry(0, 0, 121, 29);
  edt1->setFrame(false);
  edt1->setFont(KeypadFont(kLargeTextPixels));
  MakeTextBlue(edt1, QPalette::Text);

  btn1 = MakeButton("btn1", QStringLiteral("1"), 0, 32, false);
  btn2 = MakeButton("btn2", QStringLiteral("2"), 40, 32, false);
  btn3 = MakeButton("btn3", QStringLiteral("3"), 80, 32, false);
  btn4 = MakeButton("btn4", QStringLiteral("4"), 0, 72, false);
  btn5 = MakeButton("btn5", QStringLiteral("5"), 40, 72, false);
  btn6 = MakeButton("btn6", QStringLiteral("6"), 80, 72, false);
  btn7 = MakeButton("btn7", QStringLiteral("7"), 0, 112, false);
  btn8 = MakeButton("btn8", QStringLiteral("8"), 40, 112, false);
  btn9 = MakeButton("btn9", QStringLiteral("9"), 80, 112, false);
  btn10 = MakeButton("btn10", QStringLiteral("0"), 40, 152, false);
  btn11 = MakeButton("btn11", QStringLiteral("."), 0, 152, true);
  btn12 = MakeButton("btn12", QStringLiteral("EN"), 80, 152, true);

  // Each button appends its own caption; "EN" hands the display over instead.
  for (QPushButton* b : {btn1, btn2, btn3, btn4, btn5, btn6, btn7, btn8, btn9, btn10, btn11}) {
    connect(b, &QPushButton::clicked, this, [this, b] { AppendCharacter(b->text()); });
  }
  connect(btn12, &QPushButton::clicked, this, &TForm2::btn12Click);

  QWidget* previous = edt1;
  edt1->installEventFilter(this);
  for (QPushButton* b :
       {btn1, btn2, btn3, btn4, btn5, btn6, btn7, btn8, btn9, btn10, btn11, btn12}) {
    setTabOrder(previous, b);
    previous = b;
    b->installEventFilter(this);
  }
  FormCreate();
}

QPushButton* TForm2::MakeButton(const char* name, const QString& caption, int left, int top,
                                bool blue) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(left, top, kButtonSize, kButtonSize);
  button->setFont(KeypadFont(kLargeTextPixels));
  button->setAutoDefault(false);
  if (blue) MakeTextBlue(button, QPalette::ButtonText);
  return button;
}

void TForm2::FormCreate() {
  edt1->clear();
}

// Always at the end of the text, wherever the caret stands.
void TForm2::AppendCharacter(const QString& character) {
  edt1->setText(edt1->text() + character);
}

void TForm2::btn12Click() {
  if (edt9_ != nullptr) edt9_->setText(edt1->text());
  close();
}

void TForm2::FormClose() {
  edt1->clear();
}

void TForm2::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  edt1->setFocus(Qt::OtherFocusReason);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && KeyPressed(watched, static_cast<QKeyEvent*>(event)))
    return true;
  return QWidget::eventFilter(watched, event);
}

// True when the key was taken. In the display, the keys that edit it are its own; on a button
// they go to the display, which takes the focus back. Other typed characters are dropped.
bool TForm2::KeyPressed(QObject* watched, QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      btn12->click();
      return true;
    case Qt::Key_Escape:
      close();
      return true;
    default:
      break;
  }
  static const QString kTyped = QStringLiteral("0123456789.-");
  const bool edits =
      key->key() == Qt::Key_Backspace || (key->text().size() == 1 && kTyped.contains(key->text()));
  if (watched == edt1) return !edits && !key->text().isEmpty() && key->text()[0].isPrint();
  if (!edits) return false;
  edt1->setFocus(Qt::OtherFocusReason);
  edt1->end(false);
  QCoreApplication::sendEvent(edt1, key);
  return true;
}

void TForm2::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) setWindowTitle(tr("Значение"));
}

void TForm2::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
  emit closed();
}

}  // namespace skelda
