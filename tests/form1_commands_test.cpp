// The picture commands of the main window driven through their menu items, panel buttons, tool
// buttons and sliders: each runs its command's steps on the Workspace and shows the result.
#include <QCheckBox>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <functional>

#include "form1_fixture.h"
#include "processing/processing_commands.h"
#include "ui/halftone_dialog.h"
#include "ui/machine_dialog.h"
#include "ui/machine_settings.h"
#include "ui/test_grid_dialog.h"

namespace skelda::testing {
namespace {

Color Grey(int v) {
  return Color(v | (v << 8) | (v << 16));
}

// Grey values whose threshold results are easy to work by hand (grey v has gray value v).
Bitmap Greys() {
  const int values[2][4] = {{0, 127, 128, 255}, {200, 100, 50, 255}};
  return MakePicture(4, 2, PixelFormat::Bit32, [&](int x, int y) { return Grey(values[y][x]); });
}

// Black where the grey is below t, white elsewhere.
Bitmap Thresholded(int t) {
  const int values[2][4] = {{0, 127, 128, 255}, {200, 100, 50, 255}};
  return MakePicture(4, 2, PixelFormat::Bit32,
                     [&](int x, int y) { return values[y][x] >= t ? Grey(255) : Grey(0); });
}

QString ReadText(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<missing>");
  return QString::fromLatin1(file.readAll());
}

// ---- Threshold slider ----

TEST_F(Form1Test, ThresholdSliderOnlyRelabelsBeforeAConversion) {
  LoadBoth(Greys());
  struct Row {
    int position;
    const char* label;
  };
  for (const Row& r :
       {Row{3, "Черно-белое 1%"}, Row{2, "Черно-белое 0%"}, Row{255, "Черно-белое 99%"},
        Row{256, "Черно-белое 100%"}, Row{128, "Черно-белое 50%"}}) {
    form->trckbrTrackSeuil->setValue(r.position);
    EXPECT_EQ(form->lbl10->text(), r.label);
    EXPECT_BITMAP_EQ(ws().ShownBitmap, Greys());
  }
}

TEST_F(Form1Test, ThresholdSliderRerunsTheConversionAfterBlackAndWhite) {
  LoadBoth(Greys());
  form->trckbrTrackSeuil->setValue(100);
  Click(form->btn2);
  EXPECT_EQ(ws().BwMode, kBwModeThreshold);
  EXPECT_BITMAP_EQ(ws().ShownBitmap, Thresholded(100));
  for (int t : {128, 0, 256, 201}) {
    form->trckbrTrackSeuil->setValue(t);
    EXPECT_BITMAP_EQ(ws().ShownBitmap, Thresholded(t)) << "t = " << t;
  }
  EXPECT_EQ(form->lbl10->text(), "Черно-белое 78%");
  EXPECT_BITMAP_EQ(ws().BaseBitmap, Greys());
}

// The screen's dialog refuses a bad field and remembers what it accepted; the threshold slider
// then changes nothing, not even its label.
TEST_F(Form1Test, HalftoneScreenFromItsDialogLeavesTheThresholdSliderInert) {
  LoadBoth(Gradient(50, 40));
  Type(form->edt1, "0.1");
  for (const char* cells : {"300", "30", ""}) {
    QTimer::singleShot(0, [cells] {
      auto* dialog = qobject_cast<HalftoneDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      if (*cells == 0) {  // opened again
        EXPECT_EQ(dialog->edtCellsPerInch->text() + " " + dialog->edtScreenAngle->text(), "30 15");
        return dialog->reject();
      }
      dialog->edtCellsPerInch->setText(cells);
      dialog->edtScreenAngle->setText("15");
      dialog->OkClick();
      if (dialog->isVisible()) dialog->reject();
    });
    form->findChild<QAction*>("DotHalftone1")->trigger();
  }
  EXPECT_EQ(fake->errors, QStringList{"The screen takes 5 to 200 cells per inch, not 300."});
  Workspace expected;
  expected.StartUp(Gradient(50, 40));
  HalftoneCommand(expected, {30, 15}, 0.1);
  const QString label = form->lbl10->text();
  form->trckbrTrackSeuil->setValue(17);
  EXPECT_EQ(form->lbl10->text(), label);
  EXPECT_BITMAP_EQ(ws().ShownBitmap, expected.ShownBitmap);
}

TEST_F(Form1Test, ThresholdSliderAfterDotsRelabelsAndKeepsTheDots) {
  LoadBoth(Gradient(50, 40));
  Click(form->btn3);
  const Bitmap dots = ws().ShownBitmap;
  form->trckbrTrackSeuil->setValue(30);
  EXPECT_EQ(form->lbl10->text(), "Черно-белое 11%");
  EXPECT_EQ(ws().ShownBitmap, dots);
}

// ---- Tone sliders ----

TEST_F(Form1Test, BrightnessSliderShowsTheFilterAndItsLabel) {
  LoadBoth(Greys());
  form->trckbr2->setValue(100);
  EXPECT_EQ(form->lbl11->text(), "Яркость 50%");
  const int brightened[2][4] = {{100, 227, 228, 255}, {255, 200, 150, 255}};
  EXPECT_BITMAP_EQ(ws().ShownBitmap, MakePicture(4, 2, PixelFormat::Bit32, [&](int x, int y) {
                     return Grey(brightened[y][x]);
                   }));
  EXPECT_EQ(ws().ShownBitmap.Format(), PixelFormat::Bit32);
  EXPECT_BITMAP_EQ(ws().BaseBitmap, Greys());

  form->trckbr2->setValue(-200);
  EXPECT_EQ(form->lbl11->text(), "Яркость -100%");
  const int darkened[2][4] = {{0, 0, 0, 55}, {0, 0, 0, 55}};
  EXPECT_BITMAP_EQ(ws().ShownBitmap, MakePicture(4, 2, PixelFormat::Bit32, [&](int x, int y) {
                     return Grey(darkened[y][x]);
                   }));
}

TEST_F(Form1Test, ToneSlidersAreInertWhileABlackAndWhiteResultIsShown) {
  LoadBoth(Gradient(30, 20));
  form->trckbr1->setValue(20);
  EXPECT_EQ(form->lbl5->text(), "Резкость 20%");

  Click(form->btn3);  // dots: EffectApplied
  const Bitmap dots = ws().ShownBitmap;
  for (QSlider* slider : {form->trckbr1, form->trckbr2, form->trckbr3}) slider->setValue(-40);
  EXPECT_EQ(form->lbl5->text(), "Резкость 20%");
  EXPECT_EQ(form->lbl11->text(), "Яркость 0%");
  EXPECT_EQ(form->lbl12->text(), "Контрастность 0%");
  EXPECT_EQ(ws().ShownBitmap, dots);

  // "Оригинал" clears EffectApplied: the sliders work again.
  Click(form->btn17);
  form->trckbr3->setValue(10);
  EXPECT_EQ(form->lbl12->text(), "Контрастность 10%");

  Click(form->btn2);  // threshold: BwMode 1 makes them inert again
  const Bitmap bw = ws().ShownBitmap;
  form->trckbr3->setValue(50);
  EXPECT_EQ(form->lbl12->text(), "Контрастность 10%");
  EXPECT_EQ(ws().ShownBitmap, bw);
}

TEST_F(Form1Test, LoadResetsSharpnessAndBrightnessWithTheModeOfThePictureBefore) {
  LoadBoth(Gradient(30, 20));
  form->trckbr1->setValue(30);
  form->trckbr2->setValue(60);
  form->trckbr3->setValue(15);
  Click(form->btn2);  // BwMode 1: the reset runs inert and the labels stay
  LoadBoth(Gradient(31, 21), "second.bmp");
  EXPECT_EQ(form->trckbr1->value(), 0);
  EXPECT_EQ(form->trckbr2->value(), 0);
  EXPECT_EQ(form->trckbr3->value(), 15);
  EXPECT_EQ(form->lbl5->text(), "Резкость 30%");
  EXPECT_EQ(form->lbl11->text(), "Яркость 30%");
  EXPECT_EQ(ws().BwMode, kBwModeNone);
  EXPECT_BITMAP_EQ(ws().ShownBitmap, Gradient(31, 21));

  // With BwMode 0 the reset rewrites the labels.
  form->trckbr1->setValue(30);
  form->trckbr2->setValue(60);
  LoadBoth(Gradient(32, 22), "third.bmp");
  EXPECT_EQ(form->lbl5->text(), "Резкость 0%");
  EXPECT_EQ(form->lbl11->text(), "Яркость 0%");
  EXPECT_BITMAP_EQ(ws().ShownBitmap, Gradient(32, 22));
}

// ---- Apply ----

TEST_F(Form1Test, ApplyWithOkCommitsAndResetsTheSliders) {
  LoadBoth(Greys());
  Click(form->btn13);
  form->trckbr2->setValue(100);
  form->trckbr3->setValue(5);  // shows contrast alone: brightness is not in the shown picture
  form->trckbr3->setValue(0);
  form->trckbr2->setValue(100);
  const Bitmap shown = ws().ShownBitmap;
  fake->okCancelAnswers.push_back(true);
  Click(form->btn4);
  ASSERT_EQ(fake->questions.size(), 1);
  EXPECT_EQ(fake->questions[0], "Вы дейсвительно хотите применить текушие параметры ?");
  EXPECT_EQ(ws().BaseBitmap, shown);
  EXPECT_EQ(ws().ShownBitmap, shown);
  EXPECT_EQ(form->trckbr2->value(), 0);
  EXPECT_EQ(form->lbl11->text(), "Яркость 0%");
  EXPECT_EQ(ws().MouseTool, kMouseToolOff);
}

TEST_F(Form1Test, ApplyWithCancelChangesNothingButTheMouseTool) {
  LoadBoth(Greys());
  Click(form->btn13);
  form->trckbr2->setValue(100);
  const Bitmap shown = ws().ShownBitmap;
  Click(form->btn4);  // no answer: Cancel
  EXPECT_EQ(fake->questions.size(), 1);
  EXPECT_BITMAP_EQ(ws().BaseBitmap, Greys());
  EXPECT_EQ(ws().ShownBitmap, shown);
  EXPECT_EQ(form->trckbr2->value(), 100);
  EXPECT_EQ(ws().MouseTool, kMouseToolOff);
}

TEST_F(Form1Test, ConfirmToolButtonSetsTheFlagAndApplies) {
  LoadBoth(Greys());
  Click(form->btn2);
  fake->okCancelAnswers.push_back(true);
  Click(form->btn12);
  EXPECT_TRUE(ws().ConfirmClicked);
  EXPECT_BITMAP_EQ(ws().BaseBitmap, Thresholded(128));
}

// ---- Effects and geometry, each from every control that runs it ----

struct CommandRow {
  const char* name;
  std::function<void(TForm1&)> trigger;
  std::function<void(Workspace&)> reference;
};

void PrintTo(const CommandRow& row, std::ostream* os) {
  *os << row.name;
}

class CommandTest : public Form1Test, public ::testing::WithParamInterface<CommandRow> {};

TEST_P(CommandTest, RunsTheCommandOnTheWorkspaceAndShowsIt) {
  LoadBoth(Gradient(37, 23));
  GetParam().trigger(*form);
  GetParam().reference(ref);
  EXPECT_TRUE(fake->errors.isEmpty()) << fake->errors.join(" | ").toStdString();
  EXPECT_EQ(ws().ShownBitmap, ref.ShownBitmap);
  EXPECT_EQ(ws().BaseBitmap, ref.BaseBitmap);
  EXPECT_EQ(ws().EffectApplied, ref.EffectApplied);
  EXPECT_EQ(ws().BwMode, ref.BwMode);
  EXPECT_EQ(ws().PictureWidth, ref.PictureWidth);
  // The picture area shows the result.
  const QImage shown = form->canvas().grab().toImage();
  const Color c = ws().ShownBitmap.PixelColor(5, 6);
  EXPECT_EQ(shown.pixel(5, 6) & 0xFFFFFF,
            qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF) & 0xFFFFFF);
}

auto Menu(QAction* TForm1::*item) {
  return [item](TForm1& f) { (f.*item)->trigger(); };
}
template <class Button>
auto Press(Button* TForm1::*button) {
  return [button](TForm1& f) { QTest::mouseClick(f.*button, Qt::LeftButton); };
}

void Dither(Workspace& ws) {
  DitherCommand(ws);
}
void Threshold128(Workspace& ws) {
  ThresholdCommand(ws, 128);
}

INSTANTIATE_TEST_SUITE_P(
    EveryControl, CommandTest,
    ::testing::Values(
        CommandRow{"N5", Menu(&TForm1::N5), Dither},
        CommandRow{"btn3", Press(&TForm1::btn3), Dither},
        CommandRow{"btn18", Press(&TForm1::btn18), Dither},
        CommandRow{"btn2", Press(&TForm1::btn2), Threshold128},
        CommandRow{"btn22", Press(&TForm1::btn22), Threshold128},
        CommandRow{"N9", Menu(&TForm1::N9),
                   [](Workspace& ws) {
                     ws.EffectApplied = true;
                     ThresholdCommand(ws, 128);
                   }},
        CommandRow{"N6", Menu(&TForm1::N6), RandomThresholdCommand},
        CommandRow{"N7", Menu(&TForm1::N7), RandomDitherCommand},
        CommandRow{"N11", Menu(&TForm1::N11), [](Workspace& ws) { CrossCommand(ws, 1); }},
        CommandRow{"N21", Menu(&TForm1::N21), [](Workspace& ws) { CrossCommand(ws, 2); }},
        CommandRow{"N31", Menu(&TForm1::N31), [](Workspace& ws) { CrossCommand(ws, 3); }},
        CommandRow{"N41", Menu(&TForm1::N41), [](Workspace& ws) { CrossCommand(ws, 4); }},
        CommandRow{"N18", Menu(&TForm1::N18), MosaicCommand},
        CommandRow{"DotJarvis1", [](TForm1& f) { f.DotMethodItems[1]->trigger(); },
                   [](Workspace& ws) { DotMethodCommand(ws, DotMethod::JarvisJudiceNinke); }},
        CommandRow{"DotBayer1", [](TForm1& f) { f.DotMethodItems[7]->trigger(); },
                   [](Workspace& ws) { DotMethodCommand(ws, DotMethod::Bayer8); }},
        CommandRow{"Serpentine1",
                   [](TForm1& f) {
                     f.DotMethodItems[6]->trigger();
                     f.Serpentine1->trigger();
                   },
                   [](Workspace& ws) {
                     DotMethodCommand(ws, DotMethod::SierraLite);
                     SerpentineCommand(ws, true);
                   }},
        CommandRow{"N13", Menu(&TForm1::N13), [](Workspace& ws) { MirrorCommand(ws, true); }},
        CommandRow{"btn25", Press(&TForm1::btn25), [](Workspace& ws) { MirrorCommand(ws, true); }},
        CommandRow{"N14", Menu(&TForm1::N14), [](Workspace& ws) { MirrorCommand(ws, false); }},
        CommandRow{"btn24", Press(&TForm1::btn24), [](Workspace& ws) { MirrorCommand(ws, false); }},
        CommandRow{"N901", Menu(&TForm1::N901), [](Workspace& ws) { RotateCommand(ws, 90.0); }},
        CommandRow{"btn19", Press(&TForm1::btn19), [](Workspace& ws) { RotateCommand(ws, 90.0); }},
        CommandRow{"btn21", Press(&TForm1::btn21), [](Workspace& ws) { RotateCommand(ws, -90.0); }},
        CommandRow{"N8", Menu(&TForm1::N8), InvertCommand},
        CommandRow{"btn20", Press(&TForm1::btn20), InvertCommand}),
    [](const ::testing::TestParamInfo<CommandRow>& info) { return std::string(info.param.name); });

TEST_F(Form1Test, MirrorAndCounterClockwiseTurnByHand) {
  const Bitmap picture = Gradient(5, 3);
  LoadBoth(picture);
  form->N13->trigger();
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(ws().ShownBitmap.PixelColor(x, y) & 0xFFFFFF, picture.PixelColor(4 - x, y));

  LoadBoth(picture, "again.bmp");
  Click(form->btn21);
  ASSERT_EQ(ws().ShownBitmap.Width(), 3);
  ASSERT_EQ(ws().ShownBitmap.Height(), 5);
  // An exact quarter turn counter-clockwise: row r holds source column 4 - r, read from the
  // source's top to bottom as left to right.
  for (int r = 0; r < 5; ++r)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(ws().ShownBitmap.PixelColor(x, r) & 0xFFFFFF, picture.PixelColor(4 - r, x));
}

TEST_F(Form1Test, TextureScattersCommitTheirResult) {
  for (QAction* TForm1::*item : {&TForm1::N15, &TForm1::N16}) {
    LoadBoth(Gradient(40, 30));
    Click(form->btn2);
    (form.get()->*item)->trigger();
    EXPECT_EQ(ws().ShownBitmap, ws().BaseBitmap);
    EXPECT_EQ(ws().ShownBitmap.Width(), 40);
    EXPECT_EQ(ws().BwMode, kBwModeThreshold);
    EXPECT_NE(ws().ShownBitmap, Gradient(40, 30));
  }
  EXPECT_TRUE(fake->errors.isEmpty());
}

TEST_F(Form1Test, OneToOneShowsTheBasePictureAgain) {
  LoadBoth(Gradient(30, 20));
  Click(form->btn2);
  Click(form->btn11);
  EXPECT_EQ(ws().ShownBitmap, ws().BaseBitmap);
  EXPECT_BITMAP_EQ(ws().ShownBitmap, Gradient(30, 20));
}

// ---- G-code ----

// 4 x 2: the bottom row black, white, white, white; the top row white.
Bitmap GcodeExample() {
  return MakePicture(4, 2, PixelFormat::Bit32,
                     [](int x, int y) { return y == 1 && x == 0 ? Grey(0) : Grey(255); });
}

struct GcodeRow {
  const char* name;
  std::function<void(TForm1&)> trigger;
};
void PrintTo(const GcodeRow& row, std::ostream* os) {
  *os << row.name;
}

class GcodeTest : public Form1Test, public ::testing::WithParamInterface<GcodeRow> {};

TEST_P(GcodeTest, LineModeWritesTheProgramAndReports) {
  LoadBoth(GcodeExample());
  Type(form->edt1, "0.5");
  Click(form->chk1);
  fake->saveGcodeAnswers.push_back(QString::fromStdString(Path("prog")));
  GetParam().trigger(*form);
  ASSERT_TRUE(fake->errors.isEmpty()) << fake->errors.join(" | ").toStdString();
  EXPECT_EQ(ReadText(Path("prog.nc")),
            "%\r\nG90\r\nG0X0Y0\r\nG1F300\r\nG0X0\r\nM3\r\nG1X0.5\r\nM5\r\nM5\r\nG0Y0.5\r\n"
            "G0Y1\r\nM5\r\nG0X0Y0\r\nM2\r\n%\r\n");
  ASSERT_EQ(fake->informations.size(), 1);
  static const QRegularExpression report(QStringLiteral(
      "^Программа prog\\.nc успешно создана !\\r\\nВремя создания программы: (менее 1|[1-9][0-9]*)"
      "мс\\. \\(1000мс=1сек\\.\\)\\r\\nКол-во черных линий: 2шт\\.$"));
  EXPECT_TRUE(report.match(fake->informations[0]).hasMatch())
      << fake->informations[0].toStdString();
}

TEST_P(GcodeTest, DotModeWritesTheProgramAndReports) {
  LoadBoth(GcodeExample());
  Type(form->edt1, "0.5");
  Type(form->edt7, "20");
  fake->saveGcodeAnswers.push_back(QString::fromStdString(Path("dots.nc")));
  GetParam().trigger(*form);
  ASSERT_TRUE(fake->errors.isEmpty()) << fake->errors.join(" | ").toStdString();
  EXPECT_EQ(ReadText(Path("dots.nc.nc")),
            "%\r\nG0X0Y0\r\nG5P20\r\nM40\r\nX0\r\nY0.5\r\nY1\r\nX0Y0\r\nM2\r\n%\r\n");
  ASSERT_EQ(fake->informations.size(), 1);
  EXPECT_TRUE(fake->informations[0].startsWith("Программа dots.nc.nc успешно создана !\r\n"));
  EXPECT_TRUE(fake->informations[0].endsWith("\r\nКол-во черных точек: 1шт."));
}

INSTANTIATE_TEST_SUITE_P(EveryControl, GcodeTest,
                         ::testing::Values(GcodeRow{"btn1", Press(&TForm1::btn1)},
                                           GcodeRow{"nc1", Menu(&TForm1::nc1)},
                                           GcodeRow{"btn8", Press(&TForm1::btn8)}),
                         [](const ::testing::TestParamInfo<GcodeRow>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(Form1Test, GcodeCancelledStillCommitsTheShownPicture) {
  LoadBoth(Greys());
  Click(form->btn2);
  Click(form->btn1);
  EXPECT_EQ(fake->saveGcodeAsked, 1);
  EXPECT_TRUE(fake->informations.isEmpty());
  EXPECT_TRUE(fake->errors.isEmpty());
  EXPECT_BITMAP_EQ(ws().BaseBitmap, Thresholded(128));
}

TEST_F(Form1Test, GcodeRefusesABadFeedBeforeTheDialog) {
  LoadBoth(Greys());
  Click(form->chk1);
  Type(form->edt8, "3x");
  fake->saveGcodeAnswers.push_back(QString::fromStdString(Path("never")));
  Click(form->btn1);
  ASSERT_EQ(fake->errors.size(), 1);
  EXPECT_EQ(fake->errors[0], "'3x' is not a valid integer value.");
  EXPECT_EQ(fake->saveGcodeAsked, 0);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("never.nc"))));
}

