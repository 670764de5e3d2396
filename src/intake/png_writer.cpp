#include "intake/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <new>

#include "core/atomic_file.h"
#include "core/errors.h"

namespace skelda {

namespace {

void Append(png_structp png, png_bytep data, png_size_t size) {
  auto* bytes = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  bool full = false;
  try {
    bytes->insert(bytes->end(), data, data + size);
  } catch (const std::bad_alloc&) {
    full = true;
  }
  if (full) png_error(png, "out of memory");
}

void Flush(png_structp) {}

// libpng reports errors by a long jump back here, so nothing in this frame owns resources.
bool EncodeRows(png_structp png, png_infop info, const Bitmap* bitmap,
                std::vector<std::uint8_t>* bytes) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, bytes, &Append, &Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap->Width()),
               static_cast<png_uint_32>(bitmap->Height()), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);                          // rows are blue, green, red, 0
  png_set_filler(png, 0, PNG_FILLER_AFTER);  // the fourth byte is left out
  for (int y = 0; y < bitmap->Height(); ++y) png_write_row(png, bitmap->ScanLine(y));
  png_write_end(png, info);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePicturePng(const Bitmap& bitmap) {
  if (bitmap.Empty()) throw InvalidGraphicError();
  Bitmap converted;
  const Bitmap* rows = &bitmap;
  if (bitmap.Format() != PixelFormat::Bit32) {
    converted = bitmap;
    converted.SetPixelFormat(PixelFormat::Bit32);
    rows = &converted;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) throw std::bad_alloc();
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    throw std::bad_alloc();
  }
  std::vector<std::uint8_t> bytes;
  const bool done = EncodeRows(png, info, rows, &bytes);
  png_destroy_write_struct(&png, &info);
  if (!done) throw Error("The PNG picture could not be made");
  return bytes;
}

void WritePicturePng(const Bitmap& bitmap, const std::string& path) {
  const std::vector<std::uint8_t> bytes = EncodePicturePng(bitmap);
  WriteFileAtomically(path, bytes.data(), bytes.size());
}

}  // namespace skelda
