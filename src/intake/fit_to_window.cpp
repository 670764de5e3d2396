#include "intake/fit_to_window.h"

#include <algorithm>

#include "core/numbers.h"
#include "intake/area_resample.h"

namespace skelda {

namespace {

// A custom layout comes out of the resample as plain 32 bits whatever the target held.
Bitmap BlankLike(const Bitmap& model, int width, int height) {
  if (model.Format() == PixelFormat::Custom) return Bitmap(width, height, PixelFormat::Bit32);
  Bitmap blank(width, height, model.Format());
  if (FormatInfo(model.Format()).indexed) blank.SetPalette(model.PaletteEntries());
  return blank;
}

}  // namespace

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

  // The resample writes every pixel, so the shown picture lends only its format and palette.
  Bitmap fitted = BlankLike(ws.ShownBitmap, static_cast<int>(newW), static_cast<int>(newH));
  AreaResample(ws.BaseBitmap, fitted);
  ws.ShownBitmap = std::move(fitted);
  return true;
}

}  // namespace skelda
