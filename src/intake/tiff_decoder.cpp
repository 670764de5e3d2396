#include "intake/tiff_decoder.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "intake/over_white.h"

namespace skelda {

namespace {

struct MemoryFile {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at = 0;
  std::string error = {};  // the first error libtiff reported
};

MemoryFile& FileOf(thandle_t handle) {
  return *static_cast<MemoryFile*>(handle);
}

tmsize_t Read(thandle_t handle, void* out, tmsize_t count) {
  MemoryFile& f = FileOf(handle);
  if (count < 0) return -1;
  const std::size_t n = std::min(static_cast<std::size_t>(count), f.size - f.at);
  std::memcpy(out, f.data + f.at, n);
  f.at += n;
  return static_cast<tmsize_t>(n);
}

tmsize_t RefuseWrite(thandle_t, void*, tmsize_t) {
  return -1;
}

toff_t Seek(thandle_t handle, toff_t offset, int whence) {
  MemoryFile& f = FileOf(handle);
  const toff_t base = whence == SEEK_CUR ? f.at : whence == SEEK_END ? f.size : 0;
  if (offset > f.size || base + offset > f.size) return static_cast<toff_t>(-1);
  f.at = static_cast<std::size_t>(base + offset);
  return f.at;
}

int Close(thandle_t) {
  return 0;
}

toff_t Size(thandle_t handle) {
  return FileOf(handle).size;
}

int Map(thandle_t handle, void** base, toff_t* size) {
  MemoryFile& f = FileOf(handle);
  *base = const_cast<std::uint8_t*>(f.data);  // libtiff only reads a file opened with "r"
  *size = f.size;
  return 1;
}

void Unmap(thandle_t, void*, toff_t) {}

int KeepError(TIFF*, void* user, const char* module, const char* format, va_list args) {
  auto& f = *static_cast<MemoryFile*>(user);
  if (f.error.empty()) {
    char text[200];
    std::vsnprintf(text, sizeof text, format, args);
    f.error = module != nullptr && *module ? std::string(module) + ": " + text : text;
  }
  return 1;
}

int IgnoreWarning(TIFF*, void*, const char*, const char*, va_list) {
  return 1;
}

struct CloseTiff {
  void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
struct FreeOptions {
  void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};
struct EndImage {
  void operator()(TIFFRGBAImage* image) const { TIFFRGBAImageEnd(image); }
};

// No strip or tile of a picture this program can hold needs more in one piece; a damaged
// directory claiming more is refused before libtiff allocates it.
constexpr tmsize_t kMaxLibraryAllocation = tmsize_t(1) << 30;

[[noreturn]] void Fail(const MemoryFile& f, const char* fallback) {
  throw PictureFormatError("TIFF", f.error.empty() ? fallback : f.error);
}

// libtiff's RGBA reader keeps only the high byte of a 16-bit sample; opaque grey and RGB strips
// of 16 bits are read here instead and rounded as v × 255 / 65535.
struct SixteenBitLayout {
  int channels = 0;  // 0: not such a picture
  bool minIsWhite = false;
};

SixteenBitLayout SixteenBitLayoutOf(TIFF* tiff) {
  std::uint16_t bits = 0, samples = 0, photometric = 0, planar = 0, format = 0;
  TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &format);
  if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric)) return {};
  if (bits != 16 || planar != PLANARCONFIG_CONTIG || format != SAMPLEFORMAT_UINT ||
      TIFFIsTiled(tiff)) {
    return {};
  }
  const bool grey = photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE;
  if (grey && samples == 1) return {1, photometric == PHOTOMETRIC_MINISWHITE};
  if (photometric == PHOTOMETRIC_RGB && samples == 3) return {3, false};
  return {};
}

void ReadSixteenBitRows(TIFF* tiff, const MemoryFile& file, SixteenBitLayout layout,
                        Bitmap& bitmap) {
  const int width = bitmap.Width(), channels = layout.channels;
  const tmsize_t lineBytes = TIFFScanlineSize(tiff);
  if (lineBytes < tmsize_t(2) * width * channels) Fail(file, "short rows");
  std::vector<std::uint16_t> line(static_cast<std::size_t>(lineBytes + 1) / 2);
  for (int y = 0; y < bitmap.Height(); ++y) {
    if (TIFFReadScanline(tiff, line.data(), static_cast<std::uint32_t>(y), 0) < 0) {
      Fail(file, "damaged picture data");
    }
    std::uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x, row += 4) {
      for (int c = 0; c < 3; ++c) {
        unsigned v = line[static_cast<std::size_t>(x) * channels + (channels == 3 ? c : 0)];
        if (layout.minIsWhite) v = 65535 - v;
        row[2 - c] = static_cast<std::uint8_t>((v * 255 + 32767) / 65535);
      }
      row[3] = 0;
    }
  }
}

