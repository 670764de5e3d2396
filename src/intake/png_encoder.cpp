#include "intake/png_encoder.h"

#include <png.h>

#include <csetjmp>
#include <cstddef>
#include <new>

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

struct Job {
  const PngLayout* layout;
  PngRowSource source;
  const void* context;
  std::uint8_t* scratch;
  std::vector<std::uint8_t>* bytes;
};

// libpng reports errors by a long jump back here, so nothing in this frame owns resources.
bool EncodeRows(png_structp png, png_infop info, const Job* job) {
  if (setjmp(png_jmpbuf(png))) return false;
  const PngLayout& layout = *job->layout;
  const bool gray = layout.rows == PngRows::Gray;
  png_set_write_fn(png, job->bytes, &Append, &Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(layout.width),
               static_cast<png_uint_32>(layout.height), 8,
               gray ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (layout.fastest) {
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  }
  png_write_info(png, info);
  if (!gray) {
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
  }
  for (int r = 0; r < layout.height; ++r) {
    png_write_row(png, const_cast<png_bytep>(job->source(job->context, r, job->scratch)));
  }
  png_write_end(png, info);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const PngLayout& layout, PngRowSource source,
                                    const void* context) {
  const std::size_t rowBytes =
      static_cast<std::size_t>(layout.width) * (layout.rows == PngRows::Gray ? 1 : 4);
  std::vector<std::uint8_t> scratch(rowBytes);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) throw std::bad_alloc();
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    throw std::bad_alloc();
  }
  std::vector<std::uint8_t> bytes;
  const Job job{&layout, source, context, scratch.data(), &bytes};
  const bool done = EncodeRows(png, info, &job);
  png_destroy_write_struct(&png, &info);
  if (!done) throw Error("The PNG picture could not be made");
  return bytes;
}

}  // namespace skelda
