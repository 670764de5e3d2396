#include "processing/sharpen.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/errors.h"
#include "processing/clamp_byte.h"
#include "processing/parallel_rows.h"
#include "processing/pass_bitmaps.h"
#include "processing/pixel_words.h"

namespace skelda {

namespace {

// Beyond this every non-zero difference saturates anyway, and the products stay within int.
constexpr int kMaxAmount = 1'000'000;
// Up to this the product fits the 16-bit lanes: 256 a and 2 d within -32768 .. 32767.
constexpr int kMaxLaneAmount = 127;

// With d = 4 p - (sum of the four diagonal neighbours) the kernel sum is 128 p + a d. Where it
// is not negative, truncating it / 128 is flooring, which is p + (a d >> 7); where it is
// negative both ways end at 0 after the clamp.
inline std::uint8_t Sharpened(int centre, int diagonals, int amount) {
  return ClampByte(centre + ((amount * (4 * centre - diagonals)) >> 7));
}

// The source rows around one output row; up and down are nullptr outside the picture.
struct Neighbourhood {
  const std::uint8_t* up;
  const std::uint8_t* centre;
  const std::uint8_t* down;
};

// Bytes i of [first, last), all of whose diagonal neighbours lie inside the row: a missing row
// counts as the centre row at the same place (both of its diagonals are the centre pixel).
template <int S>
void SharpenInterior(const Neighbourhood& n, std::uint8_t* out, int first, int last, int amount) {
  const std::uint8_t* c = n.centre;
  const std::uint8_t* upLeft = n.up ? n.up - S : c;
  const std::uint8_t* upRight = n.up ? n.up + S : c;
  const std::uint8_t* downLeft = n.down ? n.down - S : c;
  const std::uint8_t* downRight = n.down ? n.down + S : c;
  int i = first;
#if defined(__SSE2__)
  if (amount >= -kMaxLaneAmount && amount <= kMaxLaneAmount) {
    // Sixteen bytes at a time in 16-bit lanes; (2 d x 256 a) >> 16 is exactly a d >> 7, and the
    // final pack clamps to 0 .. 255.
    const __m128i zero = _mm_setzero_si128();
    const __m128i scaled = _mm_set1_epi16(static_cast<short>(amount * 256));
    auto load = [&](const std::uint8_t* p) {
      return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    };
    auto half = [&](__m128i centre, __m128i ul, __m128i ur, __m128i dl, __m128i dr) {
      const __m128i diagonals = _mm_add_epi16(_mm_add_epi16(ul, ur), _mm_add_epi16(dl, dr));
      const __m128i d = _mm_sub_epi16(_mm_slli_epi16(centre, 2), diagonals);
      return _mm_add_epi16(centre, _mm_mulhi_epi16(_mm_slli_epi16(d, 1), scaled));
    };
    for (; i + 16 <= last; i += 16) {
      const __m128i cv = load(c), ul = load(upLeft), ur = load(upRight), dl = load(downLeft),
                    dr = load(downRight);
      const __m128i low = half(_mm_unpacklo_epi8(cv, zero), _mm_unpacklo_epi8(ul, zero),
                               _mm_unpacklo_epi8(ur, zero), _mm_unpacklo_epi8(dl, zero),
                               _mm_unpacklo_epi8(dr, zero));
      const __m128i high = half(_mm_unpackhi_epi8(cv, zero), _mm_unpackhi_epi8(ul, zero),
                                _mm_unpackhi_epi8(ur, zero), _mm_unpackhi_epi8(dl, zero),
                                _mm_unpackhi_epi8(dr, zero));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(low, high));
    }
  }
#endif
  for (; i < last; ++i) {
    out[i] = Sharpened(c[i], upLeft[i] + upRight[i] + downLeft[i] + downRight[i], amount);
  }
}

// One pixel x whose diagonals may fall outside the picture.
template <int S>
void SharpenEdgePixel(const Neighbourhood& n, std::uint8_t* out, int x, int width, int amount) {
  for (int k = 0; k < S; ++k) {
    const int i = x * S + k;
    const int p = n.centre[i];
    auto at = [&](const std::uint8_t* row, int dx) {
      return row && x + dx >= 0 && x + dx < width ? row[i + dx * S] : p;
    };
    out[i] = Sharpened(p, at(n.up, -1) + at(n.up, 1) + at(n.down, -1) + at(n.down, 1), amount);
  }
}

template <int S>
void SharpenRow(const Neighbourhood& n, std::uint8_t* out, int width, int amount) {
  SharpenEdgePixel<S>(n, out, 0, width, amount);
  if (width > 1) SharpenEdgePixel<S>(n, out, width - 1, width, amount);
  if (width > 2) SharpenInterior<S>(n, out, S, (width - 1) * S, amount);
  if constexpr (S == 4) {
    for (int x = 0; x < width; ++x) out[4 * x + 3] = 0;
  }
}

// In place: rows first .. last-1. above and below are copies of the source rows just outside
// the band (nullptr at the picture's edge), taken before any band started writing; each row is
// copied aside before it is overwritten, as the next row still reads it.
template <int S>
void SharpenBandInPlace(Bitmap& bitmap, int first, int last, const std::uint8_t* above,
                        const std::uint8_t* below, int amount, std::uint8_t* previous,
                        std::uint8_t* current) {
  const int width = bitmap.Width();
  const std::size_t bytes = static_cast<std::size_t>(width) * S;
  const std::uint8_t* up = above;
  for (int y = first; y < last; ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    std::memcpy(current, row, bytes);
    const std::uint8_t* down = y + 1 < last ? bitmap.ScanLine(y + 1) : below;
    SharpenRow<S>({up, current, down}, row, width, amount);
    std::swap(previous, current);
    up = previous;
  }
}

template <int S>
void SharpenInPlace(Bitmap& bitmap, int amount) {
  const int height = bitmap.Height();
  const std::size_t bytes = static_cast<std::size_t>(bitmap.Width()) * S;
  const std::vector<int> starts = RowBandStarts(height, bitmap.RowBytes());
  const int bands = static_cast<int>(starts.size()) - 1;
  if (bands <= 0) return;
  // Per band: the copies of the rows just outside it, then the two rolling row copies.
  std::vector<std::uint8_t> storage(static_cast<std::size_t>(bands) * 4 * bytes);
  auto block = [&](int band, int k) {
    return storage.data() + (static_cast<std::size_t>(band) * 4 + k) * bytes;
  };
  for (int b = 0; b < bands; ++b) {
    if (starts[b] > 0) std::memcpy(block(b, 0), bitmap.ScanLine(starts[b] - 1), bytes);
    if (starts[b + 1] < height) std::memcpy(block(b, 1), bitmap.ScanLine(starts[b + 1]), bytes);
  }
  RunRowBands(starts, [&](int b, int first, int last) {
    SharpenBandInPlace<S>(bitmap, first, last, first > 0 ? block(b, 0) : nullptr,
                          last < height ? block(b, 1) : nullptr, amount, block(b, 2), block(b, 3));
  });
}

}  // namespace

void SharpenBitmap(Bitmap& bitmap, int amount) {
  amount = std::clamp(amount, -kMaxAmount, kMaxAmount);
  if (bitmap.Format() == PixelFormat::Bit24) {
    if (amount != 0) SharpenInPlace<3>(bitmap, amount);
  } else if (bitmap.Format() == PixelFormat::Bit32) {
    if (amount != 0) {
      SharpenInPlace<4>(bitmap, amount);
    } else {
      ClearFourthBytes(bitmap);
    }
  }
}

void SharpenBitmap(const Bitmap& source, Bitmap& target, int amount) {
  RequireSourceAndTarget32(source, target);
  if (&source == &target)
    throw AssertionError("Sharpening needs a separate target", __FILE__, __LINE__);
  amount = std::clamp(amount, -kMaxAmount, kMaxAmount);
  const int width = source.Width();
  const int height = source.Height();
  ForEachRowBand(height, source.RowBytes(), [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      const Neighbourhood n{y > 0 ? source.ScanLine(y - 1) : nullptr, source.ScanLine(y),
                            y + 1 < height ? source.ScanLine(y + 1) : nullptr};
      SharpenRow<4>(n, target.ScanLine(y), width, amount);
    }
  });
}

}  // namespace skelda
