#include "core/bmp_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

#include "core/errors.h"
#include "core/file_bytes.h"
#include "core/pixel_words.h"

namespace skelda {

namespace {

enum : std::uint32_t { kRle8 = 1, kRle4 = 2 };

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kOs2V1HeaderSize = 12;
constexpr std::uint32_t kOs2V2HeaderSize = 64;

[[noreturn]] void Invalid() {
  throw InvalidGraphicError();
}

// Every read of the file image goes through here: a field that does not lie wholly inside the
// buffer makes the file invalid.
class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t size() const { return size_; }
  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= size_ && count <= size_ - offset;
  }
  const std::uint8_t* At(std::size_t offset, std::size_t count) const {
    if (!Has(offset, count)) Invalid();
    return data_ + offset;
  }
  std::uint16_t U16(std::size_t offset) const {
    const std::uint8_t* p = At(offset, 2);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
  }
  std::uint32_t U32(std::size_t offset) const {
    const std::uint8_t* p = At(offset, 4);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
  }
  std::int32_t S32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

struct Header {
  std::uint32_t pixelOffset = 0;  // bfOffBits
  std::uint32_t headerSize = 0;
  long long width = 0;
  long long height = 0;  // rows in the file, always positive
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = kCompressionRgb;
  std::uint32_t colorsUsed = 0;
  ChannelMasks masks;
  std::size_t paletteOffset = 0;
  std::size_t paletteEntrySize = 4;
};

bool IsKnownHeaderSize(std::uint32_t size) {
  switch (size) {
    case kOs2V1HeaderSize:
    case 40:
    case 52:
    case 56:
    case kOs2V2HeaderSize:
    case 108:
    case 124:
      return true;
    default:
      return false;
  }
}

void ReadOs2V1Info(const Bytes& in, Header& h) {
  h.width = in.U16(18);
  h.height = in.U16(20);
  if (in.U16(22) != 1) Invalid();
  h.bitCount = in.U16(24);
  h.paletteEntrySize = 3;
  if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 24) Invalid();
}

void ReadWindowsInfo(const Bytes& in, Header& h) {
  const std::int32_t width = in.S32(18);
  const std::int32_t height = in.S32(22);
  if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min()) Invalid();
  h.width = width;
  h.topDown = height < 0;
  h.height = h.topDown ? -static_cast<long long>(height) : height;
  if (in.U16(26) != 1) Invalid();
  h.bitCount = in.U16(28);
  h.compression = in.U32(30);
  h.colorsUsed = in.U32(46);

  switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      Invalid();
  }
  switch (h.compression) {
    case kCompressionRgb:
      break;
    case kRle8:
      if (h.bitCount != 8 || h.topDown) Invalid();
      break;
    case kRle4:
      if (h.bitCount != 4 || h.topDown) Invalid();
      break;
    case kCompressionBitFields:
      // In the OS/2 2.x header 3 means Huffman 1D, which is not supported.
      if (h.headerSize == kOs2V2HeaderSize) Invalid();
      if (h.bitCount != 16 && h.bitCount != 32) Invalid();
      break;
    default:
      Invalid();
  }
  if (h.compression == kCompressionBitFields) {
    // The 40-byte header keeps its masks right after it; the longer ones hold them inside.
    const std::size_t maskOffset = kFileHeaderSize + 40;
    h.masks = {in.U32(maskOffset), in.U32(maskOffset + 4), in.U32(maskOffset + 8)};
    if (h.headerSize == 40) h.paletteOffset += 12;
  }
}

Header ReadHeader(const Bytes& in) {
  if (!in.Has(0, kFileHeaderSize + 4)) Invalid();
  if (in.At(0, 2)[0] != 'B' || in.At(0, 2)[1] != 'M') Invalid();
  Header h;
  h.pixelOffset = in.U32(10);
  h.headerSize = in.U32(14);
  if (!IsKnownHeaderSize(h.headerSize) || !in.Has(kFileHeaderSize, h.headerSize)) Invalid();
  h.paletteOffset = kFileHeaderSize + h.headerSize;
  if (h.headerSize == kOs2V1HeaderSize) {
    ReadOs2V1Info(in, h);
  } else {
    ReadWindowsInfo(in, h);
  }
  if (h.width == 0 || h.height == 0) Invalid();
  if (h.pixelOffset < h.paletteOffset || h.pixelOffset > in.size()) Invalid();
  return h;
}

