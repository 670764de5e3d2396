#include "processing/halftone_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "core/errors.h"
#include "core/numbers.h"
#include "processing/gray_value.h"
#include "processing/parallel_rows.h"
#include "processing/pass_bitmaps.h"
#include "processing/pixel_words.h"

namespace skelda {

namespace {

// Below this side no cell can hold two pixel centres (its diagonal is under one dot), so every
// dot is a cell of its own: black when its darkness rounds to a whole dot.
constexpr double kSinglesPitch = 0.7;
// The d² cells of one period of the screen hold at most this many dots, and d is at most 64: a
// table laid out in a few milliseconds, pitch and angle within half a dot over d cells.
constexpr double kMostPeriodDots = 1 << 14;
constexpr int kMostSubdivision = 64;

long long FloorDiv(long long n, long long d) {
  const long long q = n / d;
  return q * d > n ? q - 1 : q;
}

struct Unit {
  long long du;
  long long dv;
};

// Where pixels fall, in exact whole numbers (see the header).
class ScreenGeometry {
 public:
  ScreenGeometry(const ScreenLattice& l, int width, int height)
      : i_(l.i),
        j_(l.j),
        d_(l.d),
        den_(2 * (l.i * l.i + l.j * l.j)),
        width_(width),
        height_(height) {}

  // The cell of the pixel (x, y), y from the top; its offset from the cell's centre.
  void Locate(long long x, long long y, long long& cu, long long& cv, Unit& offset) const {
    const long long ex = 2 * x + 1 - width_, ey = height_ - 1 - 2 * y;
    const long long ns = d_ * (ex * i_ + ey * j_), nt = d_ * (ey * i_ - ex * j_);
    cu = FloorDiv(ns, den_);
    cv = FloorDiv(nt, den_);
    offset = {2 * (ns - cu * den_) - den_, 2 * (nt - cv * den_) - den_};
  }

 private:
  long long i_, j_, d_, den_;
  long long width_, height_;
};

// The squared distance overflows 64 bits once cells are some tens of thousands of dots wide.
struct Ranked {
  __int128 key;
  long long du;
  long long dv;
  bool operator<(const Ranked& o) const {
    return std::tie(key, du, dv) < std::tie(o.key, o.du, o.dv);
  }
};

Ranked RankOf(const Unit& u) {
  return {__int128{u.du} * u.du + __int128{u.dv} * u.dv, u.du, u.dv};
}

inline int Darkness(const std::uint8_t* pixel) {
  return 255 - GrayValue(LoadWord(pixel), kDiffusionWeights);
}

inline void Decide(const std::uint8_t* source, std::uint8_t* target, bool black) {
  StoreWord(target, (LoadWord(source) & kFourthByte) | (black ? 0 : kColourBits));
}

inline std::size_t BlackDots(std::int64_t darkness) {
  return static_cast<std::size_t>((2 * darkness + 255) / 510);
}

// One period of the screen, d x d cells, laid out once: every cell's dots in rank order as
// pixel positions of the picture for the period (0, 0). The period (A, B) is the same moved by
// A (i, j) + B (-j, i) dots.
class ScreenPeriod {
 public:
  ScreenPeriod(const ScreenLattice& l, int width, int height, std::ptrdiff_t rowBytes)
      : lattice_(l), cells_(static_cast<std::size_t>(l.d) * l.d) {
    const ScreenGeometry geometry(l, width, height);
    // The period's corners, in dots from the picture's centre.
    const long long xs[] = {0, l.i, -l.j, l.i - l.j}, ys[] = {0, l.j, l.i, l.i + l.j};
    const long long x0 = *std::min_element(xs, xs + 4), x1 = *std::max_element(xs, xs + 4);
    const long long y0 = *std::min_element(ys, ys + 4), y1 = *std::max_element(ys, ys + 4);
    const long long cx = width / 2, cy = height / 2;
    std::vector<std::vector<std::pair<Ranked, std::pair<long long, long long>>>> members(
        cells_.size());
    for (long long y = cy - y1 - 1; y <= cy - y0 + 1; ++y) {
      for (long long x = cx + x0 - 1; x <= cx + x1 + 1; ++x) {
        long long cu = 0, cv = 0;
        Unit offset{};
        geometry.Locate(x, y, cu, cv, offset);
        if (cu < 0 || cu >= l.d || cv < 0 || cv >= l.d) continue;
        members[cu * l.d + cv].push_back({RankOf(offset), {x, y}});
      }
    }
    for (std::size_t c = 0; c < cells_.size(); ++c) {
      std::sort(members[c].begin(), members[c].end(),
                [](const auto& p, const auto& q) { return p.first < q.first; });
      Cell& cell = cells_[c];
      cell.first = xs_.size();
      cell.left = cell.top = std::numeric_limits<long long>::max();
      cell.right = cell.bottom = std::numeric_limits<long long>::min();
      for (const auto& [rank, at] : members[c]) {
        xs_.push_back(at.first);
        ys_.push_back(at.second);
        offsets_.push_back(
            static_cast<std::int32_t>((at.second - cy) * rowBytes + 4 * (at.first - cx)));
        cell.left = std::min(cell.left, at.first);
        cell.right = std::max(cell.right, at.first);
        cell.top = std::min(cell.top, at.second);
        cell.bottom = std::max(cell.bottom, at.second);
      }
      cell.last = xs_.size();
      bounds_.left = std::min(bounds_.left, cell.left);
      bounds_.right = std::max(bounds_.right, cell.right);
      bounds_.top = std::min(bounds_.top, cell.top);
      bounds_.bottom = std::max(bounds_.bottom, cell.bottom);
    }
    // Row by row, so that a band of the picture goes through its cells in the order of its rows.
    std::erase_if(cells_, [](const Cell& c) { return c.first == c.last; });
    std::sort(cells_.begin(), cells_.end(), [](const Cell& p, const Cell& q) {
      return std::tie(p.top, p.left) < std::tie(q.top, q.left);
    });
  }

