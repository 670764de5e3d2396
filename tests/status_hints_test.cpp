#include "ui/status_hints.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolButton>

#include "ui/keypad_window.h"
#include "ui_test_app.h"

namespace skelda {
namespace {

struct HintCase {
  const char* name;
  const char* text;
};

// The texts as the window must show them, character for character.
const HintCase kToolButtons[] = {
    {"btn9", "Вписать изображение по размеру окна."},
    {"btn11", "Отобразить в масштабе 1:1."},
    {"btn21", "Повернуть изображение на 90 градусов против часовой стрелки."},
    {"btn19", "Повернуть изображение на 90 градусов по часовой стрелке."},
    {"btn24", "Отзеркалить по вертикали."},
    {"btn25", "Отзеркалить по горизонтали."},
    {"btn17", "Оригинальное изображение."},
    {"btn18", "Точками."},
    {"btn22", "Черно-белое."},
    {"btn20", "Инвертировать изображение."},
    {"btn12", "Подтвердить изменения."},
    {"btn8", "Сохранить управляющую программу в формате G-code *.nc (Tavrilo)"},
    {"btn7", "Открыть файл изображения (*.jpg/ *.bmp)"},
};
const HintCase kFields[] = {
    {"edt1", "Размер одной точки в мм."},
    {"edt4", "Размер точки в DPI (кол-во точек на дюйм)"},
    {"edt5", "Размер изображения в точках по оси X"},
    {"edt2", "Размер изображения в миллиметрах по оси X"},
    {"edt6", "Размер изображения в точках по оси Y"},
    {"edt3", "Размер изображения в миллиметрах по оси Y"},
    {"edt7",
     "В точечном режиме этот параметр задает время прожига. В линейном, задержку перед "
     "перемещением после включения лазера."},
    {"edt8", "Скорость прожига в мм\\мин в линейном режиме."},
};

// A window laid out like the main one: a panel of fields with a label and a panel button, a
// tool bar of buttons with a gap, a status bar, and the keypad as a child window.
struct HintsFixture : ::testing::Test {
  void SetUp() override {
    form.setGeometry(50, 50, 816, 495);
    pnl1 = Child<QFrame>(&form, "pnl1", QRect(606, 0, 210, 418));
    int top = 4;
    for (const HintCase& c : kFields) {
      Child<QLineEdit>(pnl1, c.name, QRect(16, top, 41, 19));
      top += 30;
    }
    pnl1->findChild<QLineEdit*>(QStringLiteral("edt5"))->setEnabled(false);
    pnl1->findChild<QLineEdit*>(QStringLiteral("edt6"))->setEnabled(false);
    lbl1 = Child<QLabel>(pnl1, "lbl1", QRect(100, 4, 80, 16));
    lbl1->setText(QStringLiteral("Размер точки"));
    Child<QPushButton>(pnl1, "btn5", QRect(100, 40, 17, 19));
    tlb1 = Child<QFrame>(&form, "tlb1", QRect(0, 418, 816, 58));
    int left = 8;
    for (const HintCase& c : kToolButtons) {
      Child<QToolButton>(tlb1, c.name, QRect(left, 2, 55, 54));
      left += 55;
    }
    Child<QToolButton>(tlb1, "btn13", QRect(left, 2, 55, 54));
    stat1 = Child<QStatusBar>(&form, "stat1", QRect(0, 476, 816, 19));
    keypadField = new QLineEdit(&form);
    keypadField->hide();
    keypad = new TForm2(keypadField, &form);
    InstallStatusHints(form, *stat1);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }

  template <class W>
  W* Child(QWidget* parent, const char* name, const QRect& geometry) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(geometry);
    return w;
  }

  QWidget* Named(const char* name) { return form.findChild<QWidget*>(QString::fromLatin1(name)); }

  // A mouse move through the window system, so that Qt picks the widget under the pointer.
  void MoveOver(QWidget* widget, QPoint at = QPoint(-1, -1)) {
    ASSERT_NE(widget, nullptr);
    if (at == QPoint(-1, -1)) at = widget->rect().center();
    QWidget* window = widget->window();
    QTest::mouseMove(window->windowHandle(), widget->mapTo(window, at));
    QCoreApplication::processEvents();
  }

  QString Shown() const { return stat1->currentMessage(); }