// The palette of a 1-, 4- or 8-bit file, always 2^bpp entries long: entries the file does not
// give are black, so an index beyond the file's palette reads as black and never past it.
std::vector<PaletteEntry> ReadPalette(const Bytes& in, const Header& h) {
  const std::size_t full = std::size_t(1) << h.bitCount;
  const std::size_t claimed = h.colorsUsed == 0 ? full : h.colorsUsed;
  const std::size_t room = (in.size() - h.paletteOffset) / h.paletteEntrySize;
  if (claimed > room) Invalid();  // a palette that would run past the end of the file
  // The pixels may start before the claimed palette ends (short OS/2 palettes); entries past
  // the pixel offset belong to the pixels, and entries past 2^bpp can never be used.
  const std::size_t beforePixels = (h.pixelOffset - h.paletteOffset) / h.paletteEntrySize;
  const std::size_t count = std::min({claimed, full, beforePixels});
  if (count == 0) Invalid();
  std::vector<PaletteEntry> palette(full);
  const std::uint8_t* p = in.At(h.paletteOffset, count * h.paletteEntrySize);
  for (std::size_t i = 0; i < count; ++i, p += h.paletteEntrySize) {
    palette[i] = {p[2], p[1], p[0], 0};
  }
  return palette;
}

// The named format whose words a 16- or 32-bit file holds, or Custom when its masks need
// converting (to 32 bits).
PixelFormat WordFormatOf(const Header& h) {
  return NamedFormatOf(
      PixelLayout{h.bitCount, h.compression, h.masks.red, h.masks.green, h.masks.blue});
}

// 1, 4, 8 and 24 bits have one format each; 16- and 32-bit words that no named format holds
// are converted to 32 bits.
PixelFormat FormatFor(const Header& h) {
  if (h.bitCount == 16 || h.bitCount == 32) {
    const PixelFormat named = WordFormatOf(h);
    return named == PixelFormat::Custom ? PixelFormat::Bit32 : named;
  }
  for (const PixelFormatInfo& f : kPixelFormats) {
    if (f.bitsPerPixel == h.bitCount) return f.format;
  }
  Invalid();
}

// Row y of the bitmap (counted from the top) is row FileRow(y) of the file's pixel data.
long long FileRow(const Header& h, int y) {
  return h.topDown ? y : h.height - 1 - y;
}

void ReadUncompressed(const Bytes& in, const Header& h, Bitmap& bitmap) {
  // Sizes from the header are checked against the data before anything is allocated.
  const std::size_t bits = static_cast<std::size_t>(h.width) * h.bitCount;
  const std::size_t fileRowBytes = (bits + 31) / 32 * 4;
  const std::size_t usedBytes = (bits + 7) / 8;
  // The last row may lack its padding; everything else must be there.
  const std::size_t available = in.size() - h.pixelOffset;
  if (available < usedBytes ||
      static_cast<std::size_t>(h.height - 1) > (available - usedBytes) / fileRowBytes) {
    Invalid();
  }
  CheckPictureSize(h.width, h.height, h.bitCount);
  const PixelFormat format = FormatFor(h);
  bitmap = Bitmap(static_cast<int>(h.width), static_cast<int>(h.height), format);
  if (h.bitCount <= 8) bitmap.SetPalette(ReadPalette(in, h));

  const bool convert =
      (h.bitCount == 16 || h.bitCount == 32) && WordFormatOf(h) == PixelFormat::Custom;
  const MaskedColour colour(h.masks);
  const int width = bitmap.Width();
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* src = in.At(h.pixelOffset + FileRow(h, y) * fileRowBytes, usedBytes);
    std::uint8_t* dst = bitmap.ScanLine(y);
    if (!convert) {
      std::memcpy(dst, src, usedBytes);
      // Bits outside the colour channels never reach the picture.
      if (h.bitCount == 32) {
        ClearFourthBytes(dst, width);
      } else if (format == PixelFormat::Bit15) {
        for (int x = 0; x < width; ++x) dst[2 * x + 1] &= 0x7F;
      }
      continue;
    }
    for (int x = 0; x < width; ++x) {
      const std::uint32_t w =
          h.bitCount == 16 ? pixel_access::Word16(src + 2 * x) : LoadWord(src + 4 * x);
      pixel_access::WriteBgr<4>(dst, x, colour(w));
    }
  }
}