// Every strip or tile must lie inside the file, so that a cut file is refused before a picture
// of the size its header claims is made and filled.
void CheckPiecesInside(TIFF* tiff, const MemoryFile& file) {
  const std::uint32_t pieces =
      TIFFIsTiled(tiff) ? TIFFNumberOfTiles(tiff) : TIFFNumberOfStrips(tiff);
  for (std::uint32_t i = 0; i < pieces; ++i) {
    int error = 0;
    const std::uint64_t offset = TIFFGetStrileOffsetWithErr(tiff, i, &error);
    const std::uint64_t bytes = TIFFGetStrileByteCountWithErr(tiff, i, &error);
    if (error != 0 || offset > file.size || bytes > file.size - offset) {
      Fail(file, "damaged picture data");
    }
  }
}

}  // namespace

Bitmap DecodeTiff(const std::uint8_t* data, std::size_t size) {
  MemoryFile file{data, size};
  std::unique_ptr<TIFFOpenOptions, FreeOptions> options(TIFFOpenOptionsAlloc());
  TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMaxLibraryAllocation);
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), &KeepError, &file);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), &IgnoreWarning, nullptr);
  std::unique_ptr<TIFF, CloseTiff> tiff(TIFFClientOpenExt(
      "TIFF", "r", &file, &Read, &RefuseWrite, &Seek, &Close, &Size, &Map, &Unmap, options.get()));
  if (tiff == nullptr) Fail(file, "not a TIFF file");
  CheckPiecesInside(tiff.get(), file);

  if (const SixteenBitLayout layout = SixteenBitLayoutOf(tiff.get()); layout.channels != 0) {
    std::uint32_t width = 0, height = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    if (width == 0 || height == 0) Fail(file, "an empty picture");
    CheckPictureSize(width, height, 32);
    Bitmap bitmap =
        Bitmap::Unfilled(static_cast<int>(width), static_cast<int>(height), PixelFormat::Bit32);
    ReadSixteenBitRows(tiff.get(), file, layout, bitmap);
    if (!file.error.empty()) Fail(file, "");
    return bitmap;
  }
  char message[1024] = {};
  if (!TIFFRGBAImageOK(tiff.get(), message)) Fail(file, message);
  TIFFRGBAImage image{};
  if (!TIFFRGBAImageBegin(&image, tiff.get(), 1, message)) Fail(file, message);
  std::unique_ptr<TIFFRGBAImage, EndImage> end(&image);
  if (image.width == 0 || image.height == 0) Fail(file, "an empty picture");
  CheckPictureSize(image.width, image.height, 32);
  // The rows as stored, top row first: turning them is the loading step's work.
  image.req_orientation = ORIENTATION_TOPLEFT;
  image.orientation = ORIENTATION_TOPLEFT;
  Bitmap bitmap = Bitmap::Unfilled(static_cast<int>(image.width), static_cast<int>(image.height),
                                   PixelFormat::Bit32);
  // Rows of 4-byte pixels are unpadded, so the bitmap is the raster libtiff fills.
  auto* raster = reinterpret_cast<std::uint32_t*>(bitmap.Bits());
  if (!TIFFRGBAImageGet(&image, raster, image.width, image.height) || !file.error.empty()) {
    Fail(file, "damaged picture data");
  }
  // libtiff packs red in the low byte: swap red and blue, then drop alpha.
  const std::size_t pixels = std::size_t(image.width) * image.height;
  std::uint8_t* p = bitmap.Bits();
  for (std::size_t i = 0; i < pixels; ++i) std::swap(p[4 * i], p[4 * i + 2]);
  if (image.alpha != 0) {
    CompositePremultipliedOverWhite(p, pixels);
  } else {
    ClearAlpha(p, pixels);
  }
  return bitmap;
}

}  // namespace skelda
