#include "geometry/geometry_commands.h"

#include "geometry/invert.h"
#include "geometry/mirror_bitmap.h"
#include "geometry/pixel_format_24.h"
#include "geometry/rotate_bitmap.h"

namespace skelda {

namespace {

// The shared steps of mirror and rotate. The 32-bit pixels that the conversion to 24 bits
// frees are kept aside and written over on the way back when the size has not changed, so a
// mirror needs one new pixel block instead of two.
template <typename Routine>
void TransformFromBase(Workspace& ws, Routine routine) {
  ws.ShownBitmap = ws.BaseBitmap;
  Bitmap spare;
  ConvertTo24(ws.ShownBitmap, &spare);
  routine(ws.ShownBitmap);
  ConvertTo32(ws.ShownBitmap, &spare);
  ws.BaseBitmap = ws.ShownBitmap;
  ws.BasePixels.Attach(ws.ShownBitmap);
}

}  // namespace

void MirrorCommand(Workspace& ws, bool horizontal) {
  TransformFromBase(ws, [horizontal](Bitmap& b) { MirrorBitmap(b, horizontal); });
}

void RotateCommand(Workspace& ws, double angle) {
  TransformFromBase(ws, [angle](Bitmap& b) { RotateBitmap(b, kWhite, angle); });
}

void InvertCommand(Workspace& ws) {
  ws.BaseBitmap = ws.ShownBitmap;
  // The pass complements 4-byte pixels; the start picture (8 bits with a palette) is widened
  // first so that both bitmaps end 32-bit, as after mirror and rotate.
  ConvertTo32(ws.BaseBitmap);
  ws.BasePixels.Attach(ws.BaseBitmap);
  ws.ShownBitmap = ws.BaseBitmap;
  InvertBitmap(ws.ShownBitmap);
}

}  // namespace skelda
