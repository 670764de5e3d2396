// The window's picture files: PNG in and out, a drop, "Последние файлы" and the EXIF turn.
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "form1_fixture.h"
#include "intake/png_writer.h"

namespace skelda::testing {
namespace {

using Form1FilesTest = Form1Test;

TEST_F(Form1FilesTest, PngSavedAndOpenedAgain) {
  LoadBoth(Gradient(21, 13));
  fake->savePictureAnswers.push_back(QString::fromStdString(Path("copy")));
  form->SavePng1->trigger();
  EXPECT_TRUE(fake->questions.isEmpty());
  // A name that ends in ".png" is taken as it is, and replacing it is asked first.
  fake->savePictureAnswers.push_back(QString::fromStdString(Path("copy.png")));
  fake->yesNoAnswers.push_back(true);
  form->SavePng1->trigger();
  ASSERT_EQ(fake->questions.size(), 1);
  EXPECT_TRUE(fake->questions[0].endsWith("copy.png"));
  LoadThroughButton(Path("copy.png"));
  EXPECT_TRUE(fake->errors.isEmpty()) << fake->errors.join("; ").toStdString();
  EXPECT_BITMAP_EQ(ws().BaseBitmap, ref.BaseBitmap);
}

TEST_F(Form1FilesTest, DroppedFileLoadsAndIsRemembered) {
  WritePicturePng(Gradient(9, 4), Path("a.png"));
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(Path("a.png")))});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(form.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(form.get(), &drop);
  EXPECT_BITMAP_EQ(ws().BaseBitmap, Gradient(9, 4)) << fake->errors.join("; ").toStdString();
  EXPECT_EQ(ws().ShownBitmap, ws().BaseBitmap);
  // Six pictures: the five last stay, the newest first; opening one brings it to the front.
  for (const char* name : {"1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp"}) {
    LoadThroughButton(WritePicture(name, Gradient(3, 3)));
  }
  form->Recent1->actions().at(1)->trigger();
  QStringList shown;
  for (QAction* item : form->Recent1->actions()) shown << item->text();
  EXPECT_EQ(shown, QStringList({"4.bmp", "5.bmp", "3.bmp", "2.bmp", "1.bmp"}));
  EXPECT_EQ(QFileInfo(form->OpenPictureFileName()).fileName(), "4.bmp");
}

TEST_F(Form1FilesTest, ExifTurnIsOnByDefaultAndRemembered) {
  const std::string photo = TestDataPath("photos/coffee-exif6.jpg");
  ASSERT_TRUE(form->ExifTurn1->isCheckable());
  EXPECT_TRUE(form->ExifTurn1->isChecked());
  LoadThroughButton(photo);
  EXPECT_EQ(ws().BaseBitmap.Width(), 600);
  form->ExifTurn1->trigger();
  LoadThroughButton(photo);
  EXPECT_EQ(ws().BaseBitmap.Width(), 400);
  TForm1 again(std::make_unique<ScriptedDialogs>());
  EXPECT_FALSE(again.ExifTurn1->isChecked());
}

}  // namespace
}  // namespace skelda::testing
