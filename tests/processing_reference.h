// Slow, step-by-step versions of the processing routines, written straight from their
// descriptions, for the tests to hold the fast routines against on random pictures; and the
// helpers those comparisons share.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/bitmap.h"
#include "core/random.h"
#include "processing/diffusion_kernels.h"
#include "processing/halftone_screen.h"
#include "support/bitmap_assert.h"

namespace skelda::reference {

// A picture whose every byte (fourth bytes and row filler included) is random.
inline Bitmap RandomPicture(int width, int height, PixelFormat format, unsigned seed) {
  Bitmap b(width, height, format);
  std::mt19937 gen(seed);
  for (std::size_t i = 0; i < b.ByteSize(); ++i) b.Bits()[i] = static_cast<std::uint8_t>(gen());
  return b;
}

// A 32-bit picture of gray pixels (R = G = B = g, so the gray value is g), rows from the top.
inline Bitmap GrayPicture(const std::vector<std::vector<int>>& rows) {
  const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
  Bitmap b(w, h, PixelFormat::Bit32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const auto g = static_cast<std::uint8_t>(rows[y][x]);
      b.SetPixelColor(x, y, RGB(g, g, g));
    }
  }
  return b;
}

// 'W' white, 'B' black, '?' anything else; rows from the top.
inline std::vector<std::string> Pattern(const Bitmap& b) {
  std::vector<std::string> rows;
  for (int y = 0; y < b.Height(); ++y) {
    std::string row;
    for (int x = 0; x < b.Width(); ++x) {
      const Color c = b.PixelColor(x, y) & 0xFFFFFF;
      row += c == kWhite ? 'W' : c == kBlack ? 'B' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

using Rows = std::vector<std::string>;

inline int Gray(const std::uint8_t* px, int wr, int wg, int wb) {
  return (wr * px[2] + wg * px[1] + wb * px[0]) >> 8;
}

// The threshold pass in pass order (bottom row first, left to right); threshold(passRow, c) is
// asked once per pixel in that order.
inline void ThresholdPass(Bitmap& b, int wr, int wg, int wb,
                          const std::function<int(int, int)>& threshold) {
  const int w = b.Width(), h = b.Height();
  for (int r = 0; r < h; ++r) {
    std::uint8_t* row = b.ScanLine(h - 1 - r);
    for (int c = 0; c < w; ++c) {
      std::uint8_t* px = row + 4 * c;
      const int t = threshold(r, c);
      const std::uint8_t v = Gray(px, wr, wg, wb) >= t ? 255 : 0;
      px[0] = px[1] = px[2] = v;
    }
  }
}

// The whole error plane, (W + 1) x (H + 1) cells in one block; the plane after the diffusion
// is handed back.
inline std::vector<std::int32_t> DiffusionPass(Bitmap& b,
                                               const std::function<int(int, int)>& threshold) {
  const int w = b.Width(), h = b.Height();
  std::vector<std::int32_t> e(static_cast<std::size_t>(w + 1) * (h + 1), 0);
  for (int r = 0; r < h; ++r) {
    for (int c = 0; c < w; ++c) {
      e[r * (w + 1) + c] = Gray(b.ScanLine(h - 1 - r) + 4 * c, 76, 151, 29);
    }
  }
  for (int r = 0; r < h; ++r) {
    for (int c = 0; c < w; ++c) {
      const int i = r * (w + 1) + c;
      const int v = e[i];
      const int q = threshold(r, c) <= v ? 255 : 0;
      const int err = v - q;
      e[i] = q;
      e[i + 1] += 7 * err / 16;
      e[i + w] += 3 * err / 16;
      e[i + w + 1] += 5 * err / 16;
      e[i + w + 2] += 1 * err / 16;
    }
  }
  for (int r = 0; r < h; ++r) {
    std::uint8_t* row = b.ScanLine(h - 1 - r);
    for (int c = 0; c < w; ++c) {
      row[4 * c] = row[4 * c + 1] = row[4 * c + 2] = static_cast<std::uint8_t>(e[r * (w + 1) + c]);
    }
  }
  return e;
}

// Any kernel over the whole plane with two cells of margin; every odd pass row walked right to
// left with the columns of its shares mirrored when serpentine.
inline void KernelDiffusionPass(Bitmap& b, const DiffusionKernel& k, bool serpentine) {
  const int w = b.Width(), h = b.Height(), pw = w + 4;
  std::vector<int> e(static_cast<std::size_t>(pw) * (h + 2), 0);
  auto at = [&](int r, int c) -> int& { return e[r * pw + c + 2]; };
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c) at(r, c) = Gray(b.ScanLine(h - 1 - r) + 4 * c, 76, 151, 29);
  for (int r = 0; r < h; ++r) {
    const bool back = serpentine && r % 2 == 1;
    for (int i = 0; i < w; ++i) {
      const int c = back ? w - 1 - i : i;
      const int q = at(r, c) >= 128 ? 255 : 0, err = at(r, c) - q;
      at(r, c) = q;
      for (int s = 0; s < k.count; ++s) {
        const int to = c + (back ? -k.shares[s].column : k.shares[s].column);
        if (to < 0 || to >= w) continue;
        at(r + k.shares[s].row, to) += k.shares[s].weight * err / k.divisor;
      }
    }
  }
  for (int r = 0; r < h; ++r) {
    std::uint8_t* row = b.ScanLine(h - 1 - r);
    for (int c = 0; c < w; ++c) row[4 * c] = row[4 * c + 1] = row[4 * c + 2] = at(r, c);
  }
}

inline std::uint8_t Clamp(int v) {
  return v < 0 ? 0 : v > 255 ? 255 : v;
}

// 24-bit bitmaps from here on.
inline void Sharpen(Bitmap& b, int a) {
  const int w = b.Width(), h = b.Height();
  const Bitmap source = b;
  const int kernel[3][3] = {{-a, 0, -a}, {0, 4 * a + 128, 0}, {-a, 0, -a}};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      for (int k = 0; k < 3; ++k) {
        int sum = 0;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            const bool inside = x + dx >= 0 && x + dx < w && y + dy >= 0 && y + dy < h;
            const int p =
                inside ? source.ScanLine(y + dy)[3 * (x + dx) + k] : source.ScanLine(y)[3 * x + k];
            sum += kernel[dy + 1][dx + 1] * p;
          }
        }
        b.ScanLine(y)[3 * x + k] = Clamp(sum / 128);
      }
    }
  }
}

