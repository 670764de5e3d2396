// TQuickPixels: reads and writes single pixels of a bitmap in any supported pixel format, with
// the routine for the format chosen once at attachment and called directly for every pixel.
#pragma once

#include <cstdint>
#include <memory>

#include "core/bitmap.h"

namespace skelda {

class TQuickPixels;

// A routine bound to its accessor: copy it into a local and call it as often as needed, until
// the next Attach.
struct TGetPixel {
  Color (*code)(TQuickPixels& self, int x, int y) = nullptr;
  TQuickPixels* object = nullptr;
  Color operator()(int x, int y) const { return code(*object, x, y); }
};
struct TSetPixel {
  void (*code)(TQuickPixels& self, int x, int y, Color color) = nullptr;
  TQuickPixels* object = nullptr;
  void operator()(int x, int y, Color color) const { code(*object, x, y, color); }
};

// The logical-palette block copied at attachment: version, count, 256 entries.
struct TLogPalette {
  std::uint16_t version = 0;
  std::uint16_t count = 0;
  PaletteEntry entries[256] = {};
};

class TQuickPixels {
 public:
  TQuickPixels() = default;
  TQuickPixels(const TQuickPixels&) = delete;
  TQuickPixels& operator=(const TQuickPixels&) = delete;

  // Measures the bitmap and selects the routines. Must be called again after the bitmap was
  // copied into, resized or changed its format. Throws AssertionError "Bitmap format is not
  // supported (quick_pixels.cpp, line N)" for an unsupported format and Error "Bitmap has no
  // pixels" for a bitmap of width or height 0; after a failure BitsPerPixel is 0, the routine
  // slots are empty and the accessor must not be used until a successful Attach.
  void Attach(Bitmap& bitmap);

  Bitmap* Bitmap_ = nullptr;  // the attached bitmap; not owned
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::int32_t BitsPerPixel = 0;
  std::uint8_t* Bits = nullptr;  // first byte of row 0
  std::int32_t RowStep = 0;      // address of row 1 minus address of row 0
  PixelFormat PixelFormat_ = PixelFormat::Device;
  TLogPalette PaletteBlock;
  std::unique_ptr<Palette> Palette_;  // owned; the PaletteBlock entries the bitmap holds
  std::int32_t LastIndex = 0;
  Color LastColor = 0;
  TSetPixel SetPixel;
  TGetPixel GetPixel;

  // Nearest palette index with the LastColor/LastIndex cache (used by the palette writers).
  int NearestIndex(Color color);

 private:
  void MakePalette(const Bitmap& bitmap);
  void Detach();
};

}  // namespace skelda
