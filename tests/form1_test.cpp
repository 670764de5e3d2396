// The main window's layout, availability, loading, size fields, errors and exit, driven through
// its controls.
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <vector>

#include "core/bmp_reader.h"
#include "form1_fixture.h"
#include "ui/qt_translations.h"

namespace skelda::testing {
namespace {

struct Named {
  const char* name;
  std::function<bool(TForm1&)> enabled;
};

// The commands that need a picture: off at start, on for good after the first load attempt.
std::vector<Named> PictureCommands() {
  return {
      {"N17 Редактировать", [](TForm1& f) { return f.N17->menuAction()->isEnabled(); }},
      {"N3 Эффекты", [](TForm1& f) { return f.N3->menuAction()->isEnabled(); }},
      {"nc1", [](TForm1& f) { return f.nc1->isEnabled(); }},
      {"btn1", [](TForm1& f) { return f.btn1->isEnabled(); }},
      {"btn2", [](TForm1& f) { return f.btn2->isEnabled(); }},
      {"btn3", [](TForm1& f) { return f.btn3->isEnabled(); }},
      {"btn4", [](TForm1& f) { return f.btn4->isEnabled(); }},
      {"trckbrTrackSeuil", [](TForm1& f) { return f.trckbrTrackSeuil->isEnabled(); }},
  };
}

// Always enabled, picture or not.
std::vector<QObject*> AlwaysEnabled(TForm1& f) {
  return {f.btn7,  f.btn8,    f.btn9,    f.btn11,   f.btn12,  f.btn13, f.btn17, f.btn18,
          f.btn19, f.btn20,   f.btn21,   f.btn22,   f.btn24,  f.btn25, f.N10,   f.N12,
          f.N2,    f.LoadPic, f.btn5,    f.btn6,    f.edt1,   f.edt2,  f.edt3,  f.edt4,
          f.edt7,  f.chk1,    f.trckbr1, f.trckbr2, f.trckbr3};
}

bool IsEnabled(QObject* object) {
  if (auto* action = qobject_cast<QAction*>(object)) return action->isEnabled();
  return static_cast<QWidget*>(object)->isEnabled();
}

TEST_F(Form1Test, StartStateMatchesTheForm) {
  for (const Named& command : PictureCommands())
    EXPECT_FALSE(command.enabled(*form)) << command.name;
  for (QObject* control : AlwaysEnabled(*form))
    EXPECT_TRUE(IsEnabled(control)) << control->objectName().toStdString();
  EXPECT_FALSE(form->edt5->isEnabled());
  EXPECT_FALSE(form->edt6->isEnabled());
  EXPECT_FALSE(form->edt8->isEnabled());
  EXPECT_FALSE(form->edt9->isVisible());

  EXPECT_EQ(form->edt1->text(), "0.2");
  EXPECT_EQ(form->edt4->text(), "127");
  EXPECT_EQ(form->edt7->text(), "1");
  EXPECT_EQ(form->edt8->text(), "300");
  EXPECT_TRUE(form->edt2->text().isEmpty());
  EXPECT_TRUE(form->edt5->text().isEmpty());
  EXPECT_FALSE(form->chk1->isChecked());
  EXPECT_EQ(form->lbl10->text(), "Черно-белое 50%");
  EXPECT_EQ(form->lbl5->text(), "Резкость 0%");
  EXPECT_EQ(form->lbl11->text(), "Яркость 0%");
  EXPECT_EQ(form->lbl12->text(), "Контрастность 0%");

  EXPECT_EQ(form->windowTitle(), "Tavrilo Skelda BMP to G-code v1.2 (skelda@example.org) ");
  EXPECT_GE(form->pnl1->width(), 210);  // and as wide as its texts need
  EXPECT_EQ(form->width(), 606 + form->pnl1->width());
  EXPECT_EQ(form->height() - form->menuBar()->height(), 495);
  EXPECT_EQ(form->pnl1->geometry(), QRect(606, 0, form->pnl1->width(), 418));
  EXPECT_EQ(form->tlb1->height(), 58);
  EXPECT_EQ(form->stat1->height(), 19);
  EXPECT_EQ(form->canvas().size(), QSize(606, 418));

  EXPECT_EQ(ws().ShownBitmap.Width(), 590);
  EXPECT_EQ(ws().ShownBitmap.Height(), 465);
  EXPECT_EQ(ws().MouseTool, kMouseToolNone);
}

TEST_F(Form1Test, SliderRangesTicksAndPositions) {
  const int shift = form->lbl5->x() - 106;  // the right column moves over as a whole
  struct Row {
    QSlider* slider;
    int minimum, maximum, position;
    QPoint at;
  };
  for (const Row& r :
       {Row{form->trckbrTrackSeuil, 0, 256, 128, {7, 165}},
        Row{form->trckbr1, -100, 100, 0, {103, 21}}, Row{form->trckbr2, -200, 200, 0, {103, 53}},
        Row{form->trckbr3, -100, 100, 0, {103, 85}}}) {
    SCOPED_TRACE(r.slider->objectName().toStdString());
    EXPECT_EQ(r.slider->minimum(), r.minimum);
    EXPECT_EQ(r.slider->maximum(), r.maximum);
    EXPECT_EQ(r.slider->value(), r.position);
    EXPECT_EQ(r.slider->tickInterval(), 16);
    EXPECT_EQ(r.slider->geometry(),
              QRect(r.at + QPoint(r.at.x() > 100 ? shift : 0, 0), QSize(98, 20)));
  }
}

TEST_F(Form1Test, ToolBarOrderAndButtonSizes) {
  const QStringList order = {"btn14", "btn9",  "btn11", "btn10", "btn21", "btn19", "btn24",
                             "btn25", "btn16", "btn17", "btn18", "btn22", "btn20", "btn13",
                             "btn12", "btn15", "btn8",  "btn23", "btn7"};
  int x = 0;
  for (const QString& name : order) {
    auto* control = form->tlb1->findChild<QWidget*>(name);
    ASSERT_NE(control, nullptr) << name.toStdString();
    EXPECT_EQ(control->x(), x) << name.toStdString();
    const bool separator = qobject_cast<QToolButton*>(control) == nullptr;
    x += separator ? 8 : 55;
    if (!separator) {
      EXPECT_EQ(control->size(), QSize(55, 54));
      EXPECT_EQ(static_cast<QToolButton*>(control)->iconSize(), QSize(48, 48));
      EXPECT_TRUE(control->toolTip().isEmpty());
    }
  }
}

TEST_F(Form1Test, MenuCaptionsInOrder) {
  auto captions = [](QMenu* menu) {
    QStringList list;
    for (QAction* a : menu->actions()) list << (a->isSeparator() ? "-" : a->text());
    return list;
  };
  EXPECT_EQ(form->File1->title(), "Файл");
  EXPECT_EQ(
      captions(form->File1),
      QStringList({"Загрузить изображение", "Последние файлы", "Сохранить изображение (*.bmp)",
                   "Сохранить изображение (*.png)", "Создать и сохранить (*.nc)", "-",
                   "Поворачивать по EXIF", "Язык / Language", "-", "Выход"}));
  EXPECT_EQ(form->N17->title(), "Редактировать");
  EXPECT_EQ(captions(form->N17),
            QStringList({"Отменить", "Повторить", "-", "Отразить по горизонтали",
                         "Отразить по вертикали", "Повернуть на 90 град.", "Инвертировать"}));
  EXPECT_EQ(form->N3->title(), "Эффекты");
  EXPECT_EQ(
      captions(form->N3),
      QStringList({"Оригинал", "Точечный Floyd-Steinberg", "Точечный мутно", "Точечный разброс",
                   "Крестик 1", "Крестик 2", "Крестик 3", "Крестик 4", "Слабый разброс",
                   "Мутное стекло", "Мозайка", "Черно-белое", "-", "Другие методы"}));
  EXPECT_EQ(captions(form->DotMethods1),
            QStringList({"Аткинсон", "Джарвис — Джудис — Нинке", "Стуки", "Беркс", "Серра",
                         "Серра, две строки", "Серра облегчённая", "Упорядоченный 8×8",
                         "Полутоновый растр…", "-", "Змейкой"}));
  EXPECT_TRUE(form->Serpentine1->isCheckable());
}

TEST_F(Form1Test, DisabledMenusDoNotOpenWhileTheToolButtonsWork) {
  QMenuBar* bar = form->menuBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(form->N17->menuAction()).center());
  EXPECT_FALSE(form->N17->isVisible());
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(form->N3->menuAction()).center());
  EXPECT_FALSE(form->N3->isVisible());

