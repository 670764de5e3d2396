#include "processing/halftone_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
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

// The angle as t in [0, 90) and quarter turns q: a screen turned by 90 degrees more differs
// only in q, so its cells and ranks are exactly the same ones, turned.
void ReduceAngle(double degrees, double& t, int& q) {
  double r = std::fmod(degrees, 360.0);
  if (r < 0) r += 360.0;
  if (r >= 360.0) r = 0;
  q = std::min(3, static_cast<int>(r / 90.0));
  t = r - 90.0 * q;
  if (t < 0) {
    --q;
    t += 90.0;
  }
}

// u = uCol[x] + uRow[y] and v = vCol[x] + vRow[y]: the products of the header's formula taken
// once per column and row, each sum then rounding exactly as the formula's.
class ScreenFrame {
 public:
  ScreenFrame(int width, int height, double pitch, double degrees)
      : width_(width), height_(height), pitch_(pitch) {
    double t = 0;
    ReduceAngle(degrees, t, quarter_);
    const double radians = t * std::numbers::pi / 180.0;
    cos_ = std::cos(radians);
    sin_ = std::sin(radians);
    const double a = cos_ / (2 * pitch), b = sin_ / (2 * pitch);
    // (u0, v0) = (A + B, C + D) with A = a ex, B = b ey, C = a ey, D = -(b ex); each quarter
    // turn (u, v) -> (v, -u).
    const double colU[4] = {a, -b, -a, b};
    const double colV[4] = {-b, -a, b, a};
    uSlope_ = colU[quarter_];
    vSlope_ = colV[quarter_];
    uCol_.resize(width);
    vCol_.resize(width);
    for (int x = 0; x < width; ++x) {
      const double ex = 2.0 * x + 1 - width;
      const double A = a * ex, D = -(b * ex);
      const double u[4] = {A, D, -A, -D}, v[4] = {D, -A, -D, A};
      uCol_[x] = u[quarter_];
      vCol_[x] = v[quarter_];
    }
    uRow_.resize(height);
    vRow_.resize(height);
    for (int y = 0; y < height; ++y) {
      const double ey = height - 1 - 2.0 * y;
      const double B = b * ey, C = a * ey;
      const double u[4] = {B, C, -B, -C}, v[4] = {C, -B, -C, B};
      uRow_[y] = u[quarter_];
      vRow_[y] = v[quarter_];
    }
  }

  double U(int x, int y) const { return uCol_[x] + uRow_[y]; }
  double V(int x, int y) const { return vCol_[x] + vRow_[y]; }
  double URow(int y) const { return uRow_[y]; }
  double VRow(int y) const { return vRow_[y]; }
  // How u and v change with ex along a row.
  double USlope() const { return uSlope_; }
  double VSlope() const { return vSlope_; }

  // The row (continuous, 0 = top) of the screen point (u, v).
  double RowOf(double u, double v) const {
    for (int k = 0; k < quarter_; ++k) {
      const double turned = -v;
      v = u;
      u = turned;
    }
    const double ey = 2 * pitch_ * (sin_ * u + cos_ * v);
    return (height_ - 1 - ey) / 2;
  }

  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_;
  int height_;
  double pitch_;
  int quarter_ = 0;
  double cos_ = 1;
  double sin_ = 0;
  double uSlope_ = 0;
  double vSlope_ = 0;
  std::vector<double> uCol_, vCol_, uRow_, vRow_;
};

// One dot of the cell being decided.
struct Dot {
  double key;  // du² + dv²
  int x;
  int y;
};

// The ex range of a row within cell <= slope ex + offset < cell + 1, narrowed into [lo, hi].
void NarrowToSlab(double slope, double offset, double cell, double& lo, double& hi) {
  if (slope == 0) return;  // the whole row or none of it: the exact test tells
  double e1 = (cell - offset) / slope, e2 = (cell + 1 - offset) / slope;
  if (e1 > e2) std::swap(e1, e2);
  lo = std::max(lo, e1);
  hi = std::min(hi, e2);
}

class HalftoneRun {
 public:
  HalftoneRun(const Bitmap& source, Bitmap& target, double pitch, double degrees)
      : source_(source), target_(target), frame_(source.Width(), source.Height(), pitch, degrees) {
    const int w = source.Width(), h = source.Height();
    double uLow = 0, uHigh = 0, vLow = 0, vHigh = 0;
    bool first = true;
    for (const int x : {0, w - 1}) {
      for (const int y : {0, h - 1}) {
        const double u = frame_.U(x, y), v = frame_.V(x, y);
        uLow = first ? u : std::min(uLow, u);
        uHigh = first ? u : std::max(uHigh, u);
        vLow = first ? v : std::min(vLow, v);
        vHigh = first ? v : std::max(vHigh, v);
        first = false;
      }
    }
    cuFirst_ = static_cast<long long>(std::floor(uLow)) - 1;
    cuLast_ = static_cast<long long>(std::floor(uHigh)) + 1;
    cvFirst_ = static_cast<long long>(std::floor(vLow)) - 1;
    cvLast_ = static_cast<long long>(std::floor(vHigh)) + 1;
    const double side = std::ceil(pitch * std::numbers::sqrt2) + 2;
    capacity_ = static_cast<std::size_t>(
        std::min(side * side, static_cast<double>(w) * static_cast<double>(h)));
  }

