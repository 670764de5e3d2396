#include "simulation/gray_png.h"

#include <png.h>

#include <algorithm>
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
bool EncodeRows(png_structp png, png_infop info, int width, int height, GrayRowSource source,
                const void* context, std::uint8_t* row, std::vector<std::uint8_t>* bytes) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, bytes, &Append, &Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  // Burn pictures are mostly long runs of two values: the fastest setting packs them well.
  png_set_compression_level(png, 1);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_write_info(png, info);
  for (int r = 0; r < height; ++r) {
    source(context, r, row);
    png_write_row(png, row);
  }
  png_write_end(png, info);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeGrayPng(int width, int height, const std::uint8_t* gray) {
  struct Rows {
    const std::uint8_t* gray;
    std::size_t width;
  } rows{gray, static_cast<std::size_t>(width)};
  const GrayRowSource copy = [](const void* context, int r, std::uint8_t* out) {
    const Rows& all = *static_cast<const Rows*>(context);
    std::copy_n(all.gray + static_cast<std::size_t>(r) * all.width, all.width, out);
  };
  return EncodeGrayPng(width, height, copy, &rows);
}

std::vector<std::uint8_t> EncodeGrayPng(int width, int height, GrayRowSource source,
                                        const void* context) {
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width));
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) throw std::bad_alloc();
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    throw std::bad_alloc();
  }
  std::vector<std::uint8_t> bytes;
  const bool done = EncodeRows(png, info, width, height, source, context, row.data(), &bytes);
  png_destroy_write_struct(&png, &info);
  if (!done) throw Error("The PNG picture could not be made");
  return bytes;
}

void WriteGrayPng(const std::string& path, int width, int height, const std::uint8_t* gray) {
  const std::vector<std::uint8_t> bytes = EncodeGrayPng(width, height, gray);
  WriteFileAtomically(path, bytes.data(), bytes.size());
}

}  // namespace skelda
