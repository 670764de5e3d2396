#include "intake/picture_file.h"

#include <algorithm>

#include "core/bmp_reader.h"
#include "intake/jpeg_decoder.h"

namespace skelda {

std::string_view FileExtension(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : fileName.substr(dot);
}

bool IsBitmapKind(std::string_view fileName) {
  constexpr std::string_view kBmp = ".BMP";
  const std::string_view ext = FileExtension(fileName);
  return std::equal(ext.begin(), ext.end(), kBmp.begin(), kBmp.end(),
                    [](char a, char b) { return (a >= 'a' && a <= 'z' ? a - 'a' + 'A' : a) == b; });
}

Bitmap ReadPictureKindFile(const std::string& fileName) {
  return IsBitmapKind(fileName) ? ReadBmpFile(fileName) : ReadJpegFile(fileName);
}

}  // namespace skelda
