#include "intake/picture_kind.h"

#include <cstring>
#include <string_view>

namespace skelda {

namespace {

bool StartsWith(const std::uint8_t* head, std::size_t size, std::string_view signature,
                std::size_t at = 0) {
  return size >= at + signature.size() &&
         std::memcmp(head + at, signature.data(), signature.size()) == 0;
}

}  // namespace

PictureKind DetectPictureKind(const std::uint8_t* head, std::size_t size) {
  using namespace std::string_view_literals;
  if (StartsWith(head, size, "\xFF\xD8\xFF"sv)) return PictureKind::Jpeg;
  if (StartsWith(head, size, "BM"sv)) return PictureKind::Bmp;
  if (StartsWith(head, size, "\x89PNG\r\n\x1A\n"sv)) return PictureKind::Png;
  if (StartsWith(head, size, "GIF87a"sv) || StartsWith(head, size, "GIF89a"sv)) {
    return PictureKind::Gif;
  }
  if (StartsWith(head, size, "RIFF"sv) && StartsWith(head, size, "WEBP"sv, 8)) {
    return PictureKind::WebP;
  }
  if (StartsWith(head, size, "II*\0"sv) || StartsWith(head, size, "MM\0*"sv)) {
    return PictureKind::Tiff;
  }
  return PictureKind::Unknown;
}

}  // namespace skelda