TEST_F(Form1Test, GcodeToolButtonWorksOnTheStartPicture) {
  fake->saveGcodeAnswers.push_back(QString::fromStdString(Path("logo")));
  Click(form->btn8);
  ASSERT_TRUE(fake->errors.isEmpty()) << fake->errors.join(" | ").toStdString();
  EXPECT_TRUE(ReadText(Path("logo.nc")).startsWith("%\r\nG0X0Y0\r\nG5P1\r\nM40\r\n"));
  ASSERT_EQ(fake->informations.size(), 1);
  EXPECT_TRUE(fake->informations[0].contains("Кол-во черных точек: "));
}

// ---- Busy cursor ----

// Long commands run under the busy cursor, which draws the window again first: after a save
// dialog, before the file is written. No dialog or box shows under it.
TEST_F(Form1Test, LongCommandsRunUnderTheBusyCursorAndNoDialogDoes) {
  struct BusyPaints : QObject {
    int count = 0;
    bool writtenFirst = false;
    QString target;
    bool eventFilter(QObject*, QEvent* event) override {
      const QCursor* cursor = QGuiApplication::overrideCursor();
      if (event->type() == QEvent::Paint && cursor && cursor->shape() == Qt::WaitCursor &&
          count++ == 0)
        writtenFirst = QFile::exists(target);
      return false;
    }
  } paints;
  form->canvas().installEventFilter(&paints);
  LoadBoth(Gradient(60, 40));
  Click(form->btn3);
  EXPECT_GE(paints.count, 2);  // the load and "Точками"
  for (auto [name, item] : {std::pair{"busy.bmp", form->N12}, std::pair{"busy.nc", form->nc1}}) {
    paints.count = 0;
    paints.target = QString::fromStdString(Path(name));
    fake->savePictureAnswers = fake->saveGcodeAnswers = {QString::fromStdString(Path("busy"))};
    form->canvas().update();  // as after a dialog that covered it
    item->trigger();
    EXPECT_TRUE(paints.count > 0 && !paints.writtenFirst && QFile::exists(paints.target)) << name;
  }
  LoadThroughButton(Path("missing.bmp"));  // the error box
  EXPECT_EQ(fake->askedWhileBusy, 0);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(Form1Test, GrblMachineIsChosenRememberedAndWrites) {
  EXPECT_TRUE(form->N51->isChecked());
  form->N52->trigger();
  LoadBoth(GcodeExample());
  Type(form->edt1, "0.5");
  Click(form->chk1);
  fake->saveGcodeAnswers.push_back(QString::fromStdString(Path("grbl")));
  Click(form->btn1);
  ASSERT_TRUE(fake->errors.isEmpty()) << fake->errors.join(" | ").toStdString();
  EXPECT_EQ(ReadText(Path("grbl.nc")),
            "G21\nG90\nM5\nM4 S0\nG1 F300\nG0X0Y0\nG1X0.5S1000\nM5\nG0 X0 Y0\nM2\n");
  ASSERT_EQ(fake->informations.size(), 1);
  EXPECT_TRUE(fake->informations[0].endsWith("\r\nКол-во черных линий: 1шт."));
  EXPECT_EQ(form->stat1->currentMessage(), "Программа GRBL: X от 0 до 0.5 мм");
  TForm1 next(std::make_unique<ScriptedDialogs>());
  EXPECT_TRUE(next.N52->isChecked());
}

// The preview shows the program's burn picture in place of the picture until the next command,
// changes neither bitmap, and puts the job time in the status bar.
TEST_F(Form1Test, BurnPreviewShowsWhatTheProgramBurnsAndTheJobTime) {
  LoadBoth(GcodeExample());
  Type(form->edt1, "0.5");
  Click(form->chk1);
  form->N56->trigger();
  ASSERT_TRUE(fake->errors.isEmpty()) << fake->errors.join(" | ").toStdString();
  EXPECT_BITMAP_EQ(*form->canvas().ShownBitmap(), GcodeExample());
  EXPECT_NE(form->canvas().ShownBitmap(), &ws().ShownBitmap);
  EXPECT_BITMAP_EQ(ws().ShownBitmap, GcodeExample());
  EXPECT_EQ(form->stat1->currentMessage(), "Время работы: 0:00:00");
  form->btn9->click();
  EXPECT_EQ(form->canvas().ShownBitmap(), &ws().ShownBitmap);
}

TEST_F(Form1Test, MachineDialogRefusesLikeThePanelAndKeepsWhatItAccepts) {
  MachineDialog dialog(*fake, MachineProfile{}, form.get());
  EXPECT_EQ(dialog.edtPower->text(), "1000");
  dialog.edtPower->setText("1e3x");
  dialog.OkClick();
  EXPECT_EQ(fake->errors, QStringList{"'1e3x' is not a valid integer value."});
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  dialog.edtPower->setText("255");
  dialog.edtOverscan->setText("2.5");
  dialog.chkOneWay->setChecked(true);
  dialog.edtAccel->setText("0");
  dialog.OkClick();
  EXPECT_EQ(fake->errors.last(), "The acceleration 0 must be above 0 and below 10^9.");
  dialog.edtAccel->setText("2500");
  EXPECT_EQ(dialog.edtLevels->text(), "256");
  dialog.edtLevels->setText("300");
  dialog.OkClick();
  EXPECT_EQ(fake->errors.last(), "The power levels 300 are outside 2 .. 256.");
  dialog.edtLevels->setText("16");
  dialog.edtRapidGap->setText("1.5");
  dialog.edtBaud->setText("9600");
  dialog.edtGamma->setText("2.2");
  EXPECT_FALSE(dialog.edtLineInterval->isEnabled());  // the classic rows are one dot apart
  dialog.OkClick();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Motion().acceleration[1], 2500);
  EXPECT_EQ(dialog.Motion().baud, 9600);
  EXPECT_EQ(dialog.Profile(),
            (MachineProfile{Machine::Classic, 255, 0, 2.5, true, 0, false, 16, 1.5, 2.2}));
}

