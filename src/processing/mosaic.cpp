#include "processing/mosaic.h"

#include <algorithm>
#include <array>
#include <vector>

#include "processing/bitmap_steps.h"
#include "processing/parallel_rows.h"

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
  std::vector<BlockSums>& sums = scratch.sums;
  auto& means = scratch.means;
  const int width = bitmap.Width();
  std::fill(sums.begin(), sums.end(), BlockSums{});
  for (int y = top; y < bottom; ++y) {
    const std::uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      BlockSums& s = sums[x / bw];
      s[0] += row[S * x];
      s[1] += row[S * x + 1];
      s[2] += row[S * x + 2];
    }
  }
  for (std::size_t i = 0; i < sums.size(); ++i) {
    const int left = static_cast<int>(i) * bw;
    const std::uint64_t count =
        static_cast<std::uint64_t>(std::min(bw, width - left)) * (bottom - top);
    means[i] = {};
    for (int k = 0; k < 3; ++k) means[i][k] = static_cast<std::uint8_t>(sums[i][k] / count);
  }
  for (int y = top; y < bottom; ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      const auto& m = means[x / bw];
      std::copy(m.begin(), m.end(), row + S * x);
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
