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

int Expand5(unsigned v) { return (v << 3) | (v >> 2); }
int Expand6(unsigned v) { return (v << 2) | (v >> 4); }

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

int BitsPerPixelOf(PixelFormat format) {
  switch (format) {
    case PixelFormat::Bit1: return 1;
    case PixelFormat::Bit4: return 4;
    case PixelFormat::Bit8: return 8;
    case PixelFormat::Bit15: return 16;
    case PixelFormat::Bit16: return 16;
    case PixelFormat::Bit24: return 24;
    case PixelFormat::Bit32: return 32;
    case PixelFormat::Device:
    case PixelFormat::Custom: return 0;
  }
  return 0;
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
  layout_ = {BitsPerPixelOf(format), kCompressionRgb, 0, 0, 0};
  if (format == PixelFormat::Bit16) layout_ = {16, kCompressionBitFields, 0xF800, 0x7E0, 0x1F};
  if (BitsPerPixelOf(format) <= 8 && format != PixelFormat::Device) {
    palette_ = GreyRamp(1 << BitsPerPixelOf(format));
  }
  Reallocate(width, height, false);
}

Bitmap Bitmap::Unfilled(int width, int height, PixelFormat format) {
  Bitmap bitmap(0, 0, format);
  bitmap.Reallocate(width, height, false, false);
  return bitmap;
}

int Bitmap::BitsPerPixel() const {
  return format_ == PixelFormat::Custom ? layout_.bitCount : BitsPerPixelOf(format_);
}

void Bitmap::Reallocate(int width, int height, bool keepPixels, bool clear) {
  const int bpp = std::max(BitsPerPixel(), 1);
  CheckPictureSize(width, height, bpp);
  const std::size_t newRowBytes = RowBytesFor(width, bpp);
  std::vector<std::uint8_t, PixelAllocator<std::uint8_t>> pixels(newRowBytes *
                                                                 static_cast<std::size_t>(height));
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

void Bitmap::SetWidth(int width) { SetSize(width, height_); }
void Bitmap::SetHeight(int height) { SetSize(width_, height); }

void Bitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  Reallocate(width, height, true);
}