  // Mirroring by the tool button works on the start picture (converted to 32 bits).
  ref.StartUp();
  MirrorCommand(ref, true);
  Click(form->btn25);
  EXPECT_BITMAP_EQ(ws().ShownBitmap, ref.ShownBitmap);
}

TEST_F(Form1Test, CancelledLoadEnablesThePictureCommandsAndKeepsThePicture) {
  const Bitmap start = ws().BaseBitmap;
  Click(form->LoadPic);  // no answer: the dialog is cancelled
  EXPECT_EQ(fake->openAsked, 1);
  for (const Named& command : PictureCommands())
    EXPECT_TRUE(command.enabled(*form)) << command.name;
  EXPECT_TRUE(form->edt2->text().isEmpty());
  EXPECT_TRUE(form->edt5->text().isEmpty());
  EXPECT_EQ(ws().BaseBitmap, start);
  EXPECT_BITMAP_EQ(ws().ShownBitmap, start);
  EXPECT_EQ(ws().MouseTool, kMouseToolOff);
  EXPECT_TRUE(fake->errors.isEmpty());
}

TEST_F(Form1Test, CancelledLoadLaterKeepsTheBaseAndDiscardsTheShownConversion) {
  LoadBoth(Gradient(40, 30));
  Click(form->btn2);
  form->trckbr1->setValue(0);
  Click(form->LoadPic);  // cancelled
  EXPECT_BITMAP_EQ(ws().BaseBitmap, Gradient(40, 30));
  EXPECT_EQ(ws().ShownBitmap, ws().BaseBitmap);
  EXPECT_EQ(ws().BwMode, kBwModeNone);
  EXPECT_EQ(form->edt5->text(), "40");
}