inline void Brightness(Bitmap& b, int a) {
  for (int y = 0; y < b.Height(); ++y) {
    for (int i = 0; i < 3 * b.Width(); ++i) b.ScanLine(y)[i] = Clamp(b.ScanLine(y)[i] + a);
  }
}

inline void Contrast(Bitmap& b, int a) {
  if (a == 0) return;
  const int w = b.Width(), h = b.Height();
  const double f =
      a > 0 ? static_cast<double>(1.0L + a / 10.0L)
            : static_cast<double>(1.0L - std::sqrt(static_cast<long double>(-a)) / 10.0L);
  for (int k = 0; k < 3; ++k) {
    long long sum = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) sum += b.ScanLine(y)[3 * x + k];
    const int m = static_cast<int>(sum / (static_cast<long long>(w) * h));
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        std::uint8_t& v = b.ScanLine(y)[3 * x + k];
        v = Clamp(m + static_cast<int>(std::trunc(static_cast<long double>(v - m) * f)));
      }
    }
  }
}

inline void Mosaic(Bitmap& b, int bw, int bh) {
  const int w = b.Width(), h = b.Height();
  if (bw == 1 && bh == 1) return;
  for (int i = 0; i <= (w - 1) / bw; ++i) {
    for (int j = 0; j <= (h - 1) / bh; ++j) {
      const int x0 = bw * i, x1 = std::min(bw * (i + 1) - 1, w - 1);
      const int y0 = bh * j, y1 = std::min(bh * (j + 1) - 1, h - 1);
      long long s[3] = {0, 0, 0};
      for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
          for (int k = 0; k < 3; ++k) s[k] += b.ScanLine(y)[3 * x + k];
      const long long n = static_cast<long long>(x1 - x0 + 1) * (y1 - y0 + 1);
      b.FillRect(x0, y0, x1 + 1, y1 + 1, RGB(s[2] / n, s[1] / n, s[0] / n));
    }
  }
}