  void Run() {
    const long long cellRows = cvLast_ - cvFirst_ + 1;
    const int rows = static_cast<int>(std::min<long long>(cellRows, 1 << 30));
    const std::vector<int> starts =
        RowBandStarts(rows, std::max<std::size_t>(1, source_.ByteSize() / rows));
    std::vector<std::vector<Dot>> dots(starts.empty() ? 0 : starts.size() - 1);
    for (std::vector<Dot>& d : dots) d.reserve(capacity_);
    RunRowBands(starts, [&](int band, int first, int last) {
      for (long long cv = cvFirst_ + first; cv < cvFirst_ + last; ++cv) {
        for (long long cu = cuFirst_; cu <= cuLast_; ++cu) Cell(cu, cv, dots[band]);
      }
    });
  }

 private:
  bool Inside(int x, int y, double cu, double cv) const {
    return std::floor(frame_.U(x, y)) == cu && std::floor(frame_.V(x, y)) == cv;
  }

  // The tie-break of equal distances: du, then dv.
  bool Before(const Dot& p, const Dot& q) const {
    if (p.key != q.key) return p.key < q.key;
    const double pu = frame_.U(p.x, p.y), qu = frame_.U(q.x, q.y);
    const double pdu = pu - std::floor(pu), qdu = qu - std::floor(qu);
    if (pdu != qdu) return pdu < qdu;
    const double pv = frame_.V(p.x, p.y), qv = frame_.V(q.x, q.y);
    return pv - std::floor(pv) < qv - std::floor(qv);
  }

  void Cell(long long cellU, long long cellV, std::vector<Dot>& dots) const {
    const int w = frame_.Width(), h = frame_.Height();
    const double cu = static_cast<double>(cellU), cv = static_cast<double>(cellV);
    double top = frame_.RowOf(cu, cv), bottom = top;
    for (const auto& [du, dv] : {std::pair{1, 0}, std::pair{0, 1}, std::pair{1, 1}}) {
      const double y = frame_.RowOf(cu + du, cv + dv);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
    if (bottom < 0 || top > h - 1) return;
    const int y0 = std::max(0, static_cast<int>(std::floor(top)));
    const int y1 = std::min(h - 1, static_cast<int>(std::ceil(bottom)));
    dots.clear();
    std::int64_t darkness = 0;
    for (int y = y0; y <= y1; ++y) {
      double lo = -w - 1.0, hi = w + 1.0;
      NarrowToSlab(frame_.USlope(), frame_.URow(y), cu, lo, hi);
      NarrowToSlab(frame_.VSlope(), frame_.VRow(y), cv, lo, hi);
      if (lo > hi) continue;
      // From ex to columns, one column of slack either side for the rounding of the estimate.
      const int x0 = std::max(0, static_cast<int>(std::floor((lo + w - 1) / 2)) - 1);
      const int x1 = std::min(w - 1, static_cast<int>(std::ceil((hi + w - 1) / 2)) + 1);
      const std::uint8_t* row = source_.ScanLine(y);
      for (int x = x0; x <= x1; ++x) {
        if (!Inside(x, y, cu, cv)) continue;
        const double du = frame_.U(x, y) - cu - 0.5, dv = frame_.V(x, y) - cv - 0.5;
        dots.push_back({du * du + dv * dv, x, y});
        darkness += 255 - GrayValue(LoadWord(row + 4 * x), kDiffusionWeights);
      }
    }
    const std::size_t n = dots.size();
    if (n == 0) return;
    const auto black = static_cast<std::size_t>((2 * darkness + 255) / 510);
    if (black > 0 && black < n) {
      std::nth_element(dots.begin(), dots.begin() + black, dots.end(),
                       [this](const Dot& p, const Dot& q) { return Before(p, q); });
    }
    for (std::size_t i = 0; i < n; ++i) {
      const Dot& d = dots[i];
      const std::uint32_t word = LoadWord(source_.ScanLine(d.y) + 4 * d.x);
      StoreWord(target_.ScanLine(d.y) + 4 * d.x,
                (word & kFourthByte) | (i < black ? 0 : kColourBits));
    }
  }

  const Bitmap& source_;
  Bitmap& target_;
  ScreenFrame frame_;
  long long cuFirst_ = 0, cuLast_ = -1, cvFirst_ = 0, cvLast_ = -1;
  std::size_t capacity_ = 0;
};

// Cells too small for two dots: each dot black when its gray is below 128.
void SinglesPass(const Bitmap& source, Bitmap& target) {
  const int width = source.Width();
  ForEachRowBand(source.Height(), source.RowBytes(), [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      const std::uint8_t* in = source.ScanLine(y);
      std::uint8_t* out = target.ScanLine(y);
      for (int x = 0; x < width; ++x) {
        const std::uint32_t p = LoadWord(in + 4 * x);
        const bool white = GrayValue(p, kDiffusionWeights) >= 128;
        StoreWord(out + 4 * x, (p & kFourthByte) | (white ? kColourBits : 0));
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
  HalftoneRun(source, target, pitch, screen.angleDegrees).Run();
}

}  // namespace skelda