  struct Cell {
    std::size_t first, last;  // its dots in xs_, ys_, offsets_
    long long left, right, top, bottom;
  };

  const ScreenLattice& lattice() const { return lattice_; }
  // The cells that hold dots, by their top row, then their left column.
  const std::vector<Cell>& cells() const { return cells_; }
  // The box round all the cells' dots.
  const Cell& Bounds() const { return bounds_; }
  long long X(std::size_t m) const { return xs_[m]; }
  long long Y(std::size_t m) const { return ys_[m]; }
  // From the anchor, the pixel (W / 2, H / 2) for the period (0, 0): a period spans at most a
  // few hundred rows, so 32 bits hold it, and the table stays small in the cache.
  std::int32_t Offset(std::size_t m) const { return offsets_[m]; }

 private:
  ScreenLattice lattice_;
  std::vector<Cell> cells_;
  Cell bounds_{0,
               0,
               std::numeric_limits<long long>::max(),
               std::numeric_limits<long long>::min(),
               std::numeric_limits<long long>::max(),
               std::numeric_limits<long long>::min()};
  std::vector<long long> xs_, ys_;
  std::vector<std::int32_t> offsets_;
};

class PeriodRun {
 public:
  PeriodRun(const Bitmap& source, Bitmap& target, const ScreenLattice& lattice)
      : source_(source),
        target_(target),
        width_(source.Width()),
        height_(source.Height()),
        rowBytes_(static_cast<std::ptrdiff_t>(source.RowBytes())),
        period_(lattice, width_, height_, rowBytes_) {
    const ScreenGeometry geometry(lattice, width_, height_);
    bool first = true;
    for (const int x : {0, width_ - 1}) {
      for (const int y : {0, height_ - 1}) {
        long long cu = 0, cv = 0;
        Unit offset{};
        geometry.Locate(x, y, cu, cv, offset);
        const long long a = FloorDiv(cu, lattice.d), b = FloorDiv(cv, lattice.d);
        aFirst_ = first ? a : std::min(aFirst_, a);
        aLast_ = first ? a : std::max(aLast_, a);
        bFirst_ = first ? b : std::min(bFirst_, b);
        bLast_ = first ? b : std::max(bLast_, b);
        first = false;
      }
    }
  }

  // The picture in bands of kBandRows rows, each cell with the band of its top row (or of the
  // first row, when it starts above the picture): cells never share a dot, so bands can run side
  // by side and in place.
  void Run() {
    const int bands = (height_ + kBandRows - 1) / kBandRows;
    ForEachRowBand(bands, kBandRows * source_.RowBytes(), [&](int first, int last) {
      for (int band = first; band < last; ++band) {
        const long long top = band == 0 ? std::numeric_limits<long long>::min() : band * kBandRows;
        const long long bottom = std::min<long long>(height_, (band + 1) * kBandRows);
        for (long long b = bFirst_; b <= bLast_; ++b) {
          for (long long a = aFirst_; a <= aLast_; ++a) Period(a, b, top, bottom);
        }
      }
    });
  }

