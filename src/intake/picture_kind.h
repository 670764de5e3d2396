// What a picture file holds, told by its first bytes rather than its name.
#pragma once

#include <cstddef>
#include <cstdint>

namespace skelda {

enum class PictureKind { Unknown, Jpeg, Bmp, Png, Gif, WebP, Tiff };

// Bytes enough to tell every kind apart.
inline constexpr std::size_t kPictureSignatureBytes = 12;

// JPEG FF D8 FF, BMP "BM", PNG's eight-byte signature, "GIF87a"/"GIF89a", "RIFF" size "WEBP",
// TIFF "II*\0" or "MM\0*"; anything else, and anything shorter than its signature, is Unknown.
PictureKind DetectPictureKind(const std::uint8_t* head, std::size_t size);

}  // namespace skelda
