// Undo and redo after each command that commits the picture, the shortcuts and the about box.
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>

#include "form1_fixture.h"

namespace skelda::testing {
namespace {

// What the user sees of the state: both pictures, the panel's texts and sliders, the modes and
// which commands are on.
struct Seen {
  Bitmap base, shown;
  QStringList texts;
  std::vector<int> numbers;
};

Seen Look(TForm1& f) {
  const Workspace& ws = f.workspace();
  Seen seen{ws.BaseBitmap, ws.ShownBitmap, {}, {ws.BwMode, ws.EffectApplied, ws.MouseTool}};
  for (QLineEdit* field : {f.edt1, f.edt4, f.edt2, f.edt5, f.edt3, f.edt6})
    seen.texts << field->text();
  for (QLabel* label : {f.lbl10, f.lbl5, f.lbl11, f.lbl12}) seen.texts << label->text();
  for (QSlider* slider : {f.trckbrTrackSeuil, f.trckbr1, f.trckbr2, f.trckbr3})
    seen.numbers.push_back(slider->value());
  for (QAction* a : {f.N17->menuAction(), f.N3->menuAction(), f.nc1, f.Serpentine1})
    seen.numbers.push_back(a->isEnabled() * 2 + a->isChecked());
  return seen;
}

void ExpectSeen(const Seen& actual, const Seen& expected) {
  EXPECT_BITMAP_EQ(actual.base, expected.base);
  EXPECT_BITMAP_EQ(actual.shown, expected.shown);
  EXPECT_EQ(actual.texts, expected.texts);
  EXPECT_EQ(actual.numbers, expected.numbers);
}

TEST_F(Form1Test, UndoAndRedoOfEveryCommittingCommand) {
  struct Row {
    const char* name;
    std::function<void()> prepare, run;
  };
  TForm1& f = *form;
  const auto none = [] {};
  const Row rows[] = {
      {"load", none, [&] { LoadThroughButton(WritePicture("b.bmp", Gradient(9, 7))); }},
      {"Оригинал", none, [&] { f.N4->trigger(); }},
      {"S width", [&] { Type(f.edt2, "4"); }, [&] { Click(f.btn5); }},
      {"S height", [&] { Type(f.edt3, "3"); }, [&] { Click(f.btn6); }},
      {"Применить", [&] { fake->okCancelAnswers.push_back(true); }, [&] { Click(f.btn4); }},
      {"scatter", none, [&] { f.N15->trigger(); }},
      {"mosaic", none, [&] { f.N18->trigger(); }},
      {"mirror", none, [&] { f.N14->trigger(); }},
      {"rotate", none, [&] { Click(f.btn21); }},
      {"invert", none, [&] { f.N8->trigger(); }},
      {"G-code", none, [&] { Click(f.btn1); }},  // the save dialog cancelled
      {"dot method", none, [&] { f.DotMethodItems[1]->trigger(); }},
      {"serpentine", none, [&] { f.Serpentine1->trigger(); }},
      {"warp", [&] { Click(f.btn13); },
       [&] {
         QTest::mousePress(&f.canvas(), Qt::LeftButton, {}, QPoint(20, 20));
         QTest::mouseMove(&f.canvas(), QPoint(30, 25));
         QTest::mouseRelease(&f.canvas(), Qt::LeftButton, {}, QPoint(30, 25));
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    LoadBoth(Gradient(40, 30));
    Click(form->btn22);  // a conversion shown, so that the base and the shown picture differ
    row.prepare();
    const Seen before = Look(*form);
    row.run();
    const Seen after = Look(*form);
    EXPECT_FALSE(form->Redo1->isEnabled());
    form->Undo1->trigger();
    ExpectSeen(Look(*form), before);
    ASSERT_TRUE(form->Redo1->isEnabled());
    form->Redo1->trigger();
    ExpectSeen(Look(*form), after);
  }
  EXPECT_TRUE(fake->errors.isEmpty()) << fake->errors.join('\n').toStdString();
}

// The keys work through the menus, "Редактировать" included while it is off: the first load
// taken back gives the start back with the picture commands off, and a new step ends the redo.
TEST_F(Form1Test, KeysUndoTheFirstLoadQuitAndShowTheAboutBox) {
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  EXPECT_FALSE(form->Undo1->isEnabled() || form->Redo1->isEnabled());
  const Seen start = Look(*form);
  LoadBoth(Gradient(40, 30));
  const Seen loaded = Look(*form);
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  ExpectSeen(Look(*form), start);
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  ExpectSeen(Look(*form), loaded);
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
  ExpectSeen(Look(*form), loaded);
  Click(form->btn25);
  EXPECT_FALSE(form->Redo1->isEnabled());

  QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);  // "No": the window stays
  EXPECT_EQ(fake->questions.last(), "Действительно хотите закрыть программу ?");
  QTest::keyClick(form.get(), Qt::Key_F1);
  ASSERT_EQ(fake->informations.size(), 1);
  EXPECT_TRUE(fake->informations[0].startsWith("Tavrilo Skelda BMP to G-code\nВерсия 1.2 ("));
  EXPECT_TRUE(fake->informations[0].contains("\nlibjpeg-turbo — "));
}

}  // namespace
}  // namespace skelda::testing
