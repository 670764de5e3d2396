#include "intake/png_writer.h"

#include "core/atomic_file.h"
#include "core/errors.h"
#include "intake/png_encoder.h"

namespace skelda {

std::vector<std::uint8_t> EncodePicturePng(const Bitmap& bitmap) {
  if (bitmap.Empty()) throw InvalidGraphicError();
  Bitmap converted;
  const Bitmap* rows = &bitmap;
  if (bitmap.Format() != PixelFormat::Bit32) {
    converted = bitmap;
    converted.SetPixelFormat(PixelFormat::Bit32);
    rows = &converted;
  }
  const PngRowSource scanLine = [](const void* context, int y, std::uint8_t*) {
    return static_cast<const Bitmap*>(context)->ScanLine(y);
  };
  return EncodePng({rows->Width(), rows->Height(), PngRows::Bgrx}, scanLine, rows);
}

void WritePicturePng(const Bitmap& bitmap, const std::string& path) {
  const std::vector<std::uint8_t> bytes = EncodePicturePng(bitmap);
  WriteFileAtomically(path, bytes.data(), bytes.size());
}

}  // namespace skelda
