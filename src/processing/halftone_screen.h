// The clustered-dot halftone screen, as newspapers print: a square screen of cells covers the
// picture, turned by an angle about the picture's centre, and in each cell one round black dot
// grows from the cell's centre with the cell's darkness. Materials that cannot hold single
// isolated dots engrave these clusters cleanly.
//
// Where each pixel falls: with ex = 2x + 1 - W and ey = H - 1 - 2y (twice the offset of the
// pixel's centre from the picture's centre, rows counted upwards), the angle reduced to t in
// [0, 90) degrees and q quarter turns, a = cos(t) / (2 pitch), b = sin(t) / (2 pitch):
// (u, v) = (a ex + b ey, a ey - b ex), then turned q times by (u, v) -> (v, -u). The pixel is in
// the cell (floor u, floor v); its offset from the cell's centre is (du, dv) = (u - floor u -
// 1/2, v - floor v - 1/2). A corner of a cell lies on the picture's centre, and the angle turns
// the screen counter-clockwise.
//
// The spot function: the dots of a cell (its pixels inside the picture) are ranked by du² + dv²,
// then du, then dv. A cell of n dots whose darknesses 255 - gray (diffusion weights 76, 151, 29)
// add up to D blackens its round(D / 255) first dots (a half rounds up) and whitens the others,
// so a flat gray g blackens n (255 - g) / 255 of its dots to within half a dot, as one cluster
// about the centre. The fourth byte of each pixel is kept.
#pragma once

#include "core/bitmap.h"

namespace skelda {

struct HalftoneScreen {
  int cellsPerInch = 40;
  double angleDegrees = 45;
};

inline constexpr int kFewestCellsPerInch = 5;
inline constexpr int kMostCellsPerInch = 200;

// Throws the refusal of cells per inch outside 5 .. 200, an angle that is not a finite number or
// a dot size that makes no cell (0, negative).
void CheckHalftoneScreen(const HalftoneScreen& screen, double dotMm);

// The side of a cell in dots: an inch over the cells per inch, in dots of dotMm.
double HalftonePitch(int cellsPerInch, double dotMm);

// Checks the screen first. In place (a bitmap in another format is first brought to 32 bits), or
// from a 32-bit source into a target of the same shape (which may be the source itself). All
// storage is taken before the first pixel is changed.
void HalftonePass(Bitmap& bitmap, const HalftoneScreen& screen, double dotMm);
void HalftonePass(const Bitmap& source, Bitmap& target, const HalftoneScreen& screen, double dotMm);

}  // namespace skelda
