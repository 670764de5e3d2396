#include "geometry/geometry_commands.h"

#include <cmath>
#include <utility>

#include "core/errors.h"
#include "geometry/invert.h"
#include "geometry/orientation.h"

namespace skelda {

namespace {

// The steps of mirror and rotate as they are: ShownBitmap := BaseBitmap, to 24 bits, the
// routine, back to 32 bits, BaseBitmap := ShownBitmap, BasePixels on ShownBitmap.
template <typename Routine>
void TransformThrough24(Workspace& ws, Routine routine) {
  ws.ShownBitmap = ws.BaseBitmap;
  ConvertTo24(ws.ShownBitmap);
  routine(ws.ShownBitmap);
  ConvertTo32(ws.ShownBitmap);
  ws.BaseBitmap = ws.ShownBitmap;
  ws.BasePixels.Attach(ws.ShownBitmap);
}

// A loaded picture is 32-bit. Its result is then written straight from BaseBitmap into
// ShownBitmap, with the same outcome as the steps above: on a 6000 x 4000 picture the two
// conversions would cost more than the transform, and each new pixel block is expensive.
bool Direct(const Workspace& ws) {
  return ws.BaseBitmap.Format() == PixelFormat::Bit32;
}

// ShownBitmap shaped like BaseBitmap (its pixel block reused when the size allows) and
// without a palette, as the conversion to 24 bits would leave it.
void ShapeShownLikeBase(Workspace& ws) {
  const Bitmap& base = ws.BaseBitmap;
  Bitmap& shown = ws.ShownBitmap;
  if (shown.Format() != base.Format() || shown.Width() != base.Width() ||
      shown.Height() != base.Height()) {
    shown = base;
  }
  shown.SetPalette({});
}

// BaseBitmap := ShownBitmap, BasePixels on ShownBitmap.
void Commit(Workspace& ws) {
  ws.BaseBitmap = ws.ShownBitmap;
  ws.BasePixels.Attach(ws.ShownBitmap);
}

void QuarterTurnCommand(Workspace& ws, TurnDirection direction) {
  const Bitmap& base = ws.BaseBitmap;
  Bitmap turned(base.Height(), base.Width(), PixelFormat::Bit32);
  QuarterTurnInto(base, turned, direction);
  ws.ShownBitmap = std::move(turned);
  Commit(ws);
}

}  // namespace

void MirrorCommand(Workspace& ws, bool horizontal) {
  if (!Direct(ws)) {
    TransformThrough24(ws, [horizontal](Bitmap& b) { MirrorBitmap(b, horizontal); });
    return;
  }
  ShapeShownLikeBase(ws);
  MirrorInto(ws.BaseBitmap, ws.ShownBitmap, horizontal);
  Commit(ws);
}

void RotateCommand(Workspace& ws, double angle) {
  if (!std::isfinite(angle)) throw InvalidOpError();
  const RotationKind kind = KindOfRotation(angle);
  if (Direct(ws) && kind == RotationKind::Clockwise) {
    QuarterTurnCommand(ws, TurnDirection::Clockwise);
  } else if (Direct(ws) && kind == RotationKind::CounterClockwise) {
    QuarterTurnCommand(ws, TurnDirection::CounterClockwise);
  } else if (Direct(ws) && kind == RotationKind::HalfTurn) {
    ShapeShownLikeBase(ws);
    HalfTurnInto(ws.BaseBitmap, ws.ShownBitmap);
    Commit(ws);
  } else {
    TransformThrough24(ws, [angle](Bitmap& b) { RotateBitmap(b, kWhite, angle); });
  }
}

void InvertCommand(Workspace& ws) {
  ws.BaseBitmap = ws.ShownBitmap;
  // The pass complements 4-byte pixels; the start picture (8 bits with a palette) is widened
  // first, so that both bitmaps end 32-bit as after mirror and rotate.
  ConvertTo32(ws.BaseBitmap);
  ws.BasePixels.Attach(ws.BaseBitmap);
  ws.ShownBitmap = ws.BaseBitmap;
  InvertBitmap(ws.ShownBitmap);
}

}  // namespace skelda