TEST_F(Form1Test, LoadFillsFieldsWorkspaceAndPreview) {
  const Bitmap picture = Gradient(640, 480);
  LoadBoth(picture);
  EXPECT_EQ(form->edt2->text(), "128");
  EXPECT_EQ(form->edt5->text(), "640");
  EXPECT_EQ(form->edt3->text(), "96");
  EXPECT_EQ(form->edt6->text(), "480");
  EXPECT_EQ(form->edt4->text(), "127");
  EXPECT_EQ(ws().BaseBitmap.Format(), PixelFormat::Bit32);
  EXPECT_BITMAP_EQ(ws().BaseBitmap, picture);
  EXPECT_BITMAP_EQ(ws().ShownBitmap, picture);
  EXPECT_EQ(ws().PictureWidth, 640);
  EXPECT_EQ(ws().PictureHeight, 480);
  EXPECT_EQ(ws().ToolRect, (TRect{5, 5, 634, 474}));
  EXPECT_EQ(ws().MouseTool, kMouseToolOff);
  EXPECT_EQ(form->OpenPictureFileName().toStdString(), Path("picture.bmp"));

  // The picture area shows the picture 1:1 from its top-left corner.
  const QImage shown = form->canvas().grab().toImage();
  for (QPoint p : {QPoint(0, 0), QPoint(17, 3), QPoint(605, 417)}) {
    const Color c = picture.PixelColor(p.x(), p.y());
    EXPECT_EQ(shown.pixel(p) & 0xFFFFFF,
              qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF) & 0xFFFFFF)
        << p.x() << "," << p.y();
  }
}

