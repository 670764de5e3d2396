#include "intake/upright.h"

#include <utility>

#include "geometry/orientation.h"

namespace skelda {

namespace {

Bitmap Mirrored(const Bitmap& source, bool horizontal) {
  Bitmap target = Bitmap::Unfilled(source.Width(), source.Height(), PixelFormat::Bit32);
  MirrorInto(source, target, horizontal);
  return target;
}

Bitmap Turned(const Bitmap& source, TurnDirection direction) {
  Bitmap target = Bitmap::Unfilled(source.Height(), source.Width(), PixelFormat::Bit32);
  QuarterTurnInto(source, target, direction);
  return target;
}

}  // namespace

void TurnUpright(Bitmap& picture, int orientation) {
  switch (orientation) {
    case 2:
      picture = Mirrored(picture, true);
      return;
    case 3: {
      Bitmap target = Bitmap::Unfilled(picture.Width(), picture.Height(), PixelFormat::Bit32);
      HalfTurnInto(picture, target);
      picture = std::move(target);
      return;
    }
    case 4:
      picture = Mirrored(picture, false);
      return;
    case 5:  // mirrored left-right, then a quarter counter-clockwise: the transpose
      picture = Turned(Mirrored(picture, true), TurnDirection::CounterClockwise);
      return;
    case 6:
      picture = Turned(picture, TurnDirection::Clockwise);
      return;
    case 7:  // mirrored left-right, then a quarter clockwise
      picture = Turned(Mirrored(picture, true), TurnDirection::Clockwise);
      return;
    case 8:
      picture = Turned(picture, TurnDirection::CounterClockwise);
      return;
    default:
      return;
  }
}

}  // namespace skelda
