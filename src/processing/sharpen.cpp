#include "processing/sharpen.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "processing/bitmap_steps.h"
#include "processing/clamp_byte.h"
#include "processing/parallel_rows.h"

namespace skelda {

namespace {

// Beyond this every non-zero difference saturates anyway, and the products stay within int.
constexpr int kMaxAmount = 1'000'000;

// With d = 4 p - (sum of the four diagonal neighbours) the kernel sum is 128 p + a d. Where it
// is not negative, truncating it / 128 is flooring, which is p + (a d >> 7); where it is
// negative both ways end at 0 after the clamp.
inline std::uint8_t Sharpened(int centre, int diagonals, int amount) {
  return ClampByte(centre + ((amount * (4 * centre - diagonals)) >> 7));
}

// One output row. up and down are the source rows above and below, nullptr outside the
// picture; centre is the source row itself; S is the bytes per pixel.
template <int S>
void SharpenRow(const std::uint8_t* up, const std::uint8_t* centre, const std::uint8_t* down,
                std::uint8_t* out, int width, int amount) {
  // The columns at the left and right edge, where some diagonals fall outside.
  auto edgePixel = [&](int x) {
    for (int k = 0; k < S; ++k) {
      const int i = x * S + k;
      const int p = centre[i];
      auto at = [&](const std::uint8_t* row, int dx) {
        return row && x + dx >= 0 && x + dx < width ? row[i + dx * S] : p;
      };
      out[i] = Sharpened(p, at(up, -1) + at(up, 1) + at(down, -1) + at(down, 1), amount);
    }
  };
  edgePixel(0);
  if (width > 1) edgePixel(width - 1);
  const int end = (width - 1) * S;
  if (up && down) {
    for (int i = S; i < end; ++i) {
      out[i] = Sharpened(centre[i], up[i - S] + up[i + S] + down[i - S] + down[i + S], amount);
    }
  } else if (up) {
    for (int i = S; i < end; ++i) {
      out[i] = Sharpened(centre[i], up[i - S] + up[i + S] + 2 * centre[i], amount);
    }
  } else if (down) {
    for (int i = S; i < end; ++i) {
      out[i] = Sharpened(centre[i], 2 * centre[i] + down[i - S] + down[i + S], amount);
    }
  } else {
    for (int i = S; i < end; ++i) out[i] = centre[i];
  }
}

// Rows first .. last-1 in place. above and below are copies of the source rows just outside the
// band (nullptr at the picture's edge), taken before any band started writing.
template <int S>
void SharpenBand(Bitmap& bitmap, int first, int last, const std::uint8_t* above,
                 const std::uint8_t* below, int amount, std::uint8_t* previous,
                 std::uint8_t* current) {
  const int width = bitmap.Width();
  const std::size_t bytes = static_cast<std::size_t>(width) * S;
  const std::uint8_t* up = above;
  for (int y = first; y < last; ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    std::memcpy(current, row, bytes);
    const std::uint8_t* down = y + 1 < last ? bitmap.ScanLine(y + 1) : below;
    SharpenRow<S>(up, current, down, row, width, amount);
    if constexpr (S == 4) {
      for (int x = 0; x < width; ++x) row[4 * x + 3] = 0;
    }
    std::swap(previous, current);
    up = previous;
  }
}

template <int S>
void SharpenRows(Bitmap& bitmap, int amount) {
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
    SharpenBand<S>(bitmap, first, last, first > 0 ? block(b, 0) : nullptr,
                   last < height ? block(b, 1) : nullptr, amount, block(b, 2), block(b, 3));
  });
}

}  // namespace

void SharpenBitmap(Bitmap& bitmap, int amount) {
  amount = std::clamp(amount, -kMaxAmount, kMaxAmount);
  if (bitmap.Format() == PixelFormat::Bit24) {
    if (amount != 0) SharpenRows<3>(bitmap, amount);
  } else if (bitmap.Format() == PixelFormat::Bit32) {
    if (amount != 0) SharpenRows<4>(bitmap, amount);
    ClearFourthBytes(bitmap);
  }
}

}  // namespace skelda