TEST_F(Form1Test, LoadMenuItemAndToolButtonRunTheSameLoad) {
  const std::string path = WritePicture("small.bmp", Gradient(10, 20));
  fake->openAnswers.push_back(QString::fromStdString(path));
  form->N10->trigger();
  EXPECT_EQ(form->edt6->text(), "20");
  fake->openAnswers.push_back(QString::fromStdString(WritePicture("b.bmp", Gradient(30, 5))));
  Click(form->btn7);
  EXPECT_EQ(form->edt5->text(), "30");
  EXPECT_EQ(form->edt3->text(), "1");
}

TEST_F(Form1Test, FailedLoadShowsTheErrorAndChangesNothing) {
  const std::string path = Path("broken.bmp");
  {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BM not a bitmap");
  }
  const Bitmap start = ws().BaseBitmap;
  LoadThroughButton(path);
  ASSERT_EQ(fake->errors.size(), 1);
  EXPECT_EQ(fake->errors[0], "Bitmap image is not valid.");
  EXPECT_EQ(ws().BaseBitmap, start);
  EXPECT_FALSE(form->btn2->isEnabled());  // the load ended at the read
  EXPECT_EQ(ws().MouseTool, kMouseToolNone);
  // The dialog keeps the name: "Оригинал" reads the same file and fails the same way.
  Click(form->btn17);
  ASSERT_EQ(fake->errors.size(), 2);
  EXPECT_EQ(fake->errors[1], "Bitmap image is not valid.");
}

TEST_F(Form1Test, OriginalRereadsTheFileFromMenuAndToolButton) {
  const Bitmap picture = Gradient(64, 48);
  LoadBoth(picture);
  Click(form->btn2);  // threshold: BwMode 1
  Type(form->edt2, "6.4");
  Click(form->btn5);  // 32 x 24
  ASSERT_EQ(ws().BaseBitmap.Width(), 32);

  form->N4->trigger();
  EXPECT_BITMAP_EQ(ws().BaseBitmap, picture);
  EXPECT_BITMAP_EQ(ws().ShownBitmap, picture);
  EXPECT_EQ(form->edt2->text(), "12.8");
  EXPECT_EQ(form->edt5->text(), "64");
  EXPECT_FALSE(ws().EffectApplied);
  EXPECT_EQ(ws().BwMode, kBwModeThreshold);  // "Оригинал" leaves the mode

  Click(form->btn3);
  Click(form->btn17);
  EXPECT_BITMAP_EQ(ws().ShownBitmap, picture);
  EXPECT_FALSE(ws().EffectApplied);
}

TEST_F(Form1Test, OriginalBeforeAnyChoiceFailsWithTheOpenFileError) {
  const Bitmap start = ws().BaseBitmap;
  Click(form->btn17);
  ASSERT_EQ(fake->errors.size(), 1);
  EXPECT_TRUE(fake->errors[0].startsWith("Cannot open file \"\"")) << fake->errors[0].toStdString();
  EXPECT_EQ(ws().BaseBitmap, start);
}

TEST_F(Form1Test, SButtonsResampleAndRewriteTheSizeFields) {
  LoadBoth(Gradient(640, 480));
  Type(form->edt2, "100");
  Click(form->btn5);
  EXPECT_EQ(ws().BaseBitmap.Width(), 500);
  EXPECT_EQ(ws().BaseBitmap.Height(), 375);
  EXPECT_BITMAP_EQ(ws().ShownBitmap, ws().BaseBitmap);
  EXPECT_EQ(form->edt2->text(), "100");
  EXPECT_EQ(form->edt5->text(), "500");
  EXPECT_EQ(form->edt3->text(), "75");
  EXPECT_EQ(form->edt6->text(), "375");

  Type(form->edt3, "48");
  Click(form->btn6);
  EXPECT_EQ(ws().BaseBitmap.Width(), 320);
  EXPECT_EQ(ws().BaseBitmap.Height(), 240);
  EXPECT_EQ(form->edt2->text(), "64");
  EXPECT_EQ(form->edt3->text(), "48");
  EXPECT_EQ(form->edt6->text(), "240");
  EXPECT_TRUE(fake->errors.isEmpty());
}

