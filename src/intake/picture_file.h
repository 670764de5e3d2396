// Picture files by kind: a name ending in ".bmp" (any case) is a Windows bitmap, every other
// name is decoded as a JPEG.
#pragma once

#include <string>
#include <string_view>

#include "core/bitmap.h"

namespace skelda {

// The extension from the last "." to the end, "." included; empty when there is none.
std::string_view FileExtension(std::string_view fileName);
bool IsBitmapKind(std::string_view fileName);

// Reads the file in full into a new bitmap in the format it was read in (a BMP keeps its own
// depth, a JPEG comes as 32 bits). Throws OpenFileError naming the file, InvalidGraphicError
// ("Bitmap image is not valid"), JpegError ("JPEG error #N") or PictureTooLargeError.
Bitmap ReadPictureKindFile(const std::string& fileName);

}  // namespace skelda
