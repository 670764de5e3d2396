#include "intake/png_decoder.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <new>
#include <vector>

#include "core/errors.h"
#include "intake/over_white.h"

namespace skelda {

namespace {

struct PngReader {
  png_structp png = nullptr;
  png_infop info = nullptr;
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t used = 0;
  char message[160] = {};
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* r = static_cast<PngReader*>(png_get_io_ptr(png));
  if (count > r->size - r->used) png_error(png, "the file is cut short");
  std::memcpy(out, r->data + r->used, count);
  r->used += count;
}

[[noreturn]] void KeepMessageAndJump(png_structp png, png_const_charp message) {
  auto* r = static_cast<PngReader*>(png_get_error_ptr(png));
  std::strncpy(r->message, message, sizeof r->message - 1);
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// libpng reports errors by a long jump back into these two, so neither holds anything with a
// destructor; after the jump they read only r, which never changes.
bool GuardedReadInfo(PngReader* r) {
  if (setjmp(png_jmpbuf(r->png))) return false;
  png_set_read_fn(r->png, r, &ReadFromMemory);
  // Only the picture's own chunks are read. libpng allocates (and clears) a text or profile
  // chunk's stated length before reading it, so a 50-byte file could cost gigabytes; and none
  // of those chunks changes a pixel here.
  png_set_keep_unknown_chunks(r->png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_read_info(r->png, r->info);
  return true;
}

// Every picture leaves libpng as 8-bit blue, green, red, alpha (255 where it has none).
bool GuardedReadRows(PngReader* r, png_bytepp rows) {
  if (setjmp(png_jmpbuf(r->png))) return false;
  png_set_expand(r->png);    // palette to colour, grey below 8 bits to 8, tRNS to alpha
  png_set_scale_16(r->png);  // rounds as v × 255 / 65535, not a plain shift
  png_set_gray_to_rgb(r->png);
  png_set_bgr(r->png);
  png_set_filler(r->png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(r->png);
  png_read_update_info(r->png, r->info);
  if (png_get_rowbytes(r->png, r->info) != 4 * png_get_image_width(r->png, r->info)) {
    png_error(r->png, "unexpected row layout");
  }
  png_read_image(r->png, rows);
  return true;
}

struct ReaderOwner {
  PngReader* r;
  ~ReaderOwner() { png_destroy_read_struct(&r->png, &r->info, nullptr); }
};

}  // namespace

Bitmap DecodePng(const std::uint8_t* data, std::size_t size) {
  PngReader r;
  r.data = data;
  r.size = size;
  r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &r, &KeepMessageAndJump, &IgnoreWarning);
  if (r.png == nullptr) throw std::bad_alloc();
  ReaderOwner owner{&r};
  r.info = png_create_info_struct(r.png);
  if (r.info == nullptr) throw std::bad_alloc();
  if (!GuardedReadInfo(&r)) throw PictureFormatError("PNG", r.message);

  const png_uint_32 width = png_get_image_width(r.png, r.info);
  const png_uint_32 height = png_get_image_height(r.png, r.info);
  CheckPictureSize(width, height, 32);
  const bool alpha = (png_get_color_type(r.png, r.info) & PNG_COLOR_MASK_ALPHA) != 0 ||
                     png_get_valid(r.png, r.info, PNG_INFO_tRNS) != 0;
  Bitmap bitmap =
      Bitmap::Unfilled(static_cast<int>(width), static_cast<int>(height), PixelFormat::Bit32);
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = bitmap.ScanLine(static_cast<int>(y));
  if (!GuardedReadRows(&r, rows.data())) throw PictureFormatError("PNG", r.message);

  const std::size_t pixels = std::size_t(width) * height;  // rows of 4-byte pixels are unpadded
  if (alpha) {
    CompositeOverWhite(bitmap.Bits(), pixels);
  } else {
    ClearAlpha(bitmap.Bits(), pixels);
  }
  return bitmap;
}

}  // namespace skelda
