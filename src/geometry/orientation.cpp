#include "geometry/orientation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "core/pixel_words.h"
#include "core/round_to_even.h"

namespace skelda {

namespace {

using namespace pixel_groups;

// Swaps pixel k with pixel W-1-k, four pairs at a time while the two groups do not meet.
void ReverseRow(std::uint8_t* row, int width) {
  std::uint8_t* left = row;
  std::uint8_t* right = row + 3 * width;  // one past the last pixel
  while (right - left >= 24) {
    right -= 12;
    Pixel l[4], r[4];
    Load4(left, l);
    Load4(right, r);
    Store4(left, r[3], r[2], r[1], r[0]);
    Store4(right, l[3], l[2], l[1], l[0]);
    left += 12;
  }
  for (right -= 3; left < right; left += 3, right -= 3) Swap3(left, right);
}

void MirrorRows(Bitmap& bitmap) {
  const int height = bitmap.Height();
  const std::size_t bytes = 3 * static_cast<std::size_t>(bitmap.Width());
  for (int y = 0; y < height / 2; ++y) {
    std::uint8_t* top = bitmap.ScanLine(y);
    std::swap_ranges(top, top + bytes, bitmap.ScanLine(height - 1 - y));
  }
}

// The values are bounded by the picture's diagonal.
long long RoundEven(long double v) {
  return static_cast<long long>(RoundToEven(v));
}

// Degrees to radians in extended precision, then held as a double, as the angle is kept.
double Radians(long double degrees) {
  return static_cast<double>(degrees * std::numbers::pi_v<long double> / 180);
}

// Rotates in place by swapping pixel (x, y) with (W-1-x, H-1-y); a row pair is walked from
// the front of the upper row and the back of the lower one.
void HalfTurn(Bitmap& bitmap) {
  const int width = bitmap.Width(), height = bitmap.Height();
  for (int y = 0; y < (height + 1) / 2; ++y) {
    std::uint8_t* front = bitmap.ScanLine(y);
    std::uint8_t* back = bitmap.ScanLine(height - 1 - y) + 3 * (width - 1);
    // The middle row of an odd height meets itself halfway.
    const int count = (y == height - 1 - y) ? width / 2 : width;
    for (int x = 0; x < count; ++x, front += 3, back -= 3) pixel_groups::Swap3(front, back);
  }
}

struct Extent {
  long long minX, minY, maxX, maxY;
};

// The source rectangle's corners (0, 0), (W, 0), (W, H), (0, H) turned and rounded.
Extent RotatedCorners(int width, int height, long double cosA, long double sinA) {
  const long double w = width, h = height;
  const long double xs[4] = {0, w, w, 0};
  const long double ys[4] = {0, 0, h, h};
  Extent e{0, 0, 0, 0};  // the first corner turns into (0, 0)
  for (int i = 1; i < 4; ++i) {
    const long long x = RoundEven(xs[i] * cosA - ys[i] * sinA);
    const long long y = RoundEven(xs[i] * sinA + ys[i] * cosA);
    e.minX = std::min(e.minX, x);
    e.maxX = std::max(e.maxX, x);
    e.minY = std::min(e.minY, y);
    e.maxY = std::max(e.maxY, y);
  }
  return e;
}

// Nearest-neighbour rotation about the source's top-left corner: every target pixel looks up
// the source pixel it came from and keeps the fill colour when that lies outside the source.
Bitmap GeneralRotation(const Bitmap& source, Color fill, double angle) {
  const int width = source.Width(), height = source.Height();
  const double a = Radians(angle);
  const Extent e = RotatedCorners(width, height, std::cos(static_cast<long double>(a)),
                                  std::sin(static_cast<long double>(a)));
  const long long targetWidth = e.maxX - e.minX, targetHeight = e.maxY - e.minY;
  CheckPictureSize(targetWidth, targetHeight, 24);
  Bitmap target(static_cast<int>(targetWidth), static_cast<int>(targetHeight), PixelFormat::Bit24);
  target.FillRect(0, 0, target.Width(), target.Height(), fill);

  const double b = Radians(-static_cast<long double>(angle));
  const long double cosB = std::cos(static_cast<long double>(b));
  const long double sinB = std::sin(static_cast<long double>(b));
  std::vector<const std::uint8_t*> rows(height);
  for (int y = 0; y < height; ++y) rows[y] = source.ScanLine(y);
  for (int y = 0; y < target.Height(); ++y) {
    const long double ty = static_cast<long double>(e.minY + y);
    const long double tySin = ty * sinB, tyCos = ty * cosB;
    std::uint8_t* out = target.ScanLine(y);
    for (int x = 0; x < target.Width(); ++x, out += 3) {
      const long double tx = static_cast<long double>(e.minX + x);
      const long long sx = RoundEven(tx * cosB - tySin);
      const long long sy = RoundEven(tx * sinB + tyCos);
      if (sx >= 0 && sx < width && sy >= 0 && sy < height) std::memcpy(out, rows[sy] + 3 * sx, 3);
    }
  }
  return target;
}

void CopyRow(std::uint8_t* to, const std::uint8_t* from, int width) {
  for (int x = 0; x < width; ++x) StoreWord(to + 4 * x, LoadWord(from + 4 * x) & kColourBits);
}

// The row read from its right end.
void CopyRowReversed(std::uint8_t* to, const std::uint8_t* from, int width) {
  const std::uint8_t* last = from + 4 * (width - 1);
  for (int x = 0; x < width; ++x) StoreWord(to + 4 * x, LoadWord(last - 4 * x) & kColourBits);
}

}  // namespace

void ConvertTo24(Bitmap& bitmap) {
  if (bitmap.Format() == PixelFormat::Bit24) return;
  // Palette and packed formats: expand to 32 bits first, then the common row loop.
  bitmap.SetPixelFormat(PixelFormat::Bit32);
  bitmap.SetPixelFormat(PixelFormat::Bit24);
}

void ConvertTo32(Bitmap& bitmap) {
  bitmap.SetPixelFormat(PixelFormat::Bit32);
}

void MirrorBitmap(Bitmap& bitmap, bool horizontal) {
  ConvertTo24(bitmap);
  if (!horizontal) {
    MirrorRows(bitmap);
    return;
  }
  for (int y = 0; y < bitmap.Height(); ++y) ReverseRow(bitmap.ScanLine(y), bitmap.Width());
}

RotationKind KindOfRotation(double angle) {
  if (angle != std::trunc(angle)) return RotationKind::General;  // NaN and fractions
  if (angle == -360 || angle == 0 || angle == 360 || angle == 720) return RotationKind::None;
  if (angle == 90) return RotationKind::Clockwise;
  // -90 is a counter-clockwise quarter turn too: through the general rotation it would lose
  // the leftmost column and gain a white row.
  if (angle == 270 || angle == -90) return RotationKind::CounterClockwise;
  if (angle == 180) return RotationKind::HalfTurn;
  return RotationKind::General;
}

void RotateBitmap(Bitmap& bitmap, Color fill, double angle) {
  if (!std::isfinite(angle)) throw InvalidOpError();
  ConvertTo24(bitmap);
  if (bitmap.Empty()) return;  // nothing to turn; the size stays as it is
  switch (KindOfRotation(angle)) {
    case RotationKind::None:
      return;
    case RotationKind::Clockwise:
      bitmap = QuarterTurn(bitmap, TurnDirection::Clockwise);
      return;
    case RotationKind::CounterClockwise:
      bitmap = QuarterTurn(bitmap, TurnDirection::CounterClockwise);
      return;
    case RotationKind::HalfTurn:
      HalfTurn(bitmap);
      return;
    case RotationKind::General:
      bitmap = GeneralRotation(bitmap, fill, angle);
      return;
  }
}

void MirrorInto(const Bitmap& source, Bitmap& target, bool horizontal) {
  const int width = source.Width(), height = source.Height();
  for (int y = 0; y < height; ++y) {
    if (horizontal) {
      CopyRowReversed(target.ScanLine(y), source.ScanLine(y), width);
    } else {
      CopyRow(target.ScanLine(y), source.ScanLine(height - 1 - y), width);
    }
  }
}

void HalfTurnInto(const Bitmap& source, Bitmap& target) {
  const int width = source.Width(), height = source.Height();
  for (int y = 0; y < height; ++y) {
    CopyRowReversed(target.ScanLine(y), source.ScanLine(height - 1 - y), width);
  }
}

}  // namespace skelda
