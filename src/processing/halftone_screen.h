// The clustered-dot halftone screen, as newspapers print: a square screen of cells covers the
// picture, turned by an angle about the picture's centre, and in each cell one round black dot
// grows from the cell's centre with the cell's darkness. Materials that cannot hold single
// isolated dots engrave these clusters cleanly.
//
// The screen is laid on whole dots so that it repeats exactly: d cells along either side of it
// span (i, j) and (-j, i) dots (i, j whole, rows counted upwards), the nearest to the pitch and
// the angle (counter-clockwise) that SnapScreen finds. A corner of a cell lies on the picture's
// centre. With ex = 2x + 1 - W and ey = H - 1 - 2y (twice the offset of the pixel's centre from
// the picture's centre, rows upwards), N = 2 (i² + j²), s = d (ex i + ey j) and t = d (ey i -
// ex j), the pixel is in the cell (floor(s / N), floor(t / N)), and its offset from the cell's
// centre is (du, dv) = (2 (s mod N) - N, 2 (t mod N) - N), all in whole numbers.
//
// The spot function: the dots of a cell (its pixels inside the picture) are ranked by du² + dv²,
// then du, then dv. A cell of n dots whose darknesses 255 - gray (diffusion weights 76, 151, 29)
// add up to D blackens its round(D / 255) first dots (a half rounds up) and whitens the others,
// so a flat gray g blackens n (255 - g) / 255 of its dots to within half a dot, as one cluster
// about the centre. Cells smaller than 0.7 dot hold at most one dot each: every dot is then black
// when its gray is below 128. The fourth byte of each pixel is kept.
#pragma once

#include "core/bitmap.h"

namespace skelda {

struct HalftoneScreen {
  int cellsPerInch = 40;
  double angleDegrees = 45;
};

inline constexpr int kFewestCellsPerInch = 5;
inline constexpr int kMostCellsPerInch = 200;

// d cells of the screen span (i, j) dots; a screen turned by 90 degrees more spans (-j, i).
struct ScreenLattice {
  long long i = 0;
  long long j = 0;
  int d = 1;
};

// For the side pitch in dots, the largest d up to 64 that keeps d² cells within 16384 dots (1
// for bigger cells), then i and j the nearest whole numbers to d pitch cos and d pitch sin of
// the angle reduced to [0, 90), turned the remaining quarters: pitch and angle within half a dot
// over d cells, and a screen turned by a quarter exactly the same one turned.
ScreenLattice SnapScreen(double pitch, double degrees);

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