// Writes palette indices of one RLE picture, dropping every pixel outside the picture.
class RleCanvas {
 public:
  RleCanvas(Bitmap& bitmap, int bitCount)
      : bitmap_(bitmap), bitCount_(bitCount), width_(bitmap.Width()), height_(bitmap.Height()) {}

  bool Done() const { return y_ >= height_; }
  void Put(unsigned index) {
    if (x_ < width_ && y_ < height_) {
      std::uint8_t* row = bitmap_.ScanLine(height_ - 1 - y_);
      if (bitCount_ == 8) {
        row[x_] = static_cast<std::uint8_t>(index);
      } else if (x_ % 2) {
        row[x_ / 2] = static_cast<std::uint8_t>((row[x_ / 2] & 0xF0) | (index & 0x0F));
      } else {
        row[x_ / 2] = static_cast<std::uint8_t>((row[x_ / 2] & 0x0F) | (index << 4));
      }
    }
    if (x_ < width_) ++x_;
  }
  void EndOfLine() {
    x_ = 0;
    ++y_;
  }
  void Move(int dx, int dy) {
    x_ = std::min(x_ + dx, width_);
    y_ = std::min(y_ + dy, height_);
  }

 private:
  Bitmap& bitmap_;
  int bitCount_;
  int width_;
  int height_;
  int x_ = 0;
  int y_ = 0;  // counted from the bottom, as the file counts
};

// RLE8 and RLE4. Runs and deltas that leave the picture are clipped; pixels no command sets
// keep palette index 0. Data that ends before the picture is complete and without an
// end-of-bitmap mark is truncated.
void ReadRle(const Bytes& in, const Header& h, Bitmap& bitmap) {
  CheckPictureSize(h.width, h.height, h.bitCount);
  bitmap = Bitmap(static_cast<int>(h.width), static_cast<int>(h.height),
                  h.bitCount == 8 ? PixelFormat::Bit8 : PixelFormat::Bit4);
  bitmap.SetPalette(ReadPalette(in, h));
  RleCanvas canvas(bitmap, h.bitCount);
  const bool four = h.bitCount == 4;
  std::size_t pos = h.pixelOffset;
  while (!canvas.Done()) {
    const std::uint8_t* cmd = in.At(pos, 2);
    pos += 2;
    if (cmd[0] > 0) {
      for (int i = 0; i < cmd[0]; ++i) {
        canvas.Put(four ? (i % 2 ? cmd[1] & 0x0F : cmd[1] >> 4) : cmd[1]);
      }
    } else if (cmd[1] == 0) {
      canvas.EndOfLine();
    } else if (cmd[1] == 1) {
      return;
    } else if (cmd[1] == 2) {
      const std::uint8_t* delta = in.At(pos, 2);
      pos += 2;
      canvas.Move(delta[0], delta[1]);
    } else {
      const int count = cmd[1];
      const std::size_t bytes = four ? (count + 1) / 2 : count;
      const std::uint8_t* p = in.At(pos, bytes);
      for (int i = 0; i < count; ++i) {
        canvas.Put(four ? (i % 2 ? p[i / 2] & 0x0F : p[i / 2] >> 4) : p[i]);
      }
      pos += (bytes + 1) & ~std::size_t(1);
    }
  }
}

}  // namespace

Bitmap ReadBmp(const std::uint8_t* data, std::size_t size) {
  const Bytes in(data, size);
  const Header h = ReadHeader(in);
  Bitmap bitmap;
  if (h.compression == kRle8 || h.compression == kRle4) {
    ReadRle(in, h, bitmap);
  } else {
    ReadUncompressed(in, h, bitmap);
  }
  return bitmap;
}

Bitmap ReadBmp(const std::vector<std::uint8_t>& bytes) {
  return ReadBmp(bytes.data(), bytes.size());
}

Bitmap ReadBmpFile(const std::string& path) {
  return ReadBmp(ReadFileBytes(path, [](const std::uint8_t* head, std::size_t size) {
    if (size >= 2 && (head[0] != 'B' || head[1] != 'M')) Invalid();
  }));
}

}  // namespace skelda