TEST_F(Form1Test, SWithAnEmptyFieldDoesNothing) {
  LoadBoth(Gradient(64, 48));
  form->edt2->clear();
  Click(form->btn5);
  EXPECT_EQ(ws().BaseBitmap.Width(), 64);
  EXPECT_TRUE(fake->errors.isEmpty());
}

TEST_F(Form1Test, EnterConvertsBetweenDotSizeAndResolution) {
  struct Row {
    bool inDot;
    const char* typed;
    const char* result;
  };
  for (const Row& r : {Row{true, "0.2", "127"}, Row{true, "0.15", "169.333333333333"},
                       Row{true, "0.25", "101.6"}, Row{false, "127", "0.2"},
                       Row{false, "300", "0.0846666666666667"}, Row{false, "100", "0.254"}}) {
    SCOPED_TRACE(r.typed);
    form->edt1->setText("0.2");
    form->edt4->setText("127");
    QLineEdit* typedInto = r.inDot ? form->edt1 : form->edt4;
    QLineEdit* other = r.inDot ? form->edt4 : form->edt1;
    Type(typedInto, r.typed);
    QTest::keyClick(typedInto, Qt::Key_Return);
    EXPECT_EQ(other->text(), r.result);
    EXPECT_EQ(typedInto->text(), r.typed);
  }
  EXPECT_TRUE(fake->errors.isEmpty());
}

TEST_F(Form1Test, BadDotSizeShowsTheConversionErrorWithAFullStop) {
  LoadBoth(Gradient(64, 48));
  const Bitmap before = ws().BaseBitmap;
  Type(form->edt1, "1..2");
  QTest::keyClick(form->edt1, Qt::Key_Return);
  ASSERT_EQ(fake->errors.size(), 1);
  EXPECT_EQ(fake->errors[0], "'1..2' is not a valid floating point value.");
  EXPECT_EQ(form->edt4->text(), "127");

  Type(form->edt2, "10");
  Click(form->btn5);
  ASSERT_EQ(fake->errors.size(), 2);
  EXPECT_EQ(fake->errors[1], "'1..2' is not a valid floating point value.");
  EXPECT_EQ(ws().BaseBitmap, before);

  Type(form->edt1, "0");
  Type(form->edt4, "127");
  QTest::keyClick(form->edt1, Qt::Key_Return);
  ASSERT_EQ(fake->errors.size(), 3);
  EXPECT_EQ(fake->errors[2], "Floating point division by zero.");
}

TEST_F(Form1Test, CheckBoxEnablesTheFeedField) {
  Click(form->chk1);
  EXPECT_TRUE(form->chk1->isChecked());
  EXPECT_TRUE(form->edt8->isEnabled());
  Click(form->chk1);
  EXPECT_FALSE(form->edt8->isEnabled());
}

TEST_F(Form1Test, ExitAsksAndNoKeepsTheWindow) {
  form->N2->trigger();
  ASSERT_EQ(fake->questions.size(), 1);
  EXPECT_EQ(fake->questions[0], "Действительно хотите закрыть программу ?");
  EXPECT_TRUE(form->isVisible());

  fake->yesNoAnswers.push_back(true);
  form->N2->trigger();
  EXPECT_FALSE(form->isVisible());
}

TEST_F(Form1Test, CloseBoxAsksNothing) {
  form->close();
  EXPECT_TRUE(fake->questions.isEmpty());
  EXPECT_FALSE(form->isVisible());
}

TEST_F(Form1Test, SavePictureAppendsBmpAndWritesTheShownPicture) {
  LoadBoth(Gradient(40, 30));
  Click(form->btn2);
  fake->savePictureAnswers.push_back(QString::fromStdString(Path("out.bmp")));
  form->N12->trigger();
  EXPECT_TRUE(fake->errors.isEmpty());
  const Bitmap written = ReadBmpFile(Path("out.bmp.bmp"));
  EXPECT_BITMAP_EQ(written, ws().ShownBitmap);

  form->N12->trigger();  // cancelled: nothing more
  EXPECT_TRUE(fake->errors.isEmpty());

  fake->savePictureAnswers.push_back(QString::fromStdString(Path("no/such/folder/x")));
  form->N12->trigger();
  ASSERT_EQ(fake->errors.size(), 1);
  EXPECT_TRUE(fake->errors[0].contains("no/such/folder/x.bmp")) << fake->errors[0].toStdString();
}