 private:
  static constexpr int kBandRows = 32;

  // The cells of the period (a, b) whose top row lies in [top, bottom).
  void Period(long long a, long long b, long long top, long long bottom) const {
    const ScreenLattice& l = period_.lattice();
    const long long dx = a * l.i - b * l.j, dy = -(a * l.j + b * l.i);
    const ScreenPeriod::Cell& all = period_.Bounds();
    if (all.right + dx < 0 || all.left + dx >= width_ || all.bottom + dy < std::max(top, 0LL) ||
        all.top + dy >= bottom) {
      return;
    }
    const std::vector<ScreenPeriod::Cell>& cells = period_.cells();
    auto cell = std::lower_bound(cells.begin(), cells.end(), top,
                                 [&](const auto& c, long long y) { return c.top + dy < y; });
    const bool inside = all.left + dx >= 0 && all.right + dx < width_ && all.top + dy >= 0 &&
                        all.bottom + dy < height_;
    if (inside) {
      const std::ptrdiff_t moved = (dy + height_ / 2) * rowBytes_ + 4 * (dx + width_ / 2);
      for (; cell != cells.end() && cell->top + dy < bottom; ++cell) Whole(*cell, moved);
      return;
    }
    for (; cell != cells.end() && cell->top + dy < bottom; ++cell) {
      const long long left = cell->left + dx, right = cell->right + dx;
      const long long up = cell->top + dy, down = cell->bottom + dy;
      if (right < 0 || left >= width_ || down < 0) continue;
      if (left >= 0 && right < width_ && up >= 0 && down < height_) {
        Whole(*cell, (dy + height_ / 2) * rowBytes_ + 4 * (dx + width_ / 2));
      } else {
        Clipped(*cell, dx, dy);
      }
    }
  }

  // A cell all inside the picture.
  // moved: from the first pixel of the picture to the period's anchor.
  void Whole(const ScreenPeriod::Cell& cell, std::ptrdiff_t moved) const {
    const std::uint8_t* in = source_.ScanLine(0);
    std::uint8_t* out = target_.ScanLine(0);
    std::int64_t darkness = 0;
    for (std::size_t m = cell.first; m < cell.last; ++m) {
      darkness += Darkness(in + (moved + period_.Offset(m)));
    }
    const std::size_t black = cell.first + BlackDots(darkness);
    for (std::size_t m = cell.first; m < cell.last; ++m) {
      const std::ptrdiff_t at = moved + period_.Offset(m);
      Decide(in + at, out + at, m < black);
    }
  }

  // A cell the picture's edge cuts: its dots inside, in the same order.
  void Clipped(const ScreenPeriod::Cell& cell, long long dx, long long dy) const {
    const auto inside = [&](std::size_t m) {
      const long long x = period_.X(m) + dx, y = period_.Y(m) + dy;
      return x >= 0 && x < width_ && y >= 0 && y < height_;
    };
    const auto pixel = [&](auto& bitmap, std::size_t m) {
      return bitmap.ScanLine(static_cast<int>(period_.Y(m) + dy)) + 4 * (period_.X(m) + dx);
    };
    std::int64_t darkness = 0;
    for (std::size_t m = cell.first; m < cell.last; ++m) {
      if (inside(m)) darkness += Darkness(pixel(source_, m));
    }
    std::size_t black = BlackDots(darkness);
    for (std::size_t m = cell.first; m < cell.last; ++m) {
      if (!inside(m)) continue;
      Decide(pixel(source_, m), pixel(target_, m), black > 0);
      if (black > 0) --black;
    }
  }

