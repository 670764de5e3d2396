#include "processing/diffusion_rows.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "processing/gray_value.h"
#include "processing/pixel_words.h"

namespace skelda {

void FillRow(const std::uint8_t* row, int width, std::int32_t* cells) {
  int x = 0;
#if defined(__SSE2__)
  const __m128i pairMask = _mm_set1_epi32(0x00FF00FF);
  const __m128i blueRed = _mm_set1_epi32((kDiffusionWeights.red << 16) | kDiffusionWeights.blue);
  const __m128i greenOnly = _mm_set1_epi32(kDiffusionWeights.green);
  for (; x + 4 <= width; x += 4) {
    const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 4 * x));
    const __m128i br = _mm_and_si128(p, pairMask);
    const __m128i ga = _mm_and_si128(_mm_srli_epi32(p, 8), pairMask);
    const __m128i sum = _mm_add_epi32(_mm_madd_epi16(br, blueRed), _mm_madd_epi16(ga, greenOnly));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + x), _mm_srli_epi32(sum, 8));
  }
#endif
  for (; x < width; ++x) cells[x] = GrayValue(LoadWord(row + 4 * x), kDiffusionWeights);
  cells[width] = 0;
}

void WriteBackRow(const std::uint8_t* source, std::uint8_t* target, int width,
                  const std::uint32_t* decided) {
  for (int x = 0; x < width; ++x) {
    StoreWord(target + 4 * x, (LoadWord(source + 4 * x) & kFourthByte) | decided[x]);
  }
}

}  // namespace skelda
