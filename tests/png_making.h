// PNG files the picture tests make and read back through libpng's plain API, without the
// transforms the reader under test uses: the slow reference beside it.
#pragma once

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace skelda::testing {

struct RawPng {
  int width = 0;
  int height = 0;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<std::vector<std::uint8_t>> rows;  // as stored: 16-bit samples big-endian
  std::vector<png_color> palette;               // read, not written
  std::vector<std::uint8_t> exif;               // written as an eXIf chunk when not empty
};

inline void AppendBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

inline std::vector<std::uint8_t> MakePng(const RawPng& raw) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<std::uint8_t> out;
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("cannot make the test PNG");
  png_set_write_fn(png, &out, &AppendBytes, nullptr);
  png_set_IHDR(png, info, raw.width, raw.height, raw.bitDepth, raw.colorType,
               raw.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!raw.exif.empty()) {
    png_set_eXIf_1(png, info, static_cast<png_uint_32>(raw.exif.size()),
                   const_cast<png_bytep>(raw.exif.data()));
  }
  std::vector<png_bytep> rows;
  for (const auto& row : raw.rows) rows.push_back(const_cast<png_bytep>(row.data()));
  png_set_rows(png, info, rows.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

inline RawPng ReadRawPng(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw std::runtime_error("cannot open " + path);
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("cannot read " + path);
  png_init_io(png, file);
  png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  RawPng raw;
  raw.width = static_cast<int>(png_get_image_width(png, info));
  raw.height = static_cast<int>(png_get_image_height(png, info));
  raw.colorType = png_get_color_type(png, info);
  raw.bitDepth = png_get_bit_depth(png, info);
  const png_bytepp rows = png_get_rows(png, info);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  for (int y = 0; y < raw.height; ++y) raw.rows.emplace_back(rows[y], rows[y] + rowBytes);
  png_colorp palette = nullptr;
  int colours = 0;
  if (png_get_PLTE(png, info, &palette, &colours)) raw.palette.assign(palette, palette + colours);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return raw;
}

// Sample c of pixel x in a row of `channels` samples of raw.bitDepth (8 or 16) bits.
inline unsigned Sample(const RawPng& raw, int y, int x, int channels, int c) {
  const std::uint8_t* row = raw.rows[y].data();
  if (raw.bitDepth == 16) {
    const std::uint8_t* p = row + 2 * (x * channels + c);
    return (p[0] << 8) | p[1];
  }
  return row[x * channels + c];
}

}  // namespace skelda::testing
