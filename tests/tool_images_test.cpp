#include "ui/tool_images.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "ui_test_app.h"

namespace skelda {
namespace {

QImage ImageOf(int index) {
  return ToolImage(index).toImage().convertToFormat(QImage::Format_ARGB32);
}

int OpaquePixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 128;
  return count;
}

TEST(ToolImages, EveryImageIs48By48WithATransparentBackground) {
  for (int index = 0; index < kToolImageCount; ++index) {
    const QImage image = ImageOf(index);
    ASSERT_EQ(image.size(), QSize(48, 48)) << index;
    EXPECT_TRUE(image.hasAlphaChannel()) << index;
    const int opaque = OpaquePixels(image);
    EXPECT_GT(opaque, 150) << "image " << index << " is nearly empty";
    EXPECT_LT(opaque, 48 * 48 - 200) << "image " << index << " has no transparent background";
    EXPECT_EQ(qAlpha(image.pixel(0, 0)) + qAlpha(image.pixel(47, 47)), 0) << index;
  }
}

TEST(ToolImages, ImagesArePairwiseDistinct) {
  for (int a = 0; a < kToolImageCount; ++a) {
    for (int b = a + 1; b < kToolImageCount; ++b) {
      const QImage ia = ImageOf(a), ib = ImageOf(b);
      int differing = 0;
      for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) differing += ia.pixel(x, y) != ib.pixel(x, y);
      EXPECT_GT(differing, 200) << "images " << a << " and " << b << " look alike";
    }
  }
}

TEST(ToolImages, OutOfRangeIndexGivesANullPixmap) {
  EXPECT_TRUE(ToolImage(-1).isNull());
  EXPECT_TRUE(ToolImage(kToolImageCount).isNull());
}

TEST(ToolImages, GlyphAndWindowIconAre32By32) {
  const QPixmap glyph = LoadGlyph();
  EXPECT_EQ(glyph.size(), QSize(32, 32));
  EXPECT_GT(OpaquePixels(glyph.toImage().convertToFormat(QImage::Format_ARGB32)), 100);
  const QIcon icon = WindowIcon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.pixmap(32, 32).size(), QSize(32, 32));
}

// With SKELDA_CONTACT_SHEET=<file.png> the images are also drawn into one sheet to look at: each
// at 2x and 1x on white, the glyph and the icon at the end, and the tool bar's row below.
TEST(ToolImages, ContactSheet) {
  const char* path = std::getenv("SKELDA_CONTACT_SHEET");
  if (path == nullptr) GTEST_SKIP() << "SKELDA_CONTACT_SHEET not set";
  const int cell = 110;
  QImage sheet(960, cell * 4 + 70, QImage::Format_ARGB32);
  sheet.fill(QColor(0xF0, 0xF0, 0xF0));
  QPainter p(&sheet);
  for (int index = 0; index <= kToolImageCount; ++index) {
    const QPoint at((index % 7) * cell, (index / 7) * cell);
    if (index < kToolImageCount) {
      p.fillRect(QRect(at + QPoint(4, 4), QSize(100, 100)), Qt::white);
      p.drawPixmap(QRect(at + QPoint(6, 6), QSize(96, 96)), ToolImage(index));
      p.drawPixmap(at + QPoint(58, 56), ToolImage(index));
      p.drawText(at + QPoint(8, 104), QString::number(index));
    } else {
      p.drawPixmap(at + QPoint(10, 10), LoadGlyph());
      p.drawPixmap(at + QPoint(50, 10), WindowIcon().pixmap(32, 32));
      p.drawPixmap(at + QPoint(10, 50), WindowIcon().pixmap(16, 16));
    }
  }
  // The tool bar as the window lays it out: 55-wide buttons, 8-wide gaps.
  int left = 8;
  for (int index : {-1, 4, 10, -1, 17, 16, 18, 19, -1, 14, 15, 13, 21, 23, 22, -1, 20, -1, 5}) {
    if (index < 0) {
      left += 8;
      continue;
    }
    p.drawPixmap(left + 3, cell * 4 + 10, ToolImage(index));
    left += 55;
  }
  p.end();
  EXPECT_TRUE(sheet.save(QString::fromLocal8Bit(path)));
}

}  // namespace
}  // namespace skelda
