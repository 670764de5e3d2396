#include "intake/exif_orientation.h"

#include <cstring>
#include <string_view>

namespace skelda {

namespace {

using namespace std::string_view_literals;

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;

// A byte range read with bounds checks; every read outside it yields 0.
struct Block {
  const std::uint8_t* data;
  std::size_t size;
  bool bigEndian = false;

  bool Has(std::size_t at, std::size_t count) const { return at <= size && count <= size - at; }
  unsigned U16(std::size_t at) const {
    if (!Has(at, 2)) return 0;
    return bigEndian ? (data[at] << 8) | data[at + 1] : data[at] | (data[at + 1] << 8);
  }
  std::uint32_t U32(std::size_t at) const {
    if (!Has(at, 4)) return 0;
    const std::uint32_t a = U16(at), b = U16(at + 2);
    return bigEndian ? (a << 16) | b : (b << 16) | a;
  }
  bool Holds(std::size_t at, std::string_view text) const {
    return Has(at, text.size()) && std::memcmp(data + at, text.data(), text.size()) == 0;
  }
};

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// An EXIF block as JPEG and some WebP writers store it: "Exif\0\0", then the TIFF structure.
int ExifBlockOrientation(const std::uint8_t* data, std::size_t size) {
  const Block block{data, size};
  if (block.Holds(0, "Exif\0\0"sv)) return TiffOrientation(data + 6, size - 6);
  return TiffOrientation(data, size);
}

// Markers up to the first scan; APP1 segments that are not EXIF (XMP) are passed over.
int JpegOrientation(const std::uint8_t* data, std::size_t size) {
  std::size_t at = 2;
  while (at + 4 <= size) {
    if (data[at] != 0xFF) return kOrientationAsStored;
    const std::uint8_t marker = data[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return kOrientationAsStored;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
      at += 2;
      continue;
    }
    const std::size_t length = (data[at + 2] << 8) | data[at + 3];
    if (length < 2 || length > size - at - 2) return kOrientationAsStored;
    const Block segment{data + at + 4, length - 2};
    if (marker == 0xE1 && segment.Holds(0, "Exif\0\0"sv)) {
      return TiffOrientation(segment.data + 6, segment.size - 6);
    }
    at += 2 + length;
  }
  return kOrientationAsStored;
}

int PngOrientation(const std::uint8_t* data, std::size_t size) {
  std::size_t at = 8;
  while (at + 12 <= size) {
    const std::uint32_t length = BigEndian32(data + at);
    if (length > size - at - 12) return kOrientationAsStored;
    const Block chunk{data + at + 4, 4};
    if (chunk.Holds(0, "eXIf"sv)) return TiffOrientation(data + at + 8, length);
    if (chunk.Holds(0, "IEND"sv)) break;
    at += 12 + std::size_t(length);
  }
  return kOrientationAsStored;
}

int WebPOrientation(const std::uint8_t* data, std::size_t size) {
  std::size_t at = 12;
  while (at + 8 <= size) {
    const Block header{data + at, 8};
    const std::uint32_t length = header.U32(4);
    if (length > size - at - 8) return kOrientationAsStored;
    if (header.Holds(0, "EXIF"sv)) return ExifBlockOrientation(data + at + 8, length);
    at += 8 + std::size_t(length) + (length & 1);  // chunks are padded to even sizes
  }
  return kOrientationAsStored;
}

}  // namespace

int TiffOrientation(const std::uint8_t* data, std::size_t size) {
  Block tiff{data, size};
  if (tiff.Holds(0, "MM\0*"sv)) {
    tiff.bigEndian = true;
  } else if (!tiff.Holds(0, "II*\0"sv)) {
    return kOrientationAsStored;
  }
  const std::size_t directory = tiff.U32(4);
  const unsigned entries = tiff.U16(directory);
  for (unsigned i = 0; i < entries; ++i) {
    const std::size_t entry = directory + 2 + 12 * std::size_t(i);
    if (!tiff.Has(entry, 12)) break;
    if (tiff.U16(entry) != kOrientationTag) continue;
    if (tiff.U16(entry + 2) != kShortType || tiff.U32(entry + 4) == 0) break;
    const unsigned value = tiff.U16(entry + 8);
    return value >= 1 && value <= 8 ? static_cast<int>(value) : kOrientationAsStored;
  }
  return kOrientationAsStored;
}

int FileOrientation(PictureKind kind, const std::uint8_t* data, std::size_t size) {
  switch (kind) {
    case PictureKind::Jpeg:
      return JpegOrientation(data, size);
    case PictureKind::Png:
      return PngOrientation(data, size);
    case PictureKind::WebP:
      return WebPOrientation(data, size);
    case PictureKind::Tiff:
      return TiffOrientation(data, size);
    default:
      return kOrientationAsStored;
  }
}

}  // namespace skelda
