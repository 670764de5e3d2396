#include "intake/picture_file.h"

#include <algorithm>

#include "core/bmp_reader.h"
#include "core/errors.h"
#include "core/file_bytes.h"
#include "intake/exif_orientation.h"
#include "intake/gif_decoder.h"
#include "intake/jpeg_decoder.h"
#include "intake/picture_kind.h"
#include "intake/png_decoder.h"
#include "intake/tiff_decoder.h"
#include "intake/webp_decoder.h"

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace skelda {

namespace {

// A file of no known kind is refused from its first bytes by the reader its name chooses, as
// it always was, before the rest is read.
void CheckHeadAsBitmap(const std::uint8_t* head, std::size_t size) {
  if (DetectPictureKind(head, size) != PictureKind::Unknown) return;
  if (size >= 2) throw InvalidGraphicError();
}

void CheckHeadAsJpeg(const std::uint8_t* head, std::size_t size) {
  if (DetectPictureKind(head, size) != PictureKind::Unknown) return;
  if (size >= 2 && (head[0] != 0xFF || head[1] != 0xD8)) throw JpegError(JERR_NO_SOI);
}

Bitmap Decode(PictureKind kind, const std::vector<std::uint8_t>& bytes, bool asBitmap) {
  switch (kind) {
    case PictureKind::Jpeg:
      return DecodeJpeg(bytes.data(), bytes.size());
    case PictureKind::Bmp:
      return ReadBmp(bytes);
    case PictureKind::Png:
      return DecodePng(bytes.data(), bytes.size());
    case PictureKind::Gif:
      return DecodeGif(bytes.data(), bytes.size());
    case PictureKind::WebP:
      return DecodeWebP(bytes.data(), bytes.size());
    case PictureKind::Tiff:
      return DecodeTiff(bytes.data(), bytes.size());
    case PictureKind::Unknown:
      break;
  }
  return asBitmap ? ReadBmp(bytes) : DecodeJpeg(bytes.data(), bytes.size());
}

}  // namespace

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

PictureRead ReadPictureAndOrientation(const std::string& fileName) {
  const bool asBitmap = IsBitmapKind(fileName);
  const std::vector<std::uint8_t> bytes =
      ReadFileBytes(fileName, asBitmap ? &CheckHeadAsBitmap : &CheckHeadAsJpeg);
  const PictureKind kind = DetectPictureKind(bytes.data(), bytes.size());
  Bitmap picture = Decode(kind, bytes, asBitmap);
  return {std::move(picture), FileOrientation(kind, bytes.data(), bytes.size())};
}

Bitmap ReadPictureKindFile(const std::string& fileName) {
  return ReadPictureAndOrientation(fileName).picture;
}

}  // namespace skelda