// With the GRBL machine the size fields count rows the line interval apart, "S" resamples to
// them; the classic machine's rows are one dot apart again.
TEST_F(Form1Test, TheLineIntervalSetsTheRowsOfTheSizeFields) {
  LoadBoth(Gradient(640, 480));
  form->N52->trigger();
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<MachineDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->edtLineInterval->setText("0.4");
    dialog->OkClick();
  });
  form->N53->trigger();
  EXPECT_EQ(form->edt3->text(), "192");  // 480 rows × 0.4
  Type(form->edt2, "64");
  Click(form->btn5);  // 320 columns, 48 mm high: 120 rows
  EXPECT_EQ(form->edt6->text(), "120");
  EXPECT_EQ(form->edt3->text(), "48");
  form->N51->trigger();
  EXPECT_EQ(form->edt3->text(), "24");
  EXPECT_EQ(LoadMachineProfile().lineIntervalMm, 0.4);
}

TEST_F(Form1Test, FrameAndTestGridAreWrittenFromTheMachineMenu) {
  LoadBoth(GcodeExample());
  Type(form->edt1, "0.5");
  fake->saveGcodeAnswers.push_back(QString::fromStdString(Path("frame")));
  form->N54->trigger();
  EXPECT_EQ(ReadText(Path("frame.nc")),
            "%\r\nG90\r\nG0X0Y0\r\nG0X2\r\nG0Y1\r\nG0X0\r\nG0X0Y0\r\nM2\r\n%\r\n");
  form->N52->trigger();
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->setIntValue(5);
    dialog->accept();
  });
  fake->saveGcodeAnswers.push_back(QString::fromStdString(Path("pointer")));
  form->N54->trigger();
  EXPECT_EQ(ReadText(Path("pointer.nc")),
            "G21\nG90\nM5\nG0 X0 Y0\nG1 F300\nM3 S5\nG1 X2\nG1 Y1\nG1 X0\nG1 Y0\nM5\nM2\n");
  QTimer::singleShot(0, [this] {
    auto* dialog = qobject_cast<TestGridDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->edtCell->setText("0.9");
    dialog->OkClick();
    dialog->edtCell->setText("1");
    dialog->edtPowers->setText("100:300:3");
    dialog->OkClick();
  });
  fake->saveGcodeAnswers.push_back(QString::fromStdString(Path("grid")));
  form->N55->trigger();
  EXPECT_EQ(fake->errors, QStringList{"The cell 0.9 mm is smaller than two dots of 0.5 mm."});
  EXPECT_TRUE(ReadText(Path("grid.nc")).startsWith("(Skelda material test grid: 3 powers x 5"));
  ASSERT_EQ(fake->informations.size(), 3);
  EXPECT_EQ(fake->informations[0],
            "Программа рамки frame.nc успешно создана !\r\nРамка: 2 x 1 мм от точки X0 Y0.");
  EXPECT_TRUE(fake->informations[2].contains("мощность S: 100, 200, 300.\r\n"))
      << fake->informations[2].toStdString();
  // The grid's burn picture is shown in place of the picture, its job time in the status bar.
  EXPECT_NE(form->canvas().ShownBitmap(), &ws().ShownBitmap);
  EXPECT_TRUE(form->stat1->currentMessage().startsWith("Время работы: 0:0"));
  // An existing frame file is replaced only when the user says so.
  form->N51->trigger();
  fake->saveGcodeAnswers.push_back(QString::fromStdString(Path("grid")));
  form->N54->trigger();
  EXPECT_EQ(fake->questions.size(), 1);
  EXPECT_TRUE(ReadText(Path("grid.nc")).startsWith("(Skelda"));
}

}  // namespace
}  // namespace skelda::testing
