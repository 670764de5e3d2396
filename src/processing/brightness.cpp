#include "processing/brightness.h"

#include <algorithm>
#include <cstdlib>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "processing/clamp_byte.h"
#include "processing/parallel_rows.h"
#include "processing/pass_bitmaps.h"
#include "processing/pixel_words.h"

namespace skelda {

namespace {

// count bytes of source into target (which may be source); with keepMask 0x00FFFFFF every
// fourth byte becomes 0.
void BrightenBytes(const std::uint8_t* source, std::uint8_t* target, int count, int amount,
                   std::uint32_t keepMask) {
  int i = 0;
#if defined(__SSE2__)
  // Saturating byte adds are ClampByte(v + a) for any a in -255 .. 255.
  const __m128i step = _mm_set1_epi8(static_cast<char>(std::min(std::abs(amount), 255)));
  const __m128i keep = _mm_set1_epi32(static_cast<int>(keepMask));
  for (; i + 16 <= count; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
    const __m128i moved = amount >= 0 ? _mm_adds_epu8(v, step) : _mm_subs_epu8(v, step);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), _mm_and_si128(moved, keep));
  }
#endif
  for (; i < count; ++i) {
    const std::uint8_t mask = static_cast<std::uint8_t>(keepMask >> (8 * (i % 4)));
    target[i] = ClampByte(source[i] + amount) & mask;
  }
}

}  // namespace

void AdjustBrightness(Bitmap& bitmap, int amount) {
  if (bitmap.Format() == PixelFormat::Bit32) {
    AdjustBrightness(bitmap, bitmap, amount);
    return;
  }
  if (bitmap.Format() != PixelFormat::Bit24 || amount == 0) return;
  // Any amount beyond a whole byte's range saturates every byte alike.
  amount = std::clamp(amount, -255, 255);
  const int width = bitmap.Width();
  ForEachRowBand(bitmap.Height(), bitmap.RowBytes(), [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      std::uint8_t* row = bitmap.ScanLine(y);
      BrightenBytes(row, row, 3 * width, amount, 0xFFFFFFFF);
    }
  });
}

void AdjustBrightness(const Bitmap& source, Bitmap& target, int amount) {
  RequireSourceAndTarget32(source, target);
  amount = std::clamp(amount, -255, 255);
  const int width = source.Width();
  ForEachRowBand(source.Height(), source.RowBytes(), [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      BrightenBytes(source.ScanLine(y), target.ScanLine(y), 4 * width, amount, kColourBits);
    }
  });
}

}  // namespace skelda
