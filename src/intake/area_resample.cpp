#include "intake/area_resample.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/pixel_words.h"

namespace skelda {

namespace {

// Weights are fixed-point with this many fraction bits and sum to exactly 1 for every target
// pixel, which keeps a uniform picture uniform and an unscaled axis exact.
constexpr int kWeightBits = 14;
// Between the passes a channel keeps 8 fraction bits: 255 << 8 still fits 16 bits, and a sum
// of 16-bit values times the weights still fits 32 bits.
constexpr int kMidBits = 8;

// For each target pixel of one axis: the source pixels it covers and their weights.
struct AxisWeights {
  std::vector<int> first;  // first source pixel of target pixel t
  std::vector<int> start;  // where its weights begin; start[t + 1] ends them
  std::vector<std::uint16_t> weight;
};

// Target pixel t covers [t * S, (t + 1) * S) and source pixel i covers [i * T, (i + 1) * T)
// in units of 1 / (S * T) of the picture, so every overlap is a whole number. Weights are
// rounded from the running sum, so they add up to exactly 1 << kWeightBits.
AxisWeights MakeAxisWeights(int sourceSize, int targetSize) {
  const long long S = sourceSize, T = targetSize;
  AxisWeights axis;
  axis.first.resize(targetSize);
  axis.start.resize(targetSize + 1);
  for (long long t = 0; t < T; ++t) {
    const long long lo = t * S, hi = lo + S;
    const long long i0 = lo / T, i1 = (hi - 1) / T;
    axis.first[t] = static_cast<int>(i0);
    axis.start[t] = static_cast<int>(axis.weight.size());
    long long covered = 0, given = 0;
    for (long long i = i0; i <= i1; ++i) {
      covered += std::min(hi, (i + 1) * T) - std::max(lo, i * T);
      const long long due = ((covered << kWeightBits) + S / 2) / S;
      axis.weight.push_back(static_cast<std::uint16_t>(due - given));
      given = due;
    }
  }
  axis.start[targetSize] = static_cast<int>(axis.weight.size());
  return axis;
}

#if defined(__GNUC__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
// The wider vectors of AVX2 where the processor has them.
#define SKELDA_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define SKELDA_VECTOR_CLONES
#endif

inline std::uint32_t Weighted(std::uint8_t sample, std::uint16_t w) {
  return std::uint32_t{std::uint16_t{sample}} * w;  // 16-bit operands: widening multiplies
}

// One target row's worth of source rows, weighted and summed down the columns, with
// kMidBits fraction bits. Every byte of the row is treated alike, so the loops vectorise;
// rows are taken two at a time to halve the passes over the sums.
SKELDA_VECTOR_CLONES
void SumRows(const Bitmap& source, const AxisWeights& rows, int t, std::vector<std::uint32_t>& acc,
             std::vector<std::uint16_t>& mid) {
  constexpr int kShift = kWeightBits - kMidBits;
  constexpr std::uint32_t kHalf = 1u << (kShift - 1);
  const std::size_t n = mid.size();
  const std::uint16_t* w = rows.weight.data() + rows.start[t];
  int left = rows.start[t + 1] - rows.start[t];
  const std::uint8_t* s0 = source.ScanLine(rows.first[t]);
  std::uint16_t* m = mid.data();
  if (left == 1) {
    for (std::size_t i = 0; i < n; ++i) m[i] = (Weighted(s0[i], w[0]) + kHalf) >> kShift;
    return;
  }
  const std::uint8_t* s1 = s0 + source.RowBytes();
  std::uint32_t* a = acc.data();
  for (std::size_t i = 0; i < n; ++i) a[i] = Weighted(s0[i], w[0]) + Weighted(s1[i], w[1]);
  for (left -= 2; left > 2; left -= 2) {
    w += 2;
    s0 = s1 + source.RowBytes();
    s1 = s0 + source.RowBytes();
    for (std::size_t i = 0; i < n; ++i) a[i] += Weighted(s0[i], w[0]) + Weighted(s1[i], w[1]);
  }
  if (left == 0) {
    for (std::size_t i = 0; i < n; ++i) m[i] = (a[i] + kHalf) >> kShift;
  } else if (left == 1) {
    s0 = s1 + source.RowBytes();
    for (std::size_t i = 0; i < n; ++i) m[i] = (a[i] + Weighted(s0[i], w[2]) + kHalf) >> kShift;
  } else {
    s0 = s1 + source.RowBytes();
    s1 = s0 + source.RowBytes();
    for (std::size_t i = 0; i < n; ++i) {
      m[i] = (a[i] + Weighted(s0[i], w[2]) + Weighted(s1[i], w[3]) + kHalf) >> kShift;
    }
  }
}

// The summed row resampled across into one target row (blue, green, red, 0), the four
// channels of a pixel as one vector.
SKELDA_VECTOR_CLONES
void SumColumns(const std::vector<std::uint16_t>& mid, const AxisWeights& columns,
                std::uint8_t* out, int width) {
  using Channels = std::uint32_t __attribute__((vector_size(16)));
  constexpr int kShift = kWeightBits + kMidBits;
  constexpr std::uint32_t kHalf = 1u << (kShift - 1);
  const std::uint16_t* weight = columns.weight.data();
  for (int t = 0; t < width; ++t, out += 4) {
    const std::uint16_t* p = mid.data() + 4 * static_cast<std::size_t>(columns.first[t]);
    Channels sum = {kHalf, kHalf, kHalf, kHalf};
    for (int k = columns.start[t]; k < columns.start[t + 1]; ++k, p += 4) {
      const Channels v = {p[0], p[1], p[2], p[3]};
      sum += weight[k] * v;
    }
    sum >>= kShift;
    out[0] = static_cast<std::uint8_t>(sum[0]);
    out[1] = static_cast<std::uint8_t>(sum[1]);
    out[2] = static_cast<std::uint8_t>(sum[2]);
    out[3] = 0;
  }
}

void Stretch32(const Bitmap& source, Bitmap& target) {
  const int tw = target.Width(), th = target.Height();
  if (source.Width() == tw && source.Height() == th) {
    for (int y = 0; y < th; ++y) {
      const std::uint8_t* s = source.ScanLine(y);
      std::uint8_t* d = target.ScanLine(y);
      std::memcpy(d, s, 4 * static_cast<std::size_t>(tw));
      ClearFourthBytes(d, tw);
    }
    return;
  }
  const AxisWeights rows = MakeAxisWeights(source.Height(), th);
  const AxisWeights columns = MakeAxisWeights(source.Width(), tw);
  const std::size_t n = 4 * static_cast<std::size_t>(source.Width());
  std::vector<std::uint32_t> acc(n);
  std::vector<std::uint16_t> mid(n);
  for (int y = 0; y < th; ++y) {
    SumRows(source, rows, y, acc, mid);
    SumColumns(mid, columns, target.ScanLine(y), tw);
  }
}

}  // namespace

void AreaResample(const Bitmap& source, Bitmap& target) {
  if (target.Empty()) return;
  if (source.Empty()) {
    target.FillRect(0, 0, target.Width(), target.Height(), kBlack);
    return;
  }
  if (source.Format() != PixelFormat::Bit32) {
    Bitmap copy = source;
    copy.SetPixelFormat(PixelFormat::Bit32);
    AreaResample(copy, target);
    return;
  }
  if (target.Format() != PixelFormat::Bit32) {
    Bitmap stretched(target.Width(), target.Height(), PixelFormat::Bit32);
    Stretch32(source, stretched);
    // A custom layout has no conversion back; such a target becomes plain 32 bits.
    if (BitsPerPixelOf(target.Format()) != 0) {
      stretched.SetPalette(target.PaletteEntries());
      stretched.SetPixelFormat(target.Format());
    }
    target = std::move(stretched);
    return;
  }
  Stretch32(source, target);
}

}  // namespace skelda
