#include "geometry/warp/warp_tool.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/round_to_even.h"

namespace skelda {
namespace {

// An accessor refuses a bitmap without pixels.
bool Attachable(const Bitmap& bitmap) {
  return !bitmap.Empty();
}

// A coordinate that cannot be computed (no finite value) keeps the previous one.
void StoreRounded(double value, double& coordinate) {
  if (std::isfinite(value)) coordinate = RoundToEven(value);
}

// What one column i of the warp knows before its rows: the pointer as this column sees it
// (Mx is one to the left on the pointer's own column, so that i never equals Mx), and the
// source point of the previous pixel in the column, which a coordinate that is not recomputed
// keeps. The first pixel's "previous" source is the pixel itself.
struct WarpColumn {
  double fi, mx, iMinusMx, iTimesMy;
  double sx, sy;
};

// The area W x H, the pointer row My and the press point D, shared by all pixels.
struct WarpFrame {
  double w, h, my, dx, dy;

  // Source point of (i, j), left in column.sx and column.sy.
  void SourceOf(WarpColumn& c, double fj) const {
    const double l = c.iTimesMy - fj * c.mx;
    double qx, qy;
    if (c.mx > c.fi) {
      qx = 0;
      qy = l / c.iMinusMx;
    } else {
      qx = w;
      qy = ((fj - my) * w + l) / c.iMinusMx;
    }
    // iMinusMx is never 0; the two divisions below are guarded because the pointer may lie
    // outside a picture that shrank since ToolRect was set.
    if (qy < 0 && my != fj) {
      qx = l / (my - fj);
      qy = 0;
    }
    if (qy > h && fj != my) {
      qx = (c.iMinusMx * h - l) / (fj - my);
      qy = h;
    }
    if (c.mx != qx) StoreRounded(qx + (dx - qx) * (c.fi - qx) / (c.mx - qx), c.sx);
    if (my != qy) StoreRounded(qy + (dy - qy) * (fj - qy) / (my - qy), c.sy);
  }
};

}  // namespace

bool WarpPress(Workspace& ws, int x, int y, bool leftButton) {
  if (ws.MouseTool != kMouseToolWarp || !leftButton || !ws.ToolRect.Contains(x, y)) return false;
  ws.DragStartX = x;
  ws.DragStartY = y;
  return true;
}

bool WarpMove(Workspace& ws, int x, int y) {
  if (ws.MouseTool != kMouseToolWarp || !ws.ToolRect.Contains(x, y)) return false;
  if (!Attachable(ws.BaseBitmap) || !Attachable(ws.ShownBitmap)) return false;
  ws.BasePixels.Attach(ws.BaseBitmap);
  ws.ShownPixels.Attach(ws.ShownBitmap);
  // PictureWidth/Height and ToolRect are not updated by a resampling, a rotation or a fit, so
  // the loops are held inside both bitmaps as they are now.
  const int w = std::min({ws.PictureWidth, ws.BasePixels.Width, ws.ShownPixels.Width});
  const int h = std::min({ws.PictureHeight, ws.BasePixels.Height, ws.ShownPixels.Height});
  if (w <= 0 || h <= 0) return false;

  // The pixels are visited row by row for the memory's sake; each column keeps its own
  // previous source point, so every pixel gets what the column-by-column order gives it.
  const WarpFrame frame{double(w), double(h), double(y), double(ws.DragStartX),
                        double(ws.DragStartY)};
  std::vector<WarpColumn> columns(w);
  for (int i = 0; i < w; ++i) {
    const double fi = i, mx = i == x ? x - 1 : x;
    columns[i] = {fi, mx, fi - mx, fi * frame.my, fi, 0};
  }
  const TGetPixel getPixel = ws.BasePixels.GetPixel;
  const TSetPixel setPixel = ws.ShownPixels.SetPixel;
  for (int j = 0; j < h; ++j) {
    const double fj = j;
    for (int i = 0; i < w; ++i) {
      WarpColumn& c = columns[i];
      frame.SourceOf(c, fj);
      if (c.sx >= 0 && c.sx < frame.w && c.sy >= 0 && c.sy < frame.h)
        setPixel(i, j, getPixel(static_cast<int>(c.sx), static_cast<int>(c.sy)));
    }
  }
  return true;
}

void WarpRelease(Workspace& ws) {
  // The drag is over whatever happens below.
  struct EndDrag {
    Workspace& ws;
    ~EndDrag() {
      ws.DragStartX = -1;
      ws.DragStartY = -1;
    }
  } endDrag{ws};
  if (ws.MouseTool == kMouseToolWarp) {
    ws.BaseBitmap = ws.ShownBitmap;
    // Every user attaches again before its pixel loop; a bitmap without pixels is simply left
    // unattached.
    if (Attachable(ws.BaseBitmap)) ws.BasePixels.Attach(ws.BaseBitmap);
    if (Attachable(ws.ShownBitmap)) ws.ShownPixels.Attach(ws.ShownBitmap);
  }
}

}  // namespace skelda
