#include "core/bmp_writer.h"

#include <limits>

#include "core/atomic_file.h"
#include "core/errors.h"

namespace skelda {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// How a bitmap is written: bit count, compression and, for bit fields, the three masks.
PixelLayout FileLayoutOf(const Bitmap& bitmap) {
  if (bitmap.Format() != PixelFormat::Custom) {
    const PixelFormatInfo& info = FormatInfo(bitmap.Format());
    if (info.bitsPerPixel > 0) return info.layout;
  } else {
    const PixelLayout& layout = bitmap.Layout();
    if ((layout.bitCount == 16 || layout.bitCount == 32) &&
        (layout.compression == kCompressionRgb || layout.compression == kCompressionBitFields)) {
      return layout;
    }
  }
  throw AssertionError("Bitmap format is not supported", __FILE__, __LINE__);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap) {
  if (bitmap.Empty()) throw InvalidGraphicError();
  const PixelLayout layout = FileLayoutOf(bitmap);
  const bool bitFields = layout.compression == kCompressionBitFields;
  std::vector<PaletteEntry> palette;
  if (layout.bitCount <= 8) {
    const std::size_t full = std::size_t(1) << layout.bitCount;
    palette = bitmap.PaletteEntries();
    // Indices beyond the palette read as black; an empty palette becomes a black one.
    if (palette.size() > full) palette.resize(full);
    if (palette.empty()) palette.resize(full);
  }
  const std::size_t rowBytes = bitmap.RowBytes();
  const std::size_t imageSize = rowBytes * static_cast<std::size_t>(bitmap.Height());
  const std::size_t pixelOffset = kFileHeaderSize + 40 + (bitFields ? 12 : 0) + 4 * palette.size();
  const std::size_t fileSize = pixelOffset + imageSize;
  if (fileSize > std::numeric_limits<std::uint32_t>::max()) {
    throw PictureTooLargeError(bitmap.Width(), bitmap.Height());
  }

  std::vector<std::uint8_t> out;
  out.reserve(fileSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, static_cast<std::uint32_t>(fileSize));
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(pixelOffset));
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(bitmap.Width()));
  Put32(out, static_cast<std::uint32_t>(bitmap.Height()));  // positive: rows bottom-up
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(layout.bitCount));
  Put32(out, layout.compression);
  Put32(out, static_cast<std::uint32_t>(imageSize));
  Put32(out, 0);  // no resolution recorded
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(palette.size()));
  Put32(out, 0);
  if (bitFields) {
    Put32(out, layout.redMask);
    Put32(out, layout.greenMask);
    Put32(out, layout.blueMask);
  }
  for (const PaletteEntry& e : palette) {
    out.push_back(e.blue);
    out.push_back(e.green);
    out.push_back(e.red);
    out.push_back(0);
  }
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    const std::uint8_t* row = bitmap.ScanLine(y);
    out.insert(out.end(), row, row + rowBytes);
  }
  return out;
}

void WriteBmpFile(const Bitmap& bitmap, const std::string& path) {
  const std::vector<std::uint8_t> bytes = EncodeBmp(bitmap);
  AtomicFileWriter writer(path);
  writer.Write(bytes.data(), bytes.size());
  writer.Commit();
}

}  // namespace skelda
