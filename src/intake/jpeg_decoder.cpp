#include "intake/jpeg_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

// jpeglib.h needs <cstdio> before it, and jerror.h needs the configuration jpeglib.h reads.
#include <jpeglib.h>
// (keep this order)
#include <jerror.h>

#include "core/errors.h"
#include "core/file_bytes.h"

namespace skelda {

namespace {

// libjpeg reports errors through the error manager; ours jumps back to the guarded call.
struct ErrorTrap {
  jpeg_error_mgr manager;  // first, so that cinfo->err points at the whole trap
  std::jmp_buf jump;
};

struct Decompressor {
  jpeg_decompress_struct info;
  ErrorTrap trap;
};

// Damage the decoder only warns about, filling what it could not read with grey.
bool LosesPixels(int code) {
  switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_NOT_SEQUENTIAL:
      return true;
    default:
      return false;
  }
}

[[noreturn]] void JumpOnError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorTrap*>(cinfo->err)->jump, 1);
}

void JumpOnDamage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  if (LosesPixels(cinfo->err->msg_code)) JumpOnError(cinfo);
  ++cinfo->err->num_warnings;
}

// The blue, green and red bytes of a pixel read as one word, whatever the byte order.
constexpr std::uint32_t kColourBytes =
    std::bit_cast<std::uint32_t>(std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0x00});

// The rows just decoded, made 32-bit blue, green, red, 0.
using RowFinisher = void (*)(std::uint8_t* rows, std::size_t rowBytes, int count, int width);

void ClearFourthBytes(std::uint8_t* rows, std::size_t rowBytes, int count, int width) {
  for (int y = 0; y < count; ++y) {
    std::uint8_t* p = rows + y * rowBytes;
    // Whole pixels as words, so that the loop vectorises.
    for (int x = 0; x < width; ++x, p += 4) {
      std::uint32_t pixel;
      std::memcpy(&pixel, p, 4);
      pixel &= kColourBytes;
      std::memcpy(p, &pixel, 4);
    }
  }
}

inline std::uint8_t InkProduct(unsigned a, unsigned b) {
  return (a * b + 127) / 255;
}

// Adobe writes CMYK inverted (0 = full ink), as every CMYK JPEG with an Adobe marker is read.
void InvertedCmykToBgr(std::uint8_t* rows, std::size_t rowBytes, int count, int width) {
  for (int y = 0; y < count; ++y) {
    std::uint8_t* p = rows + y * rowBytes;
    for (int x = 0; x < width; ++x, p += 4) {
      const unsigned c = p[0], m = p[1], ye = p[2], k = p[3];
      p[0] = InkProduct(ye, k);
      p[1] = InkProduct(m, k);
      p[2] = InkProduct(c, k);
      p[3] = 0;
    }
  }
}

void PlainCmykToBgr(std::uint8_t* rows, std::size_t rowBytes, int count, int width) {
  for (int y = 0; y < count; ++y) {
    std::uint8_t* p = rows + y * rowBytes;
    for (int x = 0; x < width; ++x, p += 4) {
      const unsigned c = 255 - p[0], m = 255 - p[1], ye = 255 - p[2], k = 255 - p[3];
      p[0] = InkProduct(ye, k);
      p[1] = InkProduct(m, k);
      p[2] = InkProduct(c, k);
      p[3] = 0;
    }
  }
}

// The guarded calls return 0 or the decoder's message code. Each holds the setjmp itself and
// nothing with a destructor, since longjmp would skip destructors. After the jump they read
// only d, which never changes, so no local needs to be volatile.
int GuardedReadHeader(Decompressor* d, const std::uint8_t* data, std::size_t size) {
  d->info.err = jpeg_std_error(&d->trap.manager);
  d->trap.manager.error_exit = JumpOnError;
  d->trap.manager.emit_message = JumpOnDamage;
  if (setjmp(d->trap.jump)) return d->trap.manager.msg_code;
  jpeg_create_decompress(&d->info);
  jpeg_mem_src(&d->info, data, size);
  jpeg_read_header(&d->info, TRUE);
  return 0;
}

int GuardedDecode(Decompressor* d, std::uint8_t* bits, std::size_t rowBytes, RowFinisher finish) {
  if (setjmp(d->trap.jump)) return d->trap.manager.msg_code;
  jpeg_start_decompress(&d->info);
  const int width = static_cast<int>(d->info.output_width);
  constexpr unsigned kMaxRows = 16;
  JSAMPROW rows[kMaxRows];
  while (d->info.output_scanline < d->info.output_height) {
    const unsigned first = d->info.output_scanline;
    const unsigned wanted = std::min({static_cast<unsigned>(d->info.rec_outbuf_height), kMaxRows,
                                      d->info.output_height - first});
    for (unsigned i = 0; i < wanted; ++i) rows[i] = bits + (first + i) * rowBytes;
    const unsigned got = jpeg_read_scanlines(&d->info, rows, std::max(wanted, 1u));
    if (got == 0) return JWRN_JPEG_EOF;  // only a suspending source stops early; ours never does
    finish(bits + first * rowBytes, rowBytes, static_cast<int>(got), width);
  }
  jpeg_finish_decompress(&d->info);
  return 0;
}

struct DestroyDecompressor {
  void operator()(Decompressor* d) const {
    jpeg_destroy_decompress(&d->info);  // safe on a zeroed or half-created object
    delete d;
  }
};

// Best quality, and output the 32-bit rows can take directly.
RowFinisher ChooseOutput(jpeg_decompress_struct& info) {
  info.dct_method = JDCT_ISLOW;
  info.do_fancy_upsampling = TRUE;
  if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
    info.out_color_space = JCS_CMYK;
    return info.saw_Adobe_marker ? InvertedCmykToBgr : PlainCmykToBgr;
  }
  info.out_color_space = JCS_EXT_BGRX;
  return ClearFourthBytes;
}

}  // namespace

Bitmap DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  // Value-initialised, so destroying it is safe whatever step failed.
  std::unique_ptr<Decompressor, DestroyDecompressor> d(new Decompressor());
  if (const int code = GuardedReadHeader(d.get(), data, size)) throw JpegError(code);
  if (d->info.data_precision != 8) throw JpegError(JERR_BAD_PRECISION);
  CheckPictureSize(d->info.image_width, d->info.image_height, 32);
  const RowFinisher finish = ChooseOutput(d->info);
  // Unfilled: a damaged file claiming a huge size fails after a few rows without having
  // committed memory for the rest; a file that decodes writes every row.
  Bitmap bitmap = Bitmap::Unfilled(static_cast<int>(d->info.image_width),
                                   static_cast<int>(d->info.image_height), PixelFormat::Bit32);
  if (const int code = GuardedDecode(d.get(), bitmap.Bits(), bitmap.RowBytes(), finish)) {
    throw JpegError(code);
  }
  return bitmap;
}

Bitmap ReadJpegFile(const std::string& path) {
  // Every JPEG starts with the start-of-image marker; the decoder refuses anything else at once.
  const std::vector<std::uint8_t> bytes =
      ReadFileBytes(path, [](const std::uint8_t* head, std::size_t size) {
        if (size >= 2 && (head[0] != 0xFF || head[1] != 0xD8)) throw JpegError(JERR_NO_SOI);
      });
  return DecodeJpeg(bytes.data(), bytes.size());
}

}  // namespace skelda