  const Bitmap& source_;
  Bitmap& target_;
  int width_;
  int height_;
  std::ptrdiff_t rowBytes_;
  ScreenPeriod period_;
  long long aFirst_ = 0, aLast_ = 0, bFirst_ = 0, bLast_ = 0;
};

// Cells too big for a table of their period (an inch of cells over ten thousandths of a mm):
// every dot located and all sorted by cell and rank at once.
void SortedPass(const Bitmap& source, Bitmap& target, const ScreenLattice& lattice) {
  const int w = source.Width(), h = source.Height();
  const ScreenGeometry geometry(lattice, w, h);
  struct Dot {
    long long cu, cv;
    Ranked rank;
    int x, y;
  };
  std::vector<Dot> dots;
  dots.reserve(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      Dot dot{0, 0, {}, x, y};
      Unit offset{};
      geometry.Locate(x, y, dot.cu, dot.cv, offset);
      dot.rank = RankOf(offset);
      dots.push_back(dot);
    }
  }
  std::sort(dots.begin(), dots.end(), [](const Dot& p, const Dot& q) {
    return std::tie(p.cu, p.cv, p.rank) < std::tie(q.cu, q.cv, q.rank);
  });
  for (std::size_t first = 0; first < dots.size();) {
    std::size_t last = first;
    std::int64_t darkness = 0;
    for (; last < dots.size() && dots[last].cu == dots[first].cu && dots[last].cv == dots[first].cv;
         ++last) {
      darkness += Darkness(source.ScanLine(dots[last].y) + 4 * dots[last].x);
    }
    const std::size_t black = first + BlackDots(darkness);
    for (std::size_t m = first; m < last; ++m) {
      Decide(source.ScanLine(dots[m].y) + 4 * dots[m].x, target.ScanLine(dots[m].y) + 4 * dots[m].x,
             m < black);
    }
    first = last;
  }
}

// Cells too small for two dots: each dot black when its gray is below 128.
void SinglesPass(const Bitmap& source, Bitmap& target) {
  const int width = source.Width();
  ForEachRowBand(source.Height(), source.RowBytes(), [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      for (int x = 0; x < width; ++x) {
        Decide(source.ScanLine(y) + 4 * x, target.ScanLine(y) + 4 * x,
               Darkness(source.ScanLine(y) + 4 * x) > 127);
      }
    }
  });
}

}  // namespace

void CheckHalftoneScreen(const HalftoneScreen& screen, double dotMm) {
  if (screen.cellsPerInch < kFewestCellsPerInch || screen.cellsPerInch > kMostCellsPerInch) {
    throw Error("The screen takes " + std::to_string(kFewestCellsPerInch) + " to " +
                std::to_string(kMostCellsPerInch) + " cells per inch, not " +
                std::to_string(screen.cellsPerInch));
  }
  if (!std::isfinite(screen.angleDegrees)) throw Error("The screen angle is not a number");
  const double pitch = HalftonePitch(screen.cellsPerInch, dotMm);
  if (!(pitch > 0) || !std::isfinite(pitch)) {
    throw Error("The dot size " + FloatToStr(dotMm) + " mm gives no screen");
  }
}

double HalftonePitch(int cellsPerInch, double dotMm) {
  return 25.4 / (cellsPerInch * dotMm);
}

ScreenLattice SnapScreen(double pitch, double degrees) {
  double r = std::fmod(degrees, 360.0);
  if (r < 0) r += 360.0;
  if (r >= 360.0) r = 0;
  const int quarters = std::min(3, static_cast<int>(r / 90.0));
  const double t = std::max(0.0, r - 90.0 * quarters) * std::numbers::pi / 180.0;
  ScreenLattice l;
  l.d = static_cast<int>(
      std::clamp(std::floor(std::sqrt(kMostPeriodDots) / pitch), 1.0, double(kMostSubdivision)));
  l.i = std::llround(pitch * l.d * std::cos(t));
  l.j = std::llround(pitch * l.d * std::sin(t));
  if (l.i == 0 && l.j == 0) l.i = 1;
  for (int k = 0; k < quarters; ++k) l = {-l.j, l.i, l.d};
  return l;
}

void HalftonePass(Bitmap& bitmap, const HalftoneScreen& screen, double dotMm) {
  CheckHalftoneScreen(screen, dotMm);
  EnsureBit32(bitmap);
  HalftonePass(bitmap, bitmap, screen, dotMm);
}

void HalftonePass(const Bitmap& source, Bitmap& target, const HalftoneScreen& screen,
                  double dotMm) {
  CheckHalftoneScreen(screen, dotMm);
  RequireSourceAndTarget32(source, target);
  const double pitch = HalftonePitch(screen.cellsPerInch, dotMm);
  if (source.Width() == 0 || source.Height() == 0) return;
  if (pitch < kSinglesPitch) {
    SinglesPass(source, target);
    return;
  }
  const ScreenLattice lattice = SnapScreen(pitch, screen.angleDegrees);
  const double periodDots = double(lattice.i) * lattice.i + double(lattice.j) * lattice.j;
  if (periodDots > kMostPeriodDots) {
    SortedPass(source, target, lattice);
  } else {
    PeriodRun(source, target, lattice).Run();
  }
}

}  // namespace skelda
