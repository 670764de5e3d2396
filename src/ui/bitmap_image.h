// A QImage over the rows of a bitmap, without copying its pixels.
#pragma once

#include <QImage>

#include "core/bitmap.h"

namespace skelda {

// The 32-bit, 24-bit and 8-bit palette layouts wrapped in place (the image shares the bitmap's
// memory and is valid only until the bitmap changes size or format); a null image for the other
// layouts, which no command leaves in the shown picture.
QImage WrapBitmap(const Bitmap& bitmap);

// A QImage for any bitmap: the wrap where one exists, otherwise a 32-bit copy.
QImage ImageOfBitmap(const Bitmap& bitmap);

}  // namespace skelda