inline int Offset(int a, int r, RandomGenerator& g) {
  const auto d = g.Next(2);
  const int s = static_cast<int>(g.Next(r));
  return d == 0 ? a + s : a - s;
}

// Without the seeding: the caller sets the generator.
inline void Scatter(Bitmap& b, int rx, int ry, Color fill, RandomGenerator& g) {
  const int w = b.Width(), h = b.Height();
  const Bitmap s = b;
  b.FillRect(0, 0, w, h, fill);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int nx = Offset(x, rx, g);
      const int ny = Offset(y, ry, g);
      if (nx >= 0 && nx < w && ny >= 0 && ny < h) {
        b.SetPixelColor(x, y, s.PixelColor(nx, ny));
        b.SetPixelColor(nx, ny, s.PixelColor(x, y));
      }
    }
  }
}

// The 32-bit picture a command shows after running a 24-bit routine: to 24 bits, routine, back.
inline Bitmap Through24(const Bitmap& picture, const std::function<void(Bitmap&)>& routine) {
  Bitmap b = picture;
  b.SetPixelFormat(PixelFormat::Bit24);
  routine(b);
  b.SetPixelFormat(PixelFormat::Bit32);
  return b;
}

// The halftone screen's cell of every pixel (row-major, rows from the top) and its offset from
// the cell's centre, pixel by pixel from the whole-number formula of halftone_screen.h.
struct ScreenCell {
  long long u, v;
  friend auto operator<=>(const ScreenCell&, const ScreenCell&) = default;
};
struct ScreenDot {
  ScreenCell cell;
  long long du, dv;
};

inline long long FloorDivide(long long n, long long d) {
  return n >= 0 ? n / d : -((-n + d - 1) / d);
}

inline std::vector<ScreenDot> ScreenDots(int w, int h, double pitch, double degrees) {
  const ScreenLattice l = SnapScreen(pitch, degrees);
  const long long n = 2 * (l.i * l.i + l.j * l.j);
  std::vector<ScreenDot> dots;
  for (long long y = 0; y < h; ++y) {
    for (long long x = 0; x < w; ++x) {
      const long long ex = 2 * x + 1 - w, ey = h - 1 - 2 * y;
      const long long s = l.d * (ex * l.i + ey * l.j), t = l.d * (ey * l.i - ex * l.j);
      const ScreenCell cell{FloorDivide(s, n), FloorDivide(t, n)};
      dots.push_back({cell, 2 * (s - cell.u * n) - n, 2 * (t - cell.v * n) - n});
    }
  }
  return dots;
}

inline void HalftonePass(Bitmap& b, double pitch, double degrees) {
  const int w = b.Width(), h = b.Height();
  const std::vector<ScreenDot> dots = ScreenDots(w, h, pitch, degrees);
  std::map<ScreenCell, std::vector<int>> cells;
  for (int i = 0; i < w * h; ++i) cells[dots[i].cell].push_back(i);
  for (auto& [cell, members] : cells) {
    long long darkness = 0;
    for (const int i : members)
      darkness += 255 - Gray(b.ScanLine(i / w) + 4 * (i % w), 76, 151, 29);
    std::sort(members.begin(), members.end(), [&](int i, int j) {
      const ScreenDot &p = dots[i], &q = dots[j];
      return std::tuple(p.du * p.du + p.dv * p.dv, p.du, p.dv) <
             std::tuple(q.du * q.du + q.dv * q.dv, q.du, q.dv);
    });
    const auto black = static_cast<std::size_t>(std::floor(darkness / 255.0 + 0.5));
    for (std::size_t k = 0; k < members.size(); ++k) {
      std::uint8_t* px = b.ScanLine(members[k] / w) + 4 * (members[k] % w);
      std::fill(px, px + 3, k < black ? 0 : 255);
    }
  }
}

}  // namespace skelda::reference
