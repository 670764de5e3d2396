// The picture area: fit to window, the repaint after a minimize, maximizing, and a warp drag.
#include <QApplication>
#include <QCursor>
#include <QPushButton>

#include "form1_fixture.h"

namespace skelda::testing {
namespace {

QRgb ScreenColor(Color c) {
  return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Every pixel of the picture area that the picture covers shows it.
::testing::AssertionResult ShowsPicture(PreviewCanvas& canvas, const Bitmap& picture) {
  const QImage shown = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const int w = std::min(shown.width(), picture.Width());
  const int h = std::min(shown.height(), picture.Height());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (shown.pixel(x, y) != ScreenColor(picture.PixelColor(x, y)))
        return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y << ")";
  return ::testing::AssertionSuccess();
}

TEST_F(Form1Test, StartPictureIsShownAtStart) {
  EXPECT_EQ(ws().ShownBitmap.Format(), PixelFormat::Bit8);
  EXPECT_TRUE(ShowsPicture(form->canvas(), ws().ShownBitmap));
}

TEST_F(Form1Test, FitToWindowWithAThousandByFiveHundredPicture) {
  LoadBoth(Gradient(1000, 500));
  // The outer width includes the frame: the offscreen platform draws a 2-pixel one.
  const int availW = form->frameGeometry().width() - form->pnl1->width();
  ASSERT_EQ(availW, 610);
  Click(form->btn9);
  EXPECT_TRUE(fake->errors.isEmpty());
  EXPECT_EQ(ws().ShownBitmap.Width(), 610);
  EXPECT_EQ(ws().ShownBitmap.Height(), 305);  // round(500 / (1000 / 610))
  EXPECT_EQ(ws().BaseBitmap.Width(), 1000);
  EXPECT_TRUE(ShowsPicture(form->canvas(), ws().ShownBitmap));

  Click(form->btn11);
  EXPECT_EQ(ws().ShownBitmap.Width(), 1000);
  EXPECT_TRUE(ShowsPicture(form->canvas(), ws().ShownBitmap));
}

TEST_F(Form1Test, FitToWindowWithAnEmptyOrBadDotSize) {
  LoadBoth(Gradient(100, 50));
  form->edt1->clear();
  Click(form->btn9);
  EXPECT_EQ(ws().ShownBitmap.Width(), 100);
  EXPECT_TRUE(fake->errors.isEmpty());

  Type(form->edt1, "x");
  Click(form->btn9);
  EXPECT_EQ(ws().ShownBitmap.Width(), 100);
  ASSERT_EQ(fake->errors.size(), 1);
  EXPECT_EQ(fake->errors[0], "'x' is not a valid floating point value.");
}

TEST_F(Form1Test, PictureAreaKeepsTheShownPictureAcrossMinimizeAndRestore) {
  LoadBoth(Gradient(200, 150));
  Click(form->btn3);
  ASSERT_NE(ws().ShownBitmap, ws().BaseBitmap);
  form->showMinimized();
  QCoreApplication::processEvents();
  form->showNormal();
  QCoreApplication::processEvents();
  EXPECT_TRUE(ShowsPicture(form->canvas(), ws().ShownBitmap));
  EXPECT_EQ(form->size().width(), 606 + form->pnl1->width());
}

TEST_F(Form1Test, NormalSizeIsFixedWhileMaximizeIsAllowed) {
  const QSize normal = form->size();
  form->resize(normal + QSize(100, 50));  // a drag at the border
  EXPECT_TRUE(QTest::qWaitFor([&] { return form->size() == normal; }, 2000));
  EXPECT_EQ(form->width(), 606 + form->pnl1->width());

  form->showMaximized();
  QCoreApplication::processEvents();
  EXPECT_TRUE(form->isMaximized());
  EXPECT_GT(form->maximumWidth(), 816);  // the window manager may enlarge it
  EXPECT_EQ(form->pnl1->geometry().right(), form->centralWidget()->width() - 1);
  form->showNormal();
  EXPECT_TRUE(QTest::qWaitFor([&] { return form->size() == normal; }, 2000));
}

TEST_F(Form1Test, WarpDragCarriesThePointAndCommitsOnRelease) {
  LoadBoth(Gradient(64, 48));
  Click(form->btn13);
  EXPECT_EQ(ws().MouseTool, kMouseToolWarp);
  ref.MouseTool = kMouseToolWarp;

  PreviewCanvas& canvas = form->canvas();
  QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_EQ(ws().DragStartX, 20);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::PointingHandCursor);

  QTest::mouseMove(&canvas, QPoint(30, 25));
  WarpPress(ref, 20, 20, true);
  WarpMove(ref, 30, 25);
  EXPECT_EQ(ws().ShownBitmap, ref.ShownBitmap);
  EXPECT_NE(ws().ShownBitmap, ws().BaseBitmap);
  EXPECT_TRUE(ShowsPicture(canvas, ws().ShownBitmap));
  // The border stays where it was.
  EXPECT_EQ(ws().ShownBitmap.PixelColor(0, 0), ws().BaseBitmap.PixelColor(0, 0));

  QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(30, 25));
  WarpRelease(ref);
  EXPECT_EQ(ws().BaseBitmap, ref.BaseBitmap);
  EXPECT_EQ(ws().BaseBitmap, ws().ShownBitmap);
  EXPECT_EQ(ws().DragStartX, -1);
  EXPECT_EQ(ws().DragStartY, -1);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Form1Test, ClickWithTheWarpToolCommitsABlackAndWhiteResult) {
  LoadBoth(Gradient(64, 48));
  Click(form->btn2);
  const Bitmap bw = ws().ShownBitmap;
  Click(form->btn13);
  QTest::mouseClick(&form->canvas(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(ws().BaseBitmap, bw);
  EXPECT_EQ(ws().ShownBitmap, bw);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Form1Test, DragWithoutTheWarpToolChangesNothing) {
  LoadBoth(Gradient(64, 48));
  PreviewCanvas& canvas = form->canvas();
  QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(20, 20));
  QTest::mouseMove(&canvas, QPoint(30, 25));
  QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(30, 25));
  EXPECT_BITMAP_EQ(ws().ShownBitmap, Gradient(64, 48));
  EXPECT_BITMAP_EQ(ws().BaseBitmap, Gradient(64, 48));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace skelda::testing
