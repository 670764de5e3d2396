// Picture files by kind: the first bytes decide (JPEG, BMP, PNG, GIF, WebP, TIFF). A file whose
// content is none of these is read by its name, as before: a name ending in ".bmp" (any case) as
// a Windows bitmap, every other name as a JPEG, so that it gets the same message.
#pragma once

#include <string>
#include <string_view>

#include "core/bitmap.h"

namespace skelda {

// The extension from the last "." to the end, "." included; empty when there is none.
std::string_view FileExtension(std::string_view fileName);
bool IsBitmapKind(std::string_view fileName);

struct PictureRead {
  Bitmap picture;   // as stored, in the format it was read in
  int orientation;  // the EXIF orientation the file records, 1..8
};

// Reads the file in full into a new bitmap: a BMP keeps its own depth, every other kind comes as
// 32 bits. Throws OpenFileError naming the file, InvalidGraphicError ("Bitmap image is not
// valid"), JpegError ("JPEG error #N"), PictureFormatError or PictureTooLargeError.
PictureRead ReadPictureAndOrientation(const std::string& fileName);
Bitmap ReadPictureKindFile(const std::string& fileName);

}  // namespace skelda
