#include "intake/fit_to_window.h"

#include <algorithm>

#include "core/numbers.h"
#include "intake/area_resample.h"

namespace skelda {

bool FitToWindow(Workspace& ws, const std::string& dotText, int availW, int availH) {
  if (dotText.empty()) return false;
  StrToFloat(dotText);  // only a check
  if (availW < 1 || availH < 1 || ws.ShownBitmap.Empty()) return false;

  const double sx = static_cast<double>(ws.ShownBitmap.Width()) / availW;
  const double sy = static_cast<double>(ws.ShownBitmap.Height()) / availH;
  const double s = sx > sy ? sx : sy;
  // A very long thin picture would round one side to 0 dots; it keeps at least one.
  const long long newW = std::max(1LL, RoundHalfEven(ws.ShownBitmap.Width() / (long double)s));
  const long long newH = std::max(1LL, RoundHalfEven(ws.ShownBitmap.Height() / (long double)s));
  CheckPictureSize(newW, newH, 32);

  Bitmap fitted = ws.ShownBitmap;
  fitted.SetSize(static_cast<int>(newW), static_cast<int>(newH));
  AreaResample(ws.BaseBitmap, fitted);
  ws.ShownBitmap = std::move(fitted);
  return true;
}

}  // namespace skelda
