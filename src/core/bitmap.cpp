#include "core/bitmap.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/errors.h"

namespace skelda {

namespace {

// A picture's 32-bit form must stay well inside memory: the workspace holds two copies and a
// command may make a third and an error plane beside them.
constexpr long long kMaxPixels = 1LL << 28;
constexpr long long kMaxSide = 1LL << 20;

std::vector<PaletteEntry> GreyRamp(int count) {
  std::vector<PaletteEntry> ramp(count);
  for (int i = 0; i < count; ++i) {
    auto v = static_cast<std::uint8_t>(count == 1 ? 0 : i * 255 / (count - 1));
    ramp[i] = {v, v, v, 0};
  }
  return ramp;
}

}  // namespace

Palette::Palette(std::vector<PaletteEntry> entries) : entries_(std::move(entries)) {}

int Palette::NearestIndex(Color color) const {
  int best = 0;
  long bestDistance = std::numeric_limits<long>::max();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    long dr = long(entries_[i].red) - RedOf(color);
    long dg = long(entries_[i].green) - GreenOf(color);
    long db = long(entries_[i].blue) - BlueOf(color);
    long d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
      if (d == 0) break;
    }
  }
  return best;
}

std::size_t RowBytesFor(int width, int bitsPerPixel) {
  if (width < 0 || width > kMaxSide) throw PictureTooLargeError(width, 1);
  return ((static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

void CheckPictureSize(long long width, long long height, int bitsPerPixel) {
  if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide ||
      width * height > kMaxPixels || bitsPerPixel > 64) {
    throw PictureTooLargeError(width, height);
  }
}

Bitmap::Bitmap(int width, int height, PixelFormat format) : format_(format) {
  layout_ = FormatInfo(format).layout;
  if (FormatInfo(format).indexed) palette_ = GreyRamp(1 << BitsPerPixelOf(format));
  Reallocate(width, height, false);
}

Bitmap Bitmap::Unfilled(int width, int height, PixelFormat format) {
  Bitmap bitmap(0, 0, format);
  bitmap.Reallocate(width, height, false, false);
  return bitmap;
}

Bitmap::Bitmap(const Bitmap& other)
    : width_(other.width_),
      height_(other.height_),
      format_(other.format_),
      layout_(other.layout_),
      rowBytes_(other.rowBytes_),
      palette_(other.palette_) {
  CopyPixels(other.pixels_);
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this == &other) return *this;
  std::vector<PaletteEntry> palette = other.palette_;
  CopyPixels(other.pixels_);
  palette_ = std::move(palette);
  width_ = other.width_;
  height_ = other.height_;
  format_ = other.format_;
  layout_ = other.layout_;
  rowBytes_ = other.rowBytes_;
  return *this;
}

// The block is only resized (its elements are left unset) and then filled by one memcpy: a
// vector with its own allocator would copy byte by byte, three times slower than the memory.
void Bitmap::CopyPixels(const PixelVector& source) {
  if (source.size() > pixels_.capacity()) {
    PixelVector fresh;
    fresh.resize(source.size());
    pixels_.swap(fresh);
  } else {
    pixels_.resize(source.size());
  }
  if (!source.empty()) std::memcpy(pixels_.data(), source.data(), source.size());
}

int Bitmap::BitsPerPixel() const {
  return format_ == PixelFormat::Custom ? layout_.bitCount : BitsPerPixelOf(format_);
}

void Bitmap::Reallocate(int width, int height, bool keepPixels, bool clear) {
  const int bpp = std::max(BitsPerPixel(), 1);
  CheckPictureSize(width, height, bpp);
  const std::size_t newRowBytes = RowBytesFor(width, bpp);
  PixelVector pixels(newRowBytes * static_cast<std::size_t>(height));
  if (clear && !pixels.empty()) std::memset(pixels.data(), 0, pixels.size());
  if (keepPixels) {
    const int rows = std::min(height, height_);
    const std::size_t bytes = std::min(newRowBytes, rowBytes_);
    for (int y = 0; y < rows; ++y) {
      std::memcpy(pixels.data() + y * newRowBytes, pixels_.data() + y * rowBytes_, bytes);
    }
  }
  pixels_ = std::move(pixels);
  rowBytes_ = newRowBytes;
  width_ = width;
  height_ = height;
}

void Bitmap::SetWidth(int width) {
  SetSize(width, height_);
}
void Bitmap::SetHeight(int height) {
  SetSize(width_, height);
}

void Bitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  Reallocate(width, height, true);
}

void Bitmap::SetPixelFormat(PixelFormat format) {
  if (format == format_ && format != PixelFormat::Custom) return;
  Bitmap target;
  target.format_ = format;
  target.layout_ = FormatInfo(format).layout;
  if (FormatInfo(format).indexed) {
    target.palette_ = palette_.empty() ? GreyRamp(1 << BitsPerPixelOf(format)) : palette_;
    target.palette_.resize(
        std::min<std::size_t>(target.palette_.size(), std::size_t(1) << BitsPerPixelOf(format)));
  }
  target.Reallocate(width_, height_, false);
  const bool from32 = format_ == PixelFormat::Bit32, from24 = format_ == PixelFormat::Bit24;
  if ((from32 && format == PixelFormat::Bit24) || (from24 && format == PixelFormat::Bit32)) {
    const auto rows = from32 ? Row32To24 : Row24To32;
    const std::uint8_t* s = Bits();
    std::uint8_t* d = target.Bits();
    for (int y = 0; y < height_; ++y, s += rowBytes_, d += target.rowBytes_) rows(s, d, width_);
  } else if (format_ == PixelFormat::Bit8 && format == PixelFormat::Bit32) {
    std::uint8_t lut[256][4] = {};
    for (std::size_t i = 0; i < palette_.size() && i < 256; ++i) {
      lut[i][0] = palette_[i].blue;
      lut[i][1] = palette_[i].green;
      lut[i][2] = palette_[i].red;
    }
    for (int y = 0; y < height_; ++y) {
      const std::uint8_t* s = ScanLine(y);
      std::uint8_t* d = target.ScanLine(y);
      for (int x = 0; x < width_; ++x, d += 4) std::memcpy(d, lut[s[x]], 4);
    }
  } else {
    Palette nearest(target.palette_);
    const bool toPalette = !target.palette_.empty();
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        Color c = PixelColor(x, y) & kWhite;
        if (toPalette) {
          const int index = nearest.NearestIndex(c);
          c = EntryColor(target.palette_[index]) & kWhite;
        }
        target.SetPixelColor(x, y, c);
      }
    }
  }
  *this = std::move(target);
}

