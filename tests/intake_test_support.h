// Files the intake tests and benchmarks make: JPEGs from libjpeg's own compressor, a scratch
// folder, PNM references.
#pragma once

#include <jpeglib.h>
#include <stdlib.h>  // mkdtemp

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace skelda::testing {

struct JpegMaking {
  J_COLOR_SPACE inputSpace = JCS_RGB;     // JCS_RGB, JCS_GRAYSCALE, JCS_CMYK
  J_COLOR_SPACE fileSpace = JCS_UNKNOWN;  // JCS_UNKNOWN: libjpeg's default for the input
  int quality = 95;
  bool progressive = false;
  bool arithmetic = false;
};

// samples: width x height x components, rows top-down, components as inputSpace orders them.
inline std::vector<std::uint8_t> MakeJpeg(int width, int height,
                                          const std::vector<std::uint8_t>& samples,
                                          const JpegMaking& making = {}) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);  // making a test file fails only on a broken test
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.in_color_space = making.inputSpace;
  info.input_components = making.inputSpace == JCS_GRAYSCALE ? 1
                          : making.inputSpace == JCS_CMYK    ? 4
                                                             : 3;
  jpeg_set_defaults(&info);
  if (making.fileSpace != JCS_UNKNOWN) jpeg_set_colorspace(&info, making.fileSpace);
  jpeg_set_quality(&info, making.quality, TRUE);
  if (making.progressive) jpeg_simple_progression(&info);
  info.arith_code = making.arithmetic ? TRUE : FALSE;
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(width) * info.input_components;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + info.next_scanline * stride);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<std::uint8_t> file(buffer, buffer + size);
  std::free(buffer);
  return file;
}

// A smooth colour picture, three samples a pixel.
inline std::vector<std::uint8_t> GradientSamples(int width, int height) {
  std::vector<std::uint8_t> samples(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &samples[(static_cast<std::size_t>(y) * width + x) * 3];
      p[0] = static_cast<std::uint8_t>(x * 255 / (width > 1 ? width - 1 : 1));
      p[1] = static_cast<std::uint8_t>(y * 255 / (height > 1 ? height - 1 : 1));
      p[2] = static_cast<std::uint8_t>((x + y) & 0xFF);
    }
  }
  return samples;
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot create " + path);
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// A fresh empty folder under the system's temporary folder, removed with its content.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "skelda-intake-XXXXXX");
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
    path_ = pattern;
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }
  // The names of the files in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The JPEG with its frame header (FF C0..C2, length, precision, height, width) patched to claim
// another size; its data then ends long before the picture would.
inline std::vector<std::uint8_t> ClaimSize(std::vector<std::uint8_t> file, int width, int height) {
  for (std::size_t i = 0; i + 8 < file.size(); ++i) {
    if (file[i] == 0xFF && file[i + 1] >= 0xC0 && file[i + 1] <= 0xC2) {
      file[i + 5] = height >> 8, file[i + 6] = height & 0xFF;
      file[i + 7] = width >> 8, file[i + 8] = width & 0xFF;
      break;
    }
  }
  return file;
}

// A binary PNM (P5 grey or P6 colour) as width, height, channels and the samples.
struct Pnm {
  int width = 0;
  int height = 0;
  int channels = 0;
  std::vector<std::uint8_t> samples;
};

inline Pnm ReadPnm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  Pnm pnm;
  in >> magic >> pnm.width >> pnm.height >> maxValue;
  in.get();  // the one white-space character before the samples
  if (!in || (magic != "P5" && magic != "P6") || maxValue != 255) {
    throw std::runtime_error("not a binary 8-bit PNM: " + path);
  }
  pnm.channels = magic == "P6" ? 3 : 1;
  pnm.samples.resize(static_cast<std::size_t>(pnm.width) * pnm.height * pnm.channels);
  in.read(reinterpret_cast<char*>(pnm.samples.data()), pnm.samples.size());
  if (!in) throw std::runtime_error("short PNM: " + path);
  return pnm;
}

}  // namespace skelda::testing
