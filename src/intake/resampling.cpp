#include "intake/resampling.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "intake/area_resample.h"

namespace skelda {

namespace {

enum class Axis { Width, Height };

struct NewDots {
  long long width;
  long long height;
};

// sx = (side x dot) / wanted and sy = (side x interval) / wanted, held as doubles; the new
// sides are W / sx and H / sy rounded half to even, worked out in extended precision. With the
// interval equal to the dot both are the one scale of a square grid.
NewDots NewSize(const Bitmap& base, Axis axis, double dot, double interval, long double wanted) {
  const long double side = axis == Axis::Width ? base.Width() : base.Height();
  const double sx = static_cast<double>(Divide(side * dot, wanted));
  const double sy = static_cast<double>(Divide(side * interval, wanted));
  return {RoundHalfEven(Divide(base.Width(), sx)), RoundHalfEven(Divide(base.Height(), sy))};
}

void RefuseEmptyPicture(const NewDots& size, long double wanted, double dot) {
  if (size.width > 0 && size.height > 0) return;
  throw Error("A size of " + FloatToStr(wanted) + " mm with a dot size of " + FloatToStr(dot) +
              " mm gives a picture of " + IntToStr(size.width) + " x " + IntToStr(size.height) +
              " dots");
}

std::optional<SizeFields> Resample(Workspace& ws, const std::string& dotText,
                                   const std::string& wantedText, Axis axis, double lineInterval) {
  if (dotText.empty()) return std::nullopt;
  const double dot = StrToDouble(dotText);
  if (wantedText.empty()) return std::nullopt;
  const long double wanted = StrToFloat(wantedText);
  const double interval = lineInterval > 0 ? lineInterval : dot;
  const NewDots size = NewSize(ws.BaseBitmap, axis, dot, interval, wanted);
  RefuseEmptyPicture(size, wanted, dot);
  CheckPictureSize(size.width, size.height, 32);

  Bitmap resampled(static_cast<int>(size.width), static_cast<int>(size.height), PixelFormat::Bit32);
  AreaResample(ws.ShownBitmap, resampled);
  Bitmap shown = resampled;
  ws.BaseBitmap = std::move(resampled);
  ws.ShownBitmap = std::move(shown);
  ws.BasePixels.Attach(ws.BaseBitmap);
  return SizeFieldsFor(size.width, size.height, dot, interval);
}

}  // namespace

std::optional<SizeFields> ResampleToWidth(Workspace& ws, const std::string& dotText,
                                          const std::string& widthMmText, double lineInterval) {
  return Resample(ws, dotText, widthMmText, Axis::Width, lineInterval);
}

std::optional<SizeFields> ResampleToHeight(Workspace& ws, const std::string& dotText,
                                           const std::string& heightMmText, double lineInterval) {
  return Resample(ws, dotText, heightMmText, Axis::Height, lineInterval);
}

}  // namespace skelda
