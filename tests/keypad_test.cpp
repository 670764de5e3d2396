#include <gtest/gtest.h>

#include <QPalette>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "ui/keypad_entry.h"
#include "ui/keypad_window.h"
#include "ui_test_app.h"

namespace skelda {
namespace {

// A stand-in for the main window: a visible window with the hidden field edt9 and the keypad.
struct KeypadFixture : ::testing::Test {
  void SetUp() override {
    main = std::make_unique<QWidget>();
    main->setGeometry(100, 100, 816, 495);
    edt9 = new QLineEdit(main.get());
    edt9->setObjectName(QStringLiteral("edt9"));
    edt9->hide();
    keypad = new TForm2(edt9, main.get());
    main->show();
  }

  // Runs one entry; `during` runs inside its wait.
  std::optional<QString> Entry(std::function<void()> during) {
    QTimer::singleShot(0, main.get(), std::move(during));
    return RunKeypadEntry(*keypad, *edt9, *main, confirmClicked);
  }

  void Press(const QString& keys) {
    for (QChar key : keys) {
      QPushButton* button = key == QLatin1Char('.') ? keypad->btn11
                            : key == QLatin1Char('0')
                                ? keypad->btn10
                                : keypad->findChild<QPushButton*>(QStringLiteral("btn") + key);
      ASSERT_NE(button, nullptr) << key.toLatin1();
      QTest::mouseClick(button, Qt::LeftButton);
    }
  }
  void PressEn() { QTest::mouseClick(keypad->btn12, Qt::LeftButton); }

