#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/pixel_words.h"
#include "geometry/orientation.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace skelda {

namespace {

using namespace pixel_groups;

// The target is written in square tiles so that the source rows one tile reads stay in the
// first-level cache while the tile's target rows are filled.
constexpr int kTile = 64;

struct Pixel4 {
  Pixel v[4];
};

// 3-byte pixels, moved as whole groups.
struct Bytes3 {
  static constexpr int kSize = 3;
  static void Copy(std::uint8_t* to, const std::uint8_t* from) { std::memcpy(to, from, 3); }
  static void Load(const std::uint8_t* p, Pixel4& out) { Load4(p, out.v); }
  static void Store(std::uint8_t* p, Pixel a, Pixel b, Pixel c, Pixel d) { Store4(p, a, b, c, d); }
};

// 4-byte pixels whose fourth byte is written as 0.
struct Bytes4 {
  static constexpr int kSize = 4;
  static void Copy(std::uint8_t* to, const std::uint8_t* from) {
    StoreWord(to, LoadWord(from) & kColourBits);
  }
  static void Load(const std::uint8_t* p, Pixel4& out) {
    for (int i = 0; i < 4; ++i) out.v[i] = LoadWord(p + 4 * i);
  }
  static void Store(std::uint8_t* p, Pixel a, Pixel b, Pixel c, Pixel d) {
    StoreWord(p, a & kColourBits);
    StoreWord(p + 4, b & kColourBits);
    StoreWord(p + 8, c & kColourBits);
    StoreWord(p + 12, d & kColourBits);
  }
};

// Four rows of four 4-byte pixels turned as a 4 x 4 block: out[k] holds pixel k of in[0..3].
struct Block32 {
#if defined(__SSE2__)
  __m128i c[4];
  void Load(const std::uint8_t* const in[4]) {
    const __m128i r0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in[0]));
    const __m128i r1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in[1]));
    const __m128i r2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in[2]));
    const __m128i r3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in[3]));
    const __m128i t0 = _mm_unpacklo_epi32(r0, r1), t1 = _mm_unpacklo_epi32(r2, r3);
    const __m128i t2 = _mm_unpackhi_epi32(r0, r1), t3 = _mm_unpackhi_epi32(r2, r3);
    c[0] = _mm_unpacklo_epi64(t0, t1);
    c[1] = _mm_unpackhi_epi64(t0, t1);
    c[2] = _mm_unpacklo_epi64(t2, t3);
    c[3] = _mm_unpackhi_epi64(t2, t3);
  }
  void Store(std::uint8_t* out, int k) const {
    const __m128i colour = _mm_set1_epi32(kColourBits);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_and_si128(c[k], colour));
  }
#else
  Pixel4 p[4];
  void Load(const std::uint8_t* const in[4]) {
    for (int i = 0; i < 4; ++i)
      for (int k = 0; k < 4; ++k) p[i].v[k] = LoadWord(in[i] + 4 * k);
  }
  void Store(std::uint8_t* out, int k) const {
    for (int i = 0; i < 4; ++i) StoreWord(out + 4 * i, p[i].v[k] & kColourBits);
  }
#endif
};

template <typename Px>
struct Turn {
  std::vector<const std::uint8_t*> rows;  // rows[x]: the source row that feeds target column x
  std::vector<std::uint8_t*> targetRows;
  bool clockwise = true;
  int sourceWidth = 0;

  // Source column read by target row y.
  int Column(int y) const { return clockwise ? y : sourceWidth - 1 - y; }

  void CopyPixel(int x, int y) const {
    Px::Copy(targetRows[y] + Px::kSize * x, rows[x] + Px::kSize * Column(y));
  }

  // Target rows y .. y+3, columns x .. x+3, from four pixels of four source rows.
  void Block4(int x, int y) const {
    if constexpr (Px::kSize == 4) {
      const int first = clockwise ? y : sourceWidth - 4 - y;
      const std::uint8_t* const in[4] = {rows[x] + 4 * first, rows[x + 1] + 4 * first,
                                         rows[x + 2] + 4 * first, rows[x + 3] + 4 * first};
      Block32 b;
      b.Load(in);
      for (int j = 0; j < 4; ++j) b.Store(targetRows[y + j] + 4 * x, clockwise ? j : 3 - j);
      return;
    }
    Pixel4 p[4];
    const int first = clockwise ? y : sourceWidth - 4 - y;
    for (int i = 0; i < 4; ++i) Px::Load(rows[x + i] + Px::kSize * first, p[i]);
    for (int j = 0; j < 4; ++j) {
      const int k = clockwise ? j : 3 - j;
      Px::Store(targetRows[y + j] + Px::kSize * x, p[0].v[k], p[1].v[k], p[2].v[k], p[3].v[k]);
    }
  }

  void Tile(int x0, int x1, int y0, int y1) const {
    const int x4 = x0 + (x1 - x0) / 4 * 4;
    const int y4 = y0 + (y1 - y0) / 4 * 4;
    for (int y = y0; y < y4; y += 4) {
      for (int x = x0; x < x4; x += 4) Block4(x, y);
    }
    for (int y = y0; y < y1; ++y) {
      for (int x = (y < y4 ? x4 : x0); x < x1; ++x) CopyPixel(x, y);
    }
  }
};

template <typename Px>
void TurnInto(const Bitmap& source, Bitmap& target, TurnDirection direction) {
  const int width = source.Width(), height = source.Height();
  Turn<Px> t;
  t.clockwise = direction == TurnDirection::Clockwise;
  t.sourceWidth = width;
  // The source row pointers are gathered once: clockwise, target column x comes from source
  // row H-1-x; counter-clockwise from row x.
  t.rows.resize(height);
  for (int x = 0; x < height; ++x) t.rows[x] = source.ScanLine(t.clockwise ? height - 1 - x : x);
  t.targetRows.resize(width);
  for (int y = 0; y < width; ++y) t.targetRows[y] = target.ScanLine(y);
  for (int y0 = 0; y0 < width; y0 += kTile) {
    for (int x0 = 0; x0 < height; x0 += kTile) {
      t.Tile(x0, std::min(x0 + kTile, height), y0, std::min(y0 + kTile, width));
    }
  }
}

}  // namespace

Bitmap QuarterTurn(const Bitmap& source, TurnDirection direction) {
  Bitmap target(source.Height(), source.Width(), PixelFormat::Bit24);
  TurnInto<Bytes3>(source, target, direction);
  return target;
}

void QuarterTurnInto(const Bitmap& source, Bitmap& target, TurnDirection direction) {
  TurnInto<Bytes4>(source, target, direction);
}

}  // namespace skelda