void Bitmap::SetCustomLayout(const PixelLayout& layout) {
  format_ = PixelFormat::Custom;
  layout_ = layout;
  palette_.clear();
  Reallocate(width_, height_, false);
}

std::uint8_t* Bitmap::ScanLine(int y) {
  if (y < 0 || y >= height_) throw Error("Scan line index out of range");
  return pixels_.data() + static_cast<std::size_t>(y) * rowBytes_;
}

const std::uint8_t* Bitmap::ScanLine(int y) const {
  if (y < 0 || y >= height_) throw Error("Scan line index out of range");
  return pixels_.data() + static_cast<std::size_t>(y) * rowBytes_;
}

void Bitmap::SetPalette(std::vector<PaletteEntry> entries) {
  if (entries.size() > 256) entries.resize(256);
  palette_ = std::move(entries);
}

void Bitmap::FillRect(int left, int top, int right, int bottom, Color color) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (left >= right || top >= bottom) return;
  if (format_ == PixelFormat::Bit32 || format_ == PixelFormat::Bit24) {
    const int step = format_ == PixelFormat::Bit32 ? 4 : 3;
    const std::uint8_t px[4] = {BlueOf(color), GreenOf(color), RedOf(color), 0};
    for (int y = top; y < bottom; ++y) {
      std::uint8_t* p = ScanLine(y) + left * step;
      for (int x = left; x < right; ++x, p += step) std::memcpy(p, px, step);
    }
    return;
  }
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) SetPixelColor(x, y, color);
  }
}

namespace {

std::uint32_t InsertChannel(std::uint8_t value, std::uint32_t mask) {
  if (!mask) return 0;
  unsigned shift = 0, bits = 0;
  while (!((mask >> shift) & 1)) ++shift;
  while (shift + bits < 32 && ((mask >> (shift + bits)) & 1)) ++bits;
  const std::uint64_t max = bits >= 32 ? 0xFFFFFFFFull : (1ull << bits) - 1;
  return static_cast<std::uint32_t>(((value * max + 127) / 255) << shift) & mask;
}

}  // namespace

Color Bitmap::PixelColor(int x, int y) const {
  const std::uint8_t* row = pixels_.data() + static_cast<std::size_t>(y) * rowBytes_;
  const PixelFormatInfo& info = FormatInfo(format_);
  if (format_ == PixelFormat::Custom) return CustomColor(row, x);
  if (!info.read) return kBlack;
  const std::uint32_t value = info.read(row, x);
  if (!info.indexed) return value;
  return value < palette_.size() ? EntryColor(palette_[value]) : kBlack;
}

void Bitmap::SetPixelColor(int x, int y, Color color) {
  std::uint8_t* row = pixels_.data() + static_cast<std::size_t>(y) * rowBytes_;
  const PixelFormatInfo& info = FormatInfo(format_);
  if (format_ == PixelFormat::Custom) return SetCustomColor(row, x, color);
  if (!info.write) return;
  if (!info.indexed) return info.write(row, x, color);
  info.write(row, x, static_cast<std::uint32_t>(Palette(palette_).NearestIndex(color & kWhite)));
}

// Without bit fields a custom 16-bit layout is the 5-5-5 word and a 32-bit one the 32-bit
// format; other bit counts hold no colour.
Color Bitmap::CustomColor(const std::uint8_t* row, int x) const {
  if (layout_.compression != kCompressionBitFields) {
    if (layout_.bitCount == 16) return pixel_access::Read15(row, x);
    return layout_.bitCount == 32 ? pixel_access::ReadBgr<4>(row, x) : kBlack;
  }
  std::uint32_t w = 0;
  if (layout_.bitCount == 16) w = pixel_access::Word16(row + 2 * x);
  if (layout_.bitCount == 32) std::memcpy(&w, row + 4 * x, 4);
  return MaskedColour(MasksOf(layout_))(w);
}

void Bitmap::SetCustomColor(std::uint8_t* row, int x, Color color) {
  if (layout_.compression != kCompressionBitFields) {
    if (layout_.bitCount == 16) pixel_access::Write15(row, x, color);
    if (layout_.bitCount == 32) pixel_access::WriteBgr<4>(row, x, color);
    return;
  }
  const std::uint32_t w = InsertChannel(RedOf(color), layout_.redMask) |
                          InsertChannel(GreenOf(color), layout_.greenMask) |
                          InsertChannel(BlueOf(color), layout_.blueMask);
  if (layout_.bitCount == 16) pixel_access::PutWord16(row + 2 * x, w & 0xFFFF);
  if (layout_.bitCount == 32) std::memcpy(row + 4 * x, &w, 4);
}

}  // namespace skelda