void Bitmap::SetPixelFormat(PixelFormat format) {
  if (format == format_ && format != PixelFormat::Custom) return;
  Bitmap target;
  target.format_ = format;
  target.layout_ = Bitmap(0, 0, format).layout_;
  if (BitsPerPixelOf(format) > 0 && BitsPerPixelOf(format) <= 8) {
    target.palette_ = palette_.empty() ? GreyRamp(1 << BitsPerPixelOf(format)) : palette_;
    target.palette_.resize(std::min<std::size_t>(target.palette_.size(),
                                                 std::size_t(1) << BitsPerPixelOf(format)));
  }
  target.Reallocate(width_, height_, false);
  if (format_ == PixelFormat::Bit32 && format == PixelFormat::Bit24) {
    for (int y = 0; y < height_; ++y) {
      const std::uint8_t* s = ScanLine(y);
      std::uint8_t* d = target.ScanLine(y);
      for (int x = 0; x < width_; ++x, s += 4, d += 3) std::memcpy(d, s, 3);
    }
  } else if (format_ == PixelFormat::Bit24 && format == PixelFormat::Bit32) {
    for (int y = 0; y < height_; ++y) {
      const std::uint8_t* s = ScanLine(y);
      std::uint8_t* d = target.ScanLine(y);
      for (int x = 0; x < width_; ++x, s += 3, d += 4) {
        std::memcpy(d, s, 3);
        d[3] = 0;
      }
    }
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
        Color c = PixelColor(x, y) & 0xFFFFFF;
        if (toPalette) {
          const int index = nearest.NearestIndex(c);
          c = EntryColor(target.palette_[index]) & 0xFFFFFF;
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

unsigned MaskShift(std::uint32_t mask) {
  unsigned shift = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

unsigned MaskBits(std::uint32_t mask) {
  mask >>= MaskShift(mask);
  unsigned bits = 0;
  while (mask & 1) {
    mask >>= 1;
    ++bits;
  }
  return bits;
}

std::uint8_t ExtractChannel(std::uint32_t word, std::uint32_t mask) {
  if (!mask) return 0;
  const unsigned bits = MaskBits(mask);
  const std::uint32_t v = (word & mask) >> MaskShift(mask);
  const std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
  return static_cast<std::uint8_t>((static_cast<std::uint64_t>(v) * 255 + max / 2) / max);
}

std::uint32_t InsertChannel(std::uint8_t value, std::uint32_t mask) {
  if (!mask) return 0;
  const unsigned bits = MaskBits(mask);
  const std::uint64_t max = bits >= 32 ? 0xFFFFFFFFull : (1ull << bits) - 1;
  return static_cast<std::uint32_t>(((value * max + 127) / 255) << MaskShift(mask)) & mask;
}

}  // namespace

Color Bitmap::PixelColor(int x, int y) const {
  const std::uint8_t* row = pixels_.data() + static_cast<std::size_t>(y) * rowBytes_;
  auto entry = [&](unsigned index) {
    return index < palette_.size() ? EntryColor(palette_[index]) : kBlack;
  };
  switch (format_) {
    case PixelFormat::Bit1: return entry((row[x / 8] >> (7 - x % 8)) & 1);
    case PixelFormat::Bit4: return entry(x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4);
    case PixelFormat::Bit8: return entry(row[x]);
    case PixelFormat::Bit15: {
      const unsigned w = row[2 * x] | (row[2 * x + 1] << 8);
      return RGB(Expand5((w >> 10) & 31), Expand5((w >> 5) & 31), Expand5(w & 31));
    }
    case PixelFormat::Bit16: {
      const unsigned w = row[2 * x] | (row[2 * x + 1] << 8);
      return RGB(Expand5((w >> 11) & 31), Expand6((w >> 5) & 63), Expand5(w & 31));
    }
    case PixelFormat::Bit24: return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    case PixelFormat::Bit32: return RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    case PixelFormat::Custom: {
      std::uint32_t w = 0;
      if (layout_.bitCount == 16) w = row[2 * x] | (row[2 * x + 1] << 8);
      if (layout_.bitCount == 32) std::memcpy(&w, row + 4 * x, 4);
      if (layout_.compression != kCompressionBitFields) {
        return layout_.bitCount == 16 ? RGB(Expand5((w >> 10) & 31), Expand5((w >> 5) & 31),
                                            Expand5(w & 31))
                                      : RGB((w >> 16) & 0xFF, (w >> 8) & 0xFF, w & 0xFF);
      }
      return RGB(ExtractChannel(w, layout_.redMask), ExtractChannel(w, layout_.greenMask),
                 ExtractChannel(w, layout_.blueMask));
    }
    case PixelFormat::Device: return kBlack;
  }
  return kBlack;
}

void Bitmap::SetPixelColor(int x, int y, Color color) {
  std::uint8_t* row = pixels_.data() + static_cast<std::size_t>(y) * rowBytes_;
  const unsigned r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
  auto index = [&] { return Palette(palette_).NearestIndex(color & 0xFFFFFF); };
  switch (format_) {
    case PixelFormat::Bit1: {
      const std::uint8_t bit = 0x80 >> (x % 8);
      row[x / 8] = index() ? row[x / 8] | bit : row[x / 8] & ~bit;
      return;
    }
    case PixelFormat::Bit4: {
      const unsigned i = index();
      row[x / 2] = x % 2 ? (row[x / 2] & 0xF0) | i : (row[x / 2] & 0x0F) | (i << 4);
      return;
    }
    case PixelFormat::Bit8: row[x] = static_cast<std::uint8_t>(index()); return;
    case PixelFormat::Bit15: {
      const unsigned w = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
      row[2 * x] = w & 0xFF;
      row[2 * x + 1] = w >> 8;
      return;
    }
    case PixelFormat::Bit16: {
      const unsigned w = ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
      row[2 * x] = w & 0xFF;
      row[2 * x + 1] = w >> 8;
      return;
    }
    case PixelFormat::Bit24:
      row[3 * x] = b;
      row[3 * x + 1] = g;
      row[3 * x + 2] = r;
      return;
    case PixelFormat::Bit32:
      row[4 * x] = b;
      row[4 * x + 1] = g;
      row[4 * x + 2] = r;
      row[4 * x + 3] = 0;
      return;
    case PixelFormat::Custom: {
      std::uint32_t w;
      if (layout_.compression == kCompressionBitFields) {
        w = InsertChannel(r, layout_.redMask) | InsertChannel(g, layout_.greenMask) |
            InsertChannel(b, layout_.blueMask);
      } else if (layout_.bitCount == 16) {
        w = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
      } else {
        w = (r << 16) | (g << 8) | b;
      }
      if (layout_.bitCount == 16) {
        row[2 * x] = w & 0xFF;
        row[2 * x + 1] = (w >> 8) & 0xFF;
      } else if (layout_.bitCount == 32) {
        std::memcpy(row + 4 * x, &w, 4);
      }
      return;
    }
    case PixelFormat::Device: return;
  }
}

}  // namespace skelda
