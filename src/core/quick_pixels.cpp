#include "core/quick_pixels.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "core/errors.h"

namespace skelda {

namespace {

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

// Every routine is the format's own read or write, bound at compile time so that the call
// through the accessor is the only indirect one. Each starts a cache line: a copy loop calls
// two of them per pixel, and one that straddles a line boundary makes it a fifth slower.
template <PixelFormat F>
[[gnu::aligned(64)]] Color Get(TQuickPixels& self, int x, int y) {
  constexpr PixelFormatInfo info = FormatInfo(F);
  const std::uint32_t value = info.read(PixelRow(self, y), x);
  if constexpr (info.indexed) return EntryAt(self, value);
  return value;
}

template <PixelFormat F>
[[gnu::aligned(64)]] void Set(TQuickPixels& self, int x, int y, Color color) {
  constexpr PixelFormatInfo info = FormatInfo(F);
  if constexpr (info.indexed) {
    info.write(PixelRow(self, y), x, static_cast<std::uint32_t>(self.NearestIndex(color)));
  } else {
    info.write(PixelRow(self, y), x, color);
  }
}

struct Routines {
  Color (*get)(TQuickPixels&, int, int) = nullptr;
  void (*set)(TQuickPixels&, int, int, Color) = nullptr;
};

template <PixelFormat F>
constexpr Routines RoutinesOf() {
  if constexpr (FormatInfo(F).depth == 0) {
    return {};
  } else {
    return {Get<F>, Set<F>};
  }
}

template <std::size_t... I>
constexpr std::array<Routines, sizeof...(I)> MakeRoutines(std::index_sequence<I...>) {
  return {RoutinesOf<PixelFormat(I)>()...};
}

constexpr auto kRoutines = MakeRoutines(std::make_index_sequence<std::size(kPixelFormats)>());

// A device-independent layout that no named format covers is read only where it holds a named
// format's words: any other masks would come out with swapped or shifted channels, so they are
// refused.
PixelFormat AccessedFormat(const Bitmap& bitmap) {
  return bitmap.Format() == PixelFormat::Custom ? NamedFormatOf(bitmap.Layout()) : bitmap.Format();
}

}  // namespace

void TQuickPixels::Attach(Bitmap& bitmap) {
  BitsPerPixel = 0;
  Bitmap_ = &bitmap;
  Width = bitmap.Width();
  Height = bitmap.Height();
  PixelFormat_ = bitmap.Format();

  const PixelFormat format = AccessedFormat(bitmap);
  const int bitsPerPixel = FormatInfo(format).depth;
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
  const Routines routines = kRoutines[static_cast<int>(format)];
  BitsPerPixel = bitsPerPixel;
  GetPixel = {routines.get, this};
  SetPixel = {routines.set, this};

  Palette_.reset();
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
  LastColor = 0x07FFFFFF;
}

void TQuickPixels::Detach() {
  BitsPerPixel = 0;
  Bits = nullptr;
  RowStep = 0;
  GetPixel = {};
  SetPixel = {};
}

int TQuickPixels::NearestIndex(Color color) {
  if (color != LastColor) {
    LastIndex = Palette_->NearestIndex(color);
    LastColor = color;
  }
  return LastIndex;
}

}  // namespace skelda
