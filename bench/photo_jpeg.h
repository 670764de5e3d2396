// The benchmarks' 6000 x 4000 photo as a JPEG, and libjpeg's own decode of it: the floor of
// every load.
#pragma once

#include <jpeglib.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "intake_test_support.h"

namespace skelda::bench {

constexpr int kPhotoWidth = 6000, kPhotoHeight = 4000;

// A photo-like picture: smooth gradients with some fine texture, so that the decoder has
// coefficients to work on.
inline const std::vector<std::uint8_t>& PhotoJpeg() {
  static const std::vector<std::uint8_t> file = [] {
    std::vector<std::uint8_t> samples = testing::GradientSamples(kPhotoWidth, kPhotoHeight);
    std::uint32_t seed = 12345;
    for (std::uint8_t& s : samples) {
      seed = seed * 1664525u + 1013904223u;
      s = static_cast<std::uint8_t>(std::clamp(int(s) + int(seed >> 28) - 8, 0, 255));
    }
    testing::JpegMaking making;
    making.quality = 90;
    return testing::MakeJpeg(kPhotoWidth, kPhotoHeight, samples, making);
  }();
  return file;
}

// libjpeg alone with the reader's settings, into the given rows.
inline void LibjpegDecode(const std::vector<std::uint8_t>& file, std::uint8_t* bits,
                          std::size_t rowBytes) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, file.data(), file.size());
  jpeg_read_header(&info, TRUE);
  info.dct_method = JDCT_ISLOW;
  info.do_fancy_upsampling = TRUE;
  info.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[4];
    const unsigned count = std::min<unsigned>(std::min(info.rec_outbuf_height, 4),
                                              info.output_height - info.output_scanline);
    for (unsigned i = 0; i < count; ++i) rows[i] = bits + (info.output_scanline + i) * rowBytes;
    jpeg_read_scanlines(&info, rows, count);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
}

}  // namespace skelda::bench
