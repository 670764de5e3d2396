#include "core/quick_pixels.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <string_view>
#include <vector>

#include "core/errors.h"

namespace skelda {

namespace {

std::atomic<int> paletteObjectsHeld{0};

// The assertion text names the source file without the build machine's folders.
const char* SourceName(const char* path) {
  const std::string_view text(path);
  const auto slash = text.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path + slash + 1;
}

inline std::uint8_t* PixelRow(const TQuickPixels& self, int y) {
  return self.Bits + static_cast<std::ptrdiff_t>(y) * self.RowStep;
}

inline Color EntryAt(const TQuickPixels& self, unsigned index) {
  return EntryColor(self.PaletteBlock.entries[index]);
}

// A 5-bit field v becomes v * 8 + v div 4 and a 6-bit one v * 4 + v div 16, so that 0 stays 0
// and a full field gives 255.
inline unsigned Expand5(unsigned v) {
  return (v << 3) | (v >> 2);
}
inline unsigned Expand6(unsigned v) {
  return (v << 2) | (v >> 4);
}

inline unsigned Word16(const std::uint8_t* p) {
  return p[0] | (p[1] << 8);
}
inline void PutWord16(std::uint8_t* p, unsigned word) {
  p[0] = static_cast<std::uint8_t>(word);
  p[1] = static_cast<std::uint8_t>(word >> 8);
}

Color Get32(TQuickPixels& self, int x, int y) {
  const std::uint8_t* p = PixelRow(self, y) + 4 * x;
  return RGB(p[2], p[1], p[0]);
}
void Set32(TQuickPixels& self, int x, int y, Color color) {
  std::uint8_t* p = PixelRow(self, y) + 4 * x;
  p[0] = BlueOf(color);
  p[1] = GreenOf(color);
  p[2] = RedOf(color);
  p[3] = 0;
}

Color Get24(TQuickPixels& self, int x, int y) {
  const std::uint8_t* p = PixelRow(self, y) + 3 * x;
  return RGB(p[2], p[1], p[0]);
}
void Set24(TQuickPixels& self, int x, int y, Color color) {
  std::uint8_t* p = PixelRow(self, y) + 3 * x;
  p[0] = BlueOf(color);
  p[1] = GreenOf(color);
  p[2] = RedOf(color);
}

Color Get16(TQuickPixels& self, int x, int y) {
  const unsigned w = Word16(PixelRow(self, y) + 2 * x);
  return Expand5(w >> 11) | (Expand6((w >> 5) & 63) << 8) | (Expand5(w & 31) << 16);
}
void Set16(TQuickPixels& self, int x, int y, Color color) {
  const unsigned w =
      ((RedOf(color) >> 3) << 11) | ((GreenOf(color) >> 2) << 5) | (BlueOf(color) >> 3);
  PutWord16(PixelRow(self, y) + 2 * x, w);
}

Color Get15(TQuickPixels& self, int x, int y) {
  const unsigned w = Word16(PixelRow(self, y) + 2 * x);
  return Expand5((w >> 10) & 31) | (Expand5((w >> 5) & 31) << 8) | (Expand5(w & 31) << 16);
}
void Set15(TQuickPixels& self, int x, int y, Color color) {
  const unsigned w =
      ((RedOf(color) >> 3) << 10) | ((GreenOf(color) >> 3) << 5) | (BlueOf(color) >> 3);
  PutWord16(PixelRow(self, y) + 2 * x, w);
}

Color Get8(TQuickPixels& self, int x, int y) {
  return EntryAt(self, PixelRow(self, y)[x]);
}
void Set8(TQuickPixels& self, int x, int y, Color color) {
  PixelRow(self, y)[x] = static_cast<std::uint8_t>(self.NearestIndex(color));
}

// Even columns live in the high nibble, odd ones in the low nibble.
inline unsigned NibbleShift(int x) {
  return (~x & 1) << 2;
}

Color Get4(TQuickPixels& self, int x, int y) {
  return EntryAt(self, (PixelRow(self, y)[x >> 1] >> NibbleShift(x)) & 0x0F);
}
void Set4(TQuickPixels& self, int x, int y, Color color) {
  std::uint8_t* p = PixelRow(self, y) + (x >> 1);
  const unsigned shift = NibbleShift(x);
  const unsigned index = static_cast<unsigned>(self.NearestIndex(color)) & 0x0F;
  *p = static_cast<std::uint8_t>((*p & ~(0x0Fu << shift)) | (index << shift));
}

// The leftmost pixel of a byte is its most significant bit.
Color Get1(TQuickPixels& self, int x, int y) {
  const unsigned bit = 0x80u >> (x & 7);
  return EntryAt(self, (PixelRow(self, y)[x >> 3] & bit) ? 1 : 0);
}
void Set1(TQuickPixels& self, int x, int y, Color color) {
  std::uint8_t* p = PixelRow(self, y) + (x >> 3);
  const unsigned bit = 0x80u >> (x & 7);
  *p = static_cast<std::uint8_t>(self.NearestIndex(color) != 0 ? *p | bit : *p & ~bit);
}

struct Routines {
  Color (*get)(TQuickPixels&, int, int);
  void (*set)(TQuickPixels&, int, int, Color);
};

Routines RoutinesFor(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1:
      return {Get1, Set1};
    case 4:
      return {Get4, Set4};
    case 8:
      return {Get8, Set8};
    case 15:
      return {Get15, Set15};
    case 16:
      return {Get16, Set16};
    case 24:
      return {Get24, Set24};
    case 32:
      return {Get32, Set32};
    default:
      return {nullptr, nullptr};
  }
}

// A device-independent layout that no named format covers. Bit fields are taken only where the
// routines read them right: the 5-6-5 and 5-5-5 words, and for 32 bits the one layout whose
// bytes lie blue, green, red in memory (red 0xFF0000, green 0xFF00, blue 0xFF); any other
// masks would come out with swapped or shifted channels, so they are refused.
int CustomBitsPerPixel(const PixelLayout& layout) {
  const bool bitFields = layout.compression == kCompressionBitFields;
  if (layout.compression != kCompressionRgb && !bitFields) return 0;
  auto masks = [&](std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return layout.redMask == r && layout.greenMask == g && layout.blueMask == b;
  };
  if (layout.bitCount == 16) {
    if (!bitFields) return 15;
    if (masks(0xF800, 0x7E0, 0x1F)) return 16;
    if (masks(0x7C00, 0x3E0, 0x1F)) return 15;
    return 0;
  }
  if (layout.bitCount == 32) {
    if (!bitFields) return 32;
    return masks(0xFF0000, 0xFF00, 0xFF) ? 32 : 0;
  }
  return 0;
}

int ChooseBitsPerPixel(const Bitmap& bitmap) {
  switch (bitmap.Format()) {
    case PixelFormat::Bit1:
      return 1;
    case PixelFormat::Bit4:
      return 4;
    case PixelFormat::Bit8:
      return 8;
    case PixelFormat::Bit15:
      return 15;
    case PixelFormat::Bit16:
      return 16;
    case PixelFormat::Bit24:
      return 24;
    case PixelFormat::Bit32:
      return 32;
    case PixelFormat::Custom:
      return CustomBitsPerPixel(bitmap.Layout());
    case PixelFormat::Device:
      return 0;
  }
  return 0;
}

}  // namespace

