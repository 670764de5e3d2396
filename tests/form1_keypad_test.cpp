// Keypad entries started from the main window's fields: the value arrives in the field and the
// field's follow-up runs.
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "form1_fixture.h"
#include "ui/keypad_window.h"

namespace skelda::testing {
namespace {

class KeypadEntryTest : public Form1Test {
 protected:
  void SetUp() override {
    Form1Test::SetUp();
    keypad = std::make_unique<TForm2>(form->edt9, form.get());
    form->SetKeypad(keypad.get());
  }
  void TearDown() override {
    form->SetKeypad(nullptr);
    keypad.reset();
  }

  // Clicks the field, runs the action once the keypad shows, and waits until done() holds.
  bool WhenKeypadShows(QLineEdit* field, const std::function<void()>& action,
                       const std::function<bool()>& done) {
    bool acted = false;
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      if (!keypad->isVisible() || acted) return;
      acted = true;
      action();
    });
    watcher.start();
    QTest::mouseClick(field, Qt::LeftButton);
    return QTest::qWaitFor([&] { return acted && done(); }, 5000);
  }

  // Clicks the field, presses the keypad buttons, and waits until the entry has ended.
  bool Enter(QLineEdit* field, const std::vector<QPushButton * TForm2::*>& keys) {
    return WhenKeypadShows(
        field,
        [&] {
          for (QPushButton* TForm2::*key : keys)
            QTest::mouseClick(keypad.get()->*key, Qt::LeftButton);
        },
        [&] { return !keypad->isVisible(); });
  }

  std::unique_ptr<TForm2> keypad;
};

TEST_F(KeypadEntryTest, WidthEntryStoresTheValueAndResamples) {
  LoadBoth(Gradient(640, 480));
  ASSERT_TRUE(Enter(form->edt2, {&TForm2::btn1, &TForm2::btn10, &TForm2::btn10, &TForm2::btn12}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return ws().BaseBitmap.Width() == 500; }, 5000));
  EXPECT_EQ(form->edt2->text(), "100");
  EXPECT_EQ(form->edt3->text(), "75");
  EXPECT_EQ(form->edt6->text(), "375");
  EXPECT_TRUE(form->edt9->text().isEmpty());
  EXPECT_TRUE(fake->errors.isEmpty());
}

TEST_F(KeypadEntryTest, BurnTimeEntryOnlyStoresTheValue) {
  LoadBoth(Gradient(64, 48));
  ASSERT_TRUE(Enter(form->edt7, {&TForm2::btn2, &TForm2::btn10, &TForm2::btn12}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return form->edt7->text() == "20"; }, 5000));
  EXPECT_EQ(ws().BaseBitmap.Width(), 64);
}

TEST_F(KeypadEntryTest, DotSizeEntryResamplesToTheWidthAndKeepsTheResolution) {
  LoadBoth(Gradient(640, 480));  // 128 mm wide at 0.2
  ASSERT_TRUE(Enter(form->edt1, {&TForm2::btn11, &TForm2::btn4, &TForm2::btn12}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return ws().BaseBitmap.Width() == 320; }, 5000));
  EXPECT_EQ(form->edt1->text(), ".4");
  EXPECT_EQ(form->edt2->text(), "128");
  EXPECT_EQ(form->edt4->text(), "127");
}

TEST_F(KeypadEntryTest, ABadValueReachesTheFieldAndTheFollowUpReportsIt) {
  LoadBoth(Gradient(64, 48));
  ASSERT_TRUE(Enter(
      form->edt3, {&TForm2::btn1, &TForm2::btn11, &TForm2::btn11, &TForm2::btn2, &TForm2::btn12}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !fake->errors.isEmpty(); }, 5000));
  EXPECT_EQ(form->edt3->text(), "1..2");
  ASSERT_EQ(fake->errors.size(), 1);
  EXPECT_EQ(fake->errors[0], "'1..2' is not a valid floating point value.");
  EXPECT_EQ(ws().BaseBitmap.Width(), 64);
}

TEST_F(KeypadEntryTest, ClosingTheKeypadEndsTheEntryWithoutWriting) {
  LoadBoth(Gradient(64, 48));
  ASSERT_TRUE(WhenKeypadShows(
      form->edt2,
      [&] {
        QTest::mouseClick(keypad->btn5, Qt::LeftButton);
        keypad->close();
      },
      [&] { return !keypad->isVisible(); }));
  QTest::qWait(20);
  EXPECT_EQ(form->edt2->text(), "12.8");
  EXPECT_EQ(ws().BaseBitmap.Width(), 64);
  EXPECT_TRUE(keypad->edt1->text().isEmpty());
  EXPECT_TRUE(fake->errors.isEmpty());
}

TEST_F(KeypadEntryTest, ClosingTheMainWindowEndsAWaitingEntry) {
  LoadBoth(Gradient(64, 48));
  ASSERT_TRUE(WhenKeypadShows(
      form->edt7,
      [&] {
        QTest::mouseClick(keypad->btn5, Qt::LeftButton);
        form->close();
      },
      [&] { return !form->isVisible(); }));
  QTest::qWait(20);
  EXPECT_EQ(form->edt7->text(), "1");
  EXPECT_TRUE(fake->questions.isEmpty());
}

}  // namespace
}  // namespace skelda::testing
