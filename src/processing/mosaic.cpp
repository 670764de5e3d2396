#include "processing/mosaic.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "processing/parallel_rows.h"
#include "processing/pass_bitmaps.h"

namespace skelda {

namespace {

using BlockSums = std::array<std::uint64_t, 3>;  // blue, green, red

// One row of blocks, rows top .. bottom-1: the sums of each block column, then the means
// painted back over the same rectangles.
template <int S>
struct BlockRowScratch {
  explicit BlockRowScratch(int blockColumns) : sums(blockColumns), means(blockColumns) {}
  std::vector<BlockSums> sums;
  std::vector<std::array<std::uint8_t, S>> means;
};

template <int S>
void PaintBlockRow(Bitmap& bitmap, int top, int bottom, int bw, BlockRowScratch<S>& scratch) {
  const int width = bitmap.Width();
  const int blocks = static_cast<int>(scratch.sums.size());
  std::fill(scratch.sums.begin(), scratch.sums.end(), BlockSums{});
  for (int y = top; y < bottom; ++y) {
    const std::uint8_t* row = bitmap.ScanLine(y);
    for (int i = 0; i < blocks; ++i) {
      BlockSums& s = scratch.sums[i];
      const int right = std::min(width, (i + 1) * bw);
      for (int x = i * bw; x < right; ++x) {
        s[0] += row[S * x];
        s[1] += row[S * x + 1];
        s[2] += row[S * x + 2];
      }
    }
  }
  for (int i = 0; i < blocks; ++i) {
    const int left = i * bw;
    const std::uint64_t count =
        static_cast<std::uint64_t>(std::min(bw, width - left)) * (bottom - top);
    scratch.means[i] = {};  // the fourth byte of a 32-bit pixel becomes 0
    for (int k = 0; k < 3; ++k) {
      scratch.means[i][k] = static_cast<std::uint8_t>(scratch.sums[i][k] / count);
    }
  }
  for (int y = top; y < bottom; ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    for (int i = 0; i < blocks; ++i) {
      const auto& m = scratch.means[i];
      const int right = std::min(width, (i + 1) * bw);
      for (int x = i * bw; x < right; ++x) std::memcpy(row + S * x, m.data(), S);
    }
  }
}

template <int S>
void PaintBlocks(Bitmap& bitmap, int bw, int bh) {
  const int blockRows = (bitmap.Height() + bh - 1) / bh;
  const int blockColumns = (bitmap.Width() + bw - 1) / bw;
  const std::vector<int> starts = RowBandStarts(blockRows, bitmap.RowBytes() * bh);
  std::vector<BlockRowScratch<S>> scratch(starts.size(), BlockRowScratch<S>(blockColumns));
  RunRowBands(starts, [&](int band, int first, int last) {
    for (int j = first; j < last; ++j) {
      const int top = j * bh;
      PaintBlockRow<S>(bitmap, top, std::min(top + bh, bitmap.Height()), bw, scratch[band]);
    }
  });
}

}  // namespace

void MosaicBitmap(Bitmap& bitmap, std::uint16_t bw, std::uint16_t bh) {
  const bool paints = !bitmap.Empty() && bw > 0 && bh > 0 && !(bw == 1 && bh == 1);
  if (bitmap.Format() == PixelFormat::Bit32) {
    if (paints) {
      PaintBlocks<4>(bitmap, bw, bh);
    } else {
      ClearFourthBytes(bitmap);
    }
    return;
  }
  bitmap.SetPixelFormat(PixelFormat::Bit24);
  if (paints) PaintBlocks<3>(bitmap, bw, bh);
}

}  // namespace skelda