TQuickPixels::~TQuickPixels() {
  ReleasePalette();
}

int TQuickPixels::PaletteObjectsHeld() {
  return paletteObjectsHeld.load();
}

void TQuickPixels::Attach(Bitmap& bitmap) {
  BitsPerPixel = 0;
  Bitmap_ = &bitmap;
  Width = bitmap.Width();
  Height = bitmap.Height();
  PixelFormat_ = bitmap.Format();

  const int bitsPerPixel = ChooseBitsPerPixel(bitmap);
  if (bitsPerPixel == 0) {
    Detach();
    throw AssertionError("Bitmap format is not supported", SourceName(__FILE__), __LINE__);
  }
  // Rows 0 and 1 are only measured, never read, so a one-row picture attaches like any other;
  // a picture without pixels has no row 0 at all.
  if (bitmap.Empty()) {
    Detach();
    throw Error("Bitmap has no pixels");
  }
  const Routines routines = RoutinesFor(bitsPerPixel);
  BitsPerPixel = bitsPerPixel;
  GetPixel = {routines.get, this};
  SetPixel = {routines.set, this};

  ReleasePalette();
  if (BitsPerPixel <= 8) MakePalette(bitmap);

  Bits = bitmap.ScanLine(0);
  RowStep = Height > 1 ? static_cast<std::int32_t>(bitmap.ScanLine(1) - Bits)
                       : static_cast<std::int32_t>(bitmap.RowBytes());
}

// The block holds 2^BitsPerPixel entries; those the bitmap's palette lacks stay black. The
// palette object gets only the entries the bitmap really has, so a write never stores an index
// that the bitmap's palette (and so a saved file) does not hold.
void TQuickPixels::MakePalette(const Bitmap& bitmap) {
  const std::size_t count = std::size_t(1) << BitsPerPixel;
  const std::vector<PaletteEntry>& source = bitmap.PaletteEntries();
  const std::size_t held = std::min(count, source.size());
  PaletteBlock.version = 0x300;
  PaletteBlock.count = static_cast<std::uint16_t>(count);
  std::fill(std::begin(PaletteBlock.entries), std::end(PaletteBlock.entries), PaletteEntry{});
  std::copy_n(source.begin(), held, PaletteBlock.entries);
  const std::size_t usable = held > 0 ? held : 1;
  Palette_ = std::make_unique<Palette>(
      std::vector<PaletteEntry>(PaletteBlock.entries, PaletteBlock.entries + usable));
  ++paletteObjectsHeld;
  LastColor = 0x07FFFFFF;
}

void TQuickPixels::Detach() {
  BitsPerPixel = 0;
  Bits = nullptr;
  RowStep = 0;
  GetPixel = {};
  SetPixel = {};
}

void TQuickPixels::ReleasePalette() {
  if (!Palette_) return;
  Palette_.reset();
  --paletteObjectsHeld;
  ++palettesReleased_;
}

int TQuickPixels::NearestIndex(Color color) {
  if (color != LastColor) {
    LastIndex = Palette_->NearestIndex(color);
    LastColor = color;
  }
  return LastIndex;
}

}  // namespace skelda
