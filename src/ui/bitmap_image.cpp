#include "ui/bitmap_image.h"

#include <QList>
#include <QRgb>

namespace skelda {
namespace {

QImage Wrap(const Bitmap& bitmap, QImage::Format format) {
  return QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(),
                static_cast<qsizetype>(bitmap.RowBytes()), format);
}

QImage WrapIndexed(const Bitmap& bitmap) {
  QImage image = Wrap(bitmap, QImage::Format_Indexed8);
  // Every index must name a colour; entries the palette lacks show black.
  QList<QRgb> table(256, qRgb(0, 0, 0));
  const auto& entries = bitmap.PaletteEntries();
  for (qsizetype i = 0; i < qsizetype(entries.size()) && i < table.size(); ++i)
    table[i] = qRgb(entries[i].red, entries[i].green, entries[i].blue);
  image.setColorTable(table);
  return image;
}

}  // namespace

QImage WrapBitmap(const Bitmap& bitmap) {
  if (bitmap.Empty()) return QImage();
  switch (bitmap.Format()) {
    case PixelFormat::Bit32:
      return Wrap(bitmap, QImage::Format_RGB32);
    case PixelFormat::Bit24:
      return Wrap(bitmap, QImage::Format_BGR888);
    case PixelFormat::Bit8:
      return WrapIndexed(bitmap);
    default:
      return QImage();
  }
}

QImage ImageOfBitmap(const Bitmap& bitmap) {
  QImage image = WrapBitmap(bitmap);
  if (!image.isNull() || bitmap.Empty()) return image;
  Bitmap copy = bitmap;
  copy.SetPixelFormat(PixelFormat::Bit32);
  return Wrap(copy, QImage::Format_RGB32).copy();
}

}  // namespace skelda