TEST_F(Form1Test, PictureAreaMovesClearTheStatusBar) {
  QTest::mouseMove(form->btn20, QPoint(20, 20));
  EXPECT_EQ(form->stat1->currentMessage(), "Инвертировать изображение.");
  QTest::mouseMove(&form->canvas(), QPoint(40, 40));
  EXPECT_TRUE(form->stat1->currentMessage().isEmpty());
}

TEST_F(Form1Test, QtDialogsAndButtonsSpeakRussian) {
  QObject owner;
  ASSERT_TRUE(InstallQtTranslations(&owner));
  QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text() + QFileDialog().labelText(QFileDialog::Reject),
            "&ДаОтмена");
}

// Each save asks about the file it writes (the chosen name plus the extension); No keeps it.
TEST_F(Form1Test, SavesAskBeforeReplacingTheFileTheyWrite) {
  LoadBoth(Gradient(4, 2));
  for (auto [extension, item] : {std::pair{".bmp", form->N12}, std::pair{".nc", form->nc1}}) {
    const QString chosen = QString::fromStdString(Path("old")), target = chosen + extension;
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
    file.close();
    fake->savePictureAnswers = fake->saveGcodeAnswers = {chosen, chosen};
    fake->yesNoAnswers = {false, true};
    item->trigger();
    EXPECT_EQ(QFileInfo(target).size(), 3);
    item->trigger();
    EXPECT_GT(QFileInfo(target).size(), 3);
    EXPECT_EQ(fake->questions, QStringList(2, "Файл уже существует. Заменить?\n" +
                                                  QDir::toNativeSeparators(target)));
    fake->questions.clear();
  }
}

// Every size up to the largest picture's (seven digits a side) and every caption fits.
TEST_F(Form1Test, SizeFieldsFitTheirLongestTextsAndFollowThePicture) {
  for (QLineEdit* field : {form->edt5, form->edt6, form->edt2, form->edt3}) {
    const QString text = field->isEnabled() ? "209715.2" : "1048576";
    field->setText(text);
    auto caret = [field](int at) {
      field->setCursorPosition(at);
      field->repaint();  // a text too long for its field scrolls when drawn
      return field->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
    };
    EXPECT_EQ(caret(text.size()) - caret(0), QFontMetrics(field->font()).horizontalAdvance(text));
  }
  for (QSlider* slider : {form->trckbr1, form->trckbr2, form->trckbr3})
    slider->setValue(slider->minimum());
  const int rightColumn = form->trckbr1->x();
  for (QLabel* label : form->pnl1->findChildren<QLabel*>()) {
    EXPECT_GE(label->width(), QFontMetrics(label->font()).horizontalAdvance(label->text()));
    EXPECT_LT(label->geometry().right(),
              label->x() < rightColumn ? rightColumn : form->pnl1->width() - 1)
        << label->text().toStdString();
  }

  // They show the size of the shown picture after each change of its size or of the dot.
  LoadBoth(Gradient(640, 480));
  auto fields = [&] {
    return form->edt5->text() + ' ' + form->edt6->text() + ' ' + form->edt2->text() + ' ' +
           form->edt3->text();
  };
  Click(form->btn19);
  EXPECT_EQ(fields(), "480 640 96 128");
  Type(form->edt4, "254");
  QTest::keyClick(form->edt4, Qt::Key_Return);  // a dot of 0.1
  EXPECT_EQ(fields(), "480 640 48 64");
  Click(form->btn9);  // fit to window: the shown picture is the one a save or the G-code writes
  EXPECT_EQ(form->edt6->text(), QString::number(ws().ShownBitmap.Height()));
}

}  // namespace
}  // namespace skelda::testing
