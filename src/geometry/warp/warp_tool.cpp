#include "geometry/warp/warp_tool.h"

#include <algorithm>
#include <cmath>

namespace skelda {
namespace {

// An accessor refuses a bitmap without pixels.
bool Attachable(const Bitmap& bitmap) {
  return !bitmap.Empty();
}

// Rounds half to even (the default rounding mode); false for a value that is not a usable
// coordinate, which then leaves the previous one in place.
bool RoundCoordinate(double value, double& rounded) {
  if (!std::isfinite(value)) return false;
  rounded = std::nearbyint(value);
  return true;
}

// One column of the warp: the pointer M, the press point D and the area W x H are fixed, i is
// the column. The source coordinates carry over from pixel to pixel down the column, since a
// coordinate that cannot be recomputed keeps the previous pixel's value.
struct WarpColumn {
  int i;
  double mx, my, dx, dy, w, h;

  // Source point of (i, j); sx and sy hold the previous pixel's values on entry.
  void SourceOf(int j, double& sx, double& sy) const {
    const double fi = i, fj = j;
    const double l = fi * my - fj * mx;
    double qx, qy;
    if (mx > fi) {
      qx = 0;
      qy = l / (fi - mx);
    } else {
      qx = w;
      qy = ((fj - my) * w + l) / (fi - mx);
    }
    // i never equals Mx, so the divisions above are safe; the two below are guarded because
    // the pointer may lie outside a picture that shrank since ToolRect was set.
    if (qy < 0 && my != fj) {
      qx = l / (my - fj);
      qy = 0;
    }
    if (qy > h && fj != my) {
      qx = ((fi - mx) * h - l) / (fj - my);
      qy = h;
    }
    double rounded;
    if (mx != qx && RoundCoordinate(qx + (dx - qx) * (fi - qx) / (mx - qx), rounded)) sx = rounded;
    if (my != qy && RoundCoordinate(qy + (dy - qy) * (fj - qy) / (my - qy), rounded)) sy = rounded;
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

  const TGetPixel getPixel = ws.BasePixels.GetPixel;
  const TSetPixel setPixel = ws.ShownPixels.SetPixel;
  const double fw = w, fh = h;
  for (int i = 0; i < w; ++i) {
    const WarpColumn column{
        i, double(i == x ? x - 1 : x), double(y), double(ws.DragStartX), double(ws.DragStartY), fw,
        fh};
    // A coordinate that cannot be recomputed on a column's first pixel keeps that pixel's own
    // position rather than the previous column's last source point.
    double sx = i, sy = 0;
    for (int j = 0; j < h; ++j) {
      column.SourceOf(j, sx, sy);
      if (sx >= 0 && sx < fw && sy >= 0 && sy < fh)
        setPixel(i, j, getPixel(static_cast<int>(sx), static_cast<int>(sy)));
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