  QWidget form;
  QFrame* pnl1 = nullptr;
  QFrame* tlb1 = nullptr;
  QStatusBar* stat1 = nullptr;
  QLabel* lbl1 = nullptr;
  QLineEdit* keypadField = nullptr;
  TForm2* keypad = nullptr;
};

TEST_F(HintsFixture, EachControlShowsItsText) {
  for (const HintCase& c : kToolButtons) {
    MoveOver(Named(c.name));
    EXPECT_EQ(Shown(), QString::fromUtf8(c.text)) << c.name;
    EXPECT_EQ(HintFor(QString::fromLatin1(c.name)), QString::fromUtf8(c.text)) << c.name;
  }
  // edt5 and edt6 are disabled: the panel finds them under the pointer.
  for (const HintCase& c : kFields) {
    MoveOver(tlb1, QPoint(800, 30));  // a neutral place first
    MoveOver(Named(c.name));
    EXPECT_EQ(Shown(), QString::fromUtf8(c.text)) << c.name;
    EXPECT_EQ(HintFor(QString::fromLatin1(c.name)), QString::fromUtf8(c.text)) << c.name;
  }
}

TEST_F(HintsFixture, FeedFieldShowsItsTextEnabledOrNot) {
  QWidget* edt8 = Named("edt8");
  for (bool enabled : {false, true, false}) {
    edt8->setEnabled(enabled);
    MoveOver(pnl1, QPoint(150, 300));
    EXPECT_EQ(Shown(), QString());
    MoveOver(edt8, QPoint(5 + enabled, 5));
    EXPECT_EQ(Shown(), QString::fromUtf8(kFields[7].text)) << enabled;
  }
}

TEST_F(HintsFixture, NeutralSurfacesClearAndOtherControlsKeepTheText) {
  MoveOver(Named("edt1"));
  MoveOver(lbl1);
  EXPECT_EQ(Shown(), QString::fromUtf8(kFields[0].text)) << "a label keeps the text";
  MoveOver(Named("btn5"));
  EXPECT_EQ(Shown(), QString::fromUtf8(kFields[0].text)) << "a panel button keeps the text";
  MoveOver(pnl1, QPoint(150, 300));
  EXPECT_EQ(Shown(), QString()) << "the panel's background clears";

  MoveOver(Named("btn20"));
  MoveOver(Named("btn13"));
  EXPECT_EQ(Shown(), QStringLiteral("Инвертировать изображение."));
  MoveOver(tlb1, QPoint(810, 30));
  EXPECT_EQ(Shown(), QString()) << "the tool bar's background clears";

  MoveOver(Named("btn7"));
  MoveOver(stat1, QPoint(300, 9));
  EXPECT_EQ(Shown(), QString()) << "the status bar clears";
}

TEST_F(HintsFixture, KeypadControlsOfTheSameNamesHaveNoHints) {
  MoveOver(Named("btn22"));
  keypad->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(keypad));
  MoveOver(keypad->btn9);
  MoveOver(keypad->edt1);
  EXPECT_EQ(Shown(), QStringLiteral("Черно-белое."));
}

TEST(StatusHints, MenuStatusTipsLeaveTheTextAlone) {
  QMainWindow form1;
  auto* stat1 = new QStatusBar(&form1);
  stat1->setObjectName(QStringLiteral("stat1"));
  form1.setStatusBar(stat1);
  QMenuBar* menu = form1.menuBar();
  InstallStatusHints(form1, *stat1);
  stat1->showMessage(QStringLiteral("Точками."));
  QStatusTipEvent tip{QString()};  // what a hovered menu item sends
  QCoreApplication::sendEvent(menu, &tip);
  EXPECT_EQ(stat1->currentMessage(), QStringLiteral("Точками."));
  // The items of "Другие методы" carry their hints as status tips.
  QStatusTipEvent serpentine{HintFor(QStringLiteral("Serpentine1"))};
  QCoreApplication::sendEvent(menu, &serpentine);
  EXPECT_EQ(stat1->currentMessage(),
            QStringLiteral("Методы с рассеянием ошибки проходят каждую вторую строку справа "
                           "налево."));
  QCoreApplication::sendEvent(menu, &tip);
  EXPECT_EQ(stat1->currentMessage(), serpentine.tip());
}

TEST(StatusHints, ControlsWithoutAHintGetNone) {
  for (const char* name : {"btn13", "btn5", "btn1", "lbl1", "pnl1", "chk1", "trckbr1", ""})
    EXPECT_EQ(HintFor(QString::fromLatin1(name)), QString()) << name;
}

}  // namespace
}  // namespace skelda
