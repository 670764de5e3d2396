#include "processing/contrast.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "processing/clamp_byte.h"
#include "processing/parallel_rows.h"
#include "processing/pass_bitmaps.h"
#include "processing/pixel_words.h"

namespace skelda {

namespace {

using ChannelSums = std::array<std::uint64_t, 3>;  // blue, green, red
using ChannelTables = std::array<std::array<std::uint8_t, 256>, 3>;

template <int S>
ChannelSums SumChannels(const Bitmap& bitmap) {
  const int width = bitmap.Width();
  const std::vector<int> starts = RowBandStarts(bitmap.Height(), bitmap.RowBytes());
  std::vector<ChannelSums> partial(starts.size(), ChannelSums{});
  RunRowBands(starts, [&](int band, int first, int last) {
    ChannelSums sums{};
    for (int y = first; y < last; ++y) {
      const std::uint8_t* row = bitmap.ScanLine(y);
      // A row's sums fit in 32 bits (width < 2^20, bytes < 2^8).
      std::uint32_t b = 0, g = 0, r = 0;
      for (int x = 0; x < width; ++x) {
        b += row[S * x];
        g += row[S * x + 1];
        r += row[S * x + 2];
      }
      sums[0] += b;
      sums[1] += g;
      sums[2] += r;
    }
    partial[band] = sums;
  });
  ChannelSums total{};
  for (const ChannelSums& s : partial) {
    for (int k = 0; k < 3; ++k) total[k] += s[k];
  }
  return total;
}

// The new value of every possible old value, for one channel of mean m: the product is exact
// in the 64-bit mantissa and only then truncated.
std::array<std::uint8_t, 256> ChannelTable(int mean, double factor) {
  std::array<std::uint8_t, 256> table{};
  for (int v = 0; v < 256; ++v) {
    long double moved = std::trunc(static_cast<long double>(v - mean) * factor);
    moved = std::clamp(moved, -1024.0L, 1024.0L);  // beyond this the clamp decides anyway
    table[v] = ClampByte(mean + static_cast<int>(moved));
  }
  return table;
}

template <int S>
void ApplyTables(const Bitmap& source, Bitmap& target, const ChannelTables& tables) {
  const int width = source.Width();
  ForEachRowBand(source.Height(), source.RowBytes(), [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      const std::uint8_t* in = source.ScanLine(y);
      std::uint8_t* out = target.ScanLine(y);
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = in + S * x;
        if constexpr (S == 4) {
          StoreWord(out + 4 * x, tables[0][p[0]] | (tables[1][p[1]] << 8) |
                                     (std::uint32_t(tables[2][p[2]]) << 16));
        } else {
          out[3 * x] = tables[0][p[0]];
          out[3 * x + 1] = tables[1][p[1]];
          out[3 * x + 2] = tables[2][p[2]];
        }
      }
    }
  });
}

template <int S>
void StretchChannels(const Bitmap& source, Bitmap& target, int amount) {
  const ChannelSums sums = SumChannels<S>(source);
  const std::uint64_t count =
      static_cast<std::uint64_t>(source.Width()) * static_cast<std::uint64_t>(source.Height());
  const double factor = ContrastFactor(amount);
  ChannelTables tables;
  for (int k = 0; k < 3; ++k) tables[k] = ChannelTable(static_cast<int>(sums[k] / count), factor);
  ApplyTables<S>(source, target, tables);
}

// a = 0 leaves every value as it is.
ChannelTables IdentityTables() {
  ChannelTables tables;
  for (auto& table : tables) {
    for (int v = 0; v < 256; ++v) table[v] = static_cast<std::uint8_t>(v);
  }
  return tables;
}

}  // namespace

double ContrastFactor(int amount) {
  if (amount >= 0) return static_cast<double>(1.0L + static_cast<long double>(amount) / 10.0L);
  return static_cast<double>(1.0L - std::sqrt(-static_cast<long double>(amount)) / 10.0L);
}

void AdjustContrast(Bitmap& bitmap, int amount) {
  if (bitmap.Format() == PixelFormat::Bit32) {
    AdjustContrast(bitmap, bitmap, amount);
  } else if (bitmap.Format() == PixelFormat::Bit24 && amount != 0 && !bitmap.Empty()) {
    StretchChannels<3>(bitmap, bitmap, amount);
  }
}

void AdjustContrast(const Bitmap& source, Bitmap& target, int amount) {
  RequireSourceAndTarget32(source, target);
  if (source.Empty()) return;
  if (amount != 0) {
    StretchChannels<4>(source, target, amount);
  } else {
    ApplyTables<4>(source, target, IdentityTables());
  }
}

}  // namespace skelda