  std::unique_ptr<QWidget> main;
  QLineEdit* edt9 = nullptr;
  TForm2* keypad = nullptr;
  bool confirmClicked = true;
};

TEST_F(KeypadFixture, DigitsAndEnHandTheValueOver) {
  bool shown = false;
  const auto value = Entry([&] {
    shown = keypad->isVisible();
    Press(QStringLiteral("100"));
    PressEn();
  });
  EXPECT_TRUE(shown);
  EXPECT_EQ(value, QStringLiteral("100"));
  EXPECT_FALSE(confirmClicked);
  EXPECT_TRUE(edt9->text().isEmpty());
  EXPECT_FALSE(keypad->isVisible());
  EXPECT_TRUE(keypad->edt1->text().isEmpty());
}

TEST_F(KeypadFixture, TextIsPassedUnchecked) {
  EXPECT_EQ(Entry([&] {
              Press(QStringLiteral("1..2"));
              PressEn();
            }),
            QStringLiteral("1..2"));
  EXPECT_EQ(Entry([&] {
              Press(QStringLiteral("007"));
              PressEn();
            }),
            QStringLiteral("007"));
}

TEST_F(KeypadFixture, ButtonsAppendAtTheEndWhereverTheCaretIs) {
  const auto value = Entry([&] {
    QTest::keyClicks(keypad->edt1, QStringLiteral("12"));
    keypad->edt1->setCursorPosition(0);
    Press(QStringLiteral("3"));
    PressEn();
  });
  EXPECT_EQ(value, QStringLiteral("123"));
}

TEST_F(KeypadFixture, CloseBoxEndsTheEntryWithoutAValueAndTheNextOneStartsEmpty) {
  const auto closed = Entry([&] {
    Press(QStringLiteral("56"));
    keypad->close();
  });
  EXPECT_EQ(closed, std::nullopt);
  EXPECT_TRUE(edt9->text().isEmpty());
  EXPECT_FALSE(keypad->isVisible());

  QString displayAtOpen = QStringLiteral("not looked at");
  const auto next = Entry([&] {
    displayAtOpen = keypad->edt1->text();
    Press(QStringLiteral("7"));
    PressEn();
  });
  EXPECT_EQ(displayAtOpen, QString());
  EXPECT_EQ(next, QStringLiteral("7"));
}

TEST_F(KeypadFixture, KeyboardWorksTheKeypadFromTheDisplayAndFromItsButtons) {
  EXPECT_EQ(Entry([&] {
              EXPECT_EQ(keypad->focusWidget(), keypad->edt1);
              QTest::keyClicks(keypad->edt1, QStringLiteral("1a2.-"));  // the letter is dropped
              QTest::keyClick(keypad->edt1, Qt::Key_Backspace);
              QTest::keyClick(keypad->btn9, Qt::Key_5);  // from a button: to the display's end
              QTest::keyClick(keypad->btn9, Qt::Key_Enter);
            }),
            QStringLiteral("12.5"));
  EXPECT_EQ(Entry([&] { QTest::keyClick(keypad->btn1, Qt::Key_Escape); }), std::nullopt);
}

TEST_F(KeypadFixture, EnWithAnEmptyDisplayEndsTheEntryWithoutAValue) {
  EXPECT_EQ(Entry([&] { PressEn(); }), std::nullopt);
  EXPECT_FALSE(keypad->isVisible());
  EXPECT_TRUE(edt9->text().isEmpty());
}

TEST_F(KeypadFixture, ClosingTheMainWindowEndsTheEntry) {
  EXPECT_EQ(Entry([&] {
              Press(QStringLiteral("4"));
              main->close();
            }),
            std::nullopt);
  EXPECT_FALSE(keypad->isVisible());
  EXPECT_TRUE(keypad->edt1->text().isEmpty());
}

TEST_F(KeypadFixture, DestroyingTheMainWindowEndsTheEntry) {
  QWidget* window = main.release();
  QPointer<TForm2> watched(keypad);
  QTimer::singleShot(0, [window] { delete window; });
  EXPECT_EQ(RunKeypadEntry(*keypad, *edt9, *window, confirmClicked), std::nullopt);
  EXPECT_TRUE(watched.isNull());
}

TEST_F(KeypadFixture, ConfirmDuringTheWaitLeavesTheEntryWaiting) {
  const auto value = Entry([&] {
    confirmClicked = true;  // what the confirm tool button does
    QTest::qWait(20);
    EXPECT_TRUE(keypad->isVisible());
    Press(QStringLiteral("3"));
    PressEn();
  });
  EXPECT_EQ(value, QStringLiteral("3"));
}

TEST_F(KeypadFixture, ASecondEntryTakesTheValueAndTheFirstEndsWithout) {
  std::optional<QString> second;
  const auto first = Entry([&] {
    second = Entry([&] {
      Press(QStringLiteral("42"));
      PressEn();
    });
  });
  EXPECT_EQ(second, QStringLiteral("42"));
  EXPECT_EQ(first, std::nullopt);
  EXPECT_TRUE(edt9->text().isEmpty());
}

TEST_F(KeypadFixture, KeypadIsCentredOnTheMainWindowAndOnlyRaisedWhenOpen) {
  QPoint centre;
  QPoint moved(5, 5);
  Entry([&] {
    centre = keypad->frameGeometry().center();
    keypad->move(moved);
    // A second show while open leaves it where it is.
    QTimer::singleShot(0, [&] { PressEn(); });
    RunKeypadEntry(*keypad, *edt9, *main, confirmClicked);
    moved = keypad->pos();
    keypad->close();
  });
  EXPECT_LE((centre - main->frameGeometry().center()).manhattanLength(), 2);
  EXPECT_EQ(moved, QPoint(5, 5));
}

TEST(Keypad, ControlsCaptionsAndPlaces) {
  QLineEdit edt9;
  TForm2 keypad(&edt9);
  EXPECT_EQ(keypad.windowTitle(), QStringLiteral("Значение"));
  const Qt::WindowFlags flags = keypad.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(keypad.size(), QSize(130, 198));
  EXPECT_EQ(keypad.edt1->geometry(), QRect(0, 0, 121, 29));
  EXPECT_FALSE(keypad.edt1->hasFrame());
  EXPECT_EQ(keypad.edt1->font().pixelSize(), 19);
  EXPECT_EQ(keypad.edt1->palette().color(QPalette::Text), QColor(Qt::blue));

  struct Place {
    QPushButton* button;
    const char* name;
    const char* caption;
    int left, top;
    bool blue;
  };
  const Place places[] = {
      {keypad.btn1, "btn1", "1", 0, 32, false},     {keypad.btn2, "btn2", "2", 40, 32, false},
      {keypad.btn3, "btn3", "3", 80, 32, false},    {keypad.btn4, "btn4", "4", 0, 72, false},
      {keypad.btn5, "btn5", "5", 40, 72, false},    {keypad.btn6, "btn6", "6", 80, 72, false},
      {keypad.btn7, "btn7", "7", 0, 112, false},    {keypad.btn8, "btn8", "8", 40, 112, false},
      {keypad.btn9, "btn9", "9", 80, 112, false},   {keypad.btn11, "btn11", ".", 0, 152, true},
      {keypad.btn10, "btn10", "0", 40, 152, false}, {keypad.btn12, "btn12", "EN", 80, 152, true},
  };
  for (const Place& p : places) {
    EXPECT_EQ(p.button->objectName(), QLatin1String(p.name));
    EXPECT_EQ(p.button->text(), QString::fromUtf8(p.caption)) << p.name;
    EXPECT_EQ(p.button->geometry(), QRect(p.left, p.top, 41, 41)) << p.name;
    EXPECT_EQ(p.button->font().pixelSize(), 19) << p.name;
    EXPECT_EQ(p.button->palette().color(QPalette::ButtonText) == QColor(Qt::blue), p.blue)
        << p.name;
  }

  // Tab order: the display, then btn1 to btn12 by number.
  QStringList order;
  QWidget* w = keypad.edt1;
  for (int k = 0; k < 13; ++k, w = w->nextInFocusChain()) order << w->objectName();
  EXPECT_EQ(order.join(QLatin1Char(' ')),
            QStringLiteral("edt1 btn1 btn2 btn3 btn4 btn5 btn6 btn7 btn8 btn9 btn10 btn11 btn12"));
}

}  // namespace
}  // namespace skelda
