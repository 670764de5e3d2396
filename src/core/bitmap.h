// The platform bitmap the picture commands work on: size, pixel format, palette and rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/color.h"
#include "core/pixel_allocator.h"
#include "core/pixel_formats.h"

namespace skelda {

struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;
  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

inline Color EntryColor(const PaletteEntry& e) {
  return e.red | (e.green << 8) | (e.blue << 16) | (Color(e.flags) << 24);
}

// A palette object: a list of entries that answers which entry lies nearest to a colour.
class Palette {
 public:
  Palette() = default;
  explicit Palette(std::vector<PaletteEntry> entries);
  // Index of the entry nearest to the colour by squared RGB distance; the lowest index wins a
  // tie. An empty palette answers 0.
  int NearestIndex(Color color) const;
  std::size_t size() const { return entries_.size(); }
  const PaletteEntry& operator[](std::size_t i) const { return entries_[i]; }
  const std::vector<PaletteEntry>& entries() const { return entries_; }

 private:
  std::vector<PaletteEntry> entries_;
};

// Bits one pixel of the format takes in a row; 0 for Device and Custom.
inline int BitsPerPixelOf(PixelFormat format) {
  return FormatInfo(format).bitsPerPixel;
}

// Rows are stored top-down, each padded to a multiple of 4 bytes, in one block: ScanLine(0) is
// the top row and ScanLine(y + 1) - ScanLine(y) == RowBytes(). A copy is a whole independent copy.
class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, PixelFormat format);
  // The same with the pixels left unset, for a decoder that writes every row: the memory it
  // commits grows with the rows it actually writes.
  static Bitmap Unfilled(int width, int height, PixelFormat format);
  // Copies take the rows as one block (a photo's rows are tens of megabytes), into the
  // bitmap's own block when it has room.
  Bitmap(const Bitmap& other);
  Bitmap& operator=(const Bitmap& other);
  Bitmap(Bitmap&&) noexcept = default;
  Bitmap& operator=(Bitmap&&) noexcept = default;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  PixelFormat Format() const { return format_; }
  int BitsPerPixel() const;  // Custom: the layout's bit count
  const PixelLayout& Layout() const { return layout_; }
  std::size_t RowBytes() const { return rowBytes_; }

  // Each keeps the pixels of the part that the old and the new size share; new pixels are 0.
  void SetWidth(int width);
  void SetHeight(int height);
  void SetSize(int width, int height);

  // Converts every pixel so that it keeps its colour (palette entries are expanded; a change
  // to a palette format maps each colour to the nearest entry of the bitmap's palette, or of a
  // grey ramp when it has none). 32 -> 24 drops the fourth byte; 24 -> 32 writes 0 there.
  void SetPixelFormat(PixelFormat format);
  // Re-lays the bitmap as a custom layout (16 or 32 bits); pixels become 0. For the file reader
  // and tests: no command produces one.
  void SetCustomLayout(const PixelLayout& layout);

  // Row y counted from the top. Throws "Scan line index out of range" outside 0 .. Height-1.
  std::uint8_t* ScanLine(int y);
  const std::uint8_t* ScanLine(int y) const;
  std::uint8_t* Bits() { return pixels_.data(); }
  const std::uint8_t* Bits() const { return pixels_.data(); }
  std::size_t ByteSize() const { return pixels_.size(); }

  const std::vector<PaletteEntry>& PaletteEntries() const { return palette_; }
  void SetPalette(std::vector<PaletteEntry> entries);  // at most 256 entries

  // Fills [left, right) x [top, bottom), clipped to the picture, with one colour.
  void FillRect(int left, int top, int right, int bottom, Color color);

  // Slow, format-generic access for conversions and tests; no bounds check.
  Color PixelColor(int x, int y) const;
  void SetPixelColor(int x, int y, Color color);

  friend bool operator==(const Bitmap&, const Bitmap&) = default;

 private:
  using PixelVector = std::vector<std::uint8_t, PixelAllocator<std::uint8_t>>;
  void CopyPixels(const PixelVector& source);
  void Reallocate(int width, int height, bool keepPixels, bool clear = true);
  Color CustomColor(const std::uint8_t* row, int x) const;
  void SetCustomColor(std::uint8_t* row, int x, Color color);

  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::Bit32;
  PixelLayout layout_{32, kCompressionRgb, 0, 0, 0};
  std::size_t rowBytes_ = 0;
  std::vector<PaletteEntry> palette_;
  PixelVector pixels_;
};

// Bytes of one padded row; throws the too-large error when it cannot be represented.
std::size_t RowBytesFor(int width, int bitsPerPixel);
// Throws the too-large error when a width x height picture of that depth cannot be held.
void CheckPictureSize(long long width, long long height, int bitsPerPixel);

}  // namespace skelda
