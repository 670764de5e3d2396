#include "processing/processing_commands.h"

#include <new>

#include "core/errors.h"
#include "processing/bitmap_steps.h"
#include "processing/brightness.h"
#include "processing/contrast.h"
#include "processing/error_diffusion.h"
#include "processing/mosaic.h"
#include "processing/scatter.h"
#include "processing/sharpen.h"
#include "processing/threshold_pass.h"

namespace skelda {

namespace {

constexpr std::uint16_t kMosaicBlock = 6;

// Every conversion starts again from the committed picture, in the 32-bit layout its passes
// read (the 8-bit start picture is widened on the copy).
void ShowBaseCopy(Workspace& ws) {
  CopyBitmap(ws.BaseBitmap, ws.ShownBitmap);
  EnsureBit32(ws.ShownBitmap);
}

// The texture effects keep their result at once.
void CommitShownTexture(Workspace& ws) {
  CopyBitmap(ws.ShownBitmap, ws.BaseBitmap);
  ws.BasePixels.Attach(ws.ShownBitmap);
}

}  // namespace

void ThresholdCommand(Workspace& ws, int threshold) {
  ws.BwMode = kBwModeThreshold;
  ShowBaseCopy(ws);
  ThresholdPass(ws.ShownBitmap, threshold);
}

void DitherCommand(Workspace& ws) {
  ws.BwMode = kBwModeDither;
  ws.EffectApplied = true;
  ShowBaseCopy(ws);
  DiffusionPass(ws.ShownBitmap, DiffusionRule::Fixed128());
}

bool ThresholdSliderMoved(Workspace& ws, int threshold) {
  bool rebuilt = false;
  if (ws.BwMode == kBwModeThreshold) {
    ThresholdCommand(ws, threshold);
    rebuilt = true;
  }
  if (ws.BwMode == kBwModeDither) {
    DitherCommand(ws);
    rebuilt = true;
  }
  return rebuilt;
}

bool ToneSliderMoved(Workspace& ws, ToneSlider slider, int position) {
  if (ws.EffectApplied || ws.BwMode == kBwModeThreshold) return false;
  ShowBaseCopy(ws);
  // The filters give a 32-bit picture exactly what a round trip through 24 bits would.
  switch (slider) {
    case ToneSlider::Sharpness:
      try {
        SharpenBitmap(ws.ShownBitmap, position);
      } catch (const std::bad_alloc&) {
        // The copy stays shown as the sharpening left it: unsharpened, in 24 bits.
        try {
          ws.ShownBitmap.SetPixelFormat(PixelFormat::Bit24);
        } catch (const std::bad_alloc&) {
        }
        throw;
      }
      break;
    case ToneSlider::Brightness:
      AdjustBrightness(ws.ShownBitmap, position);
      break;
    case ToneSlider::Contrast:
      AdjustContrast(ws.ShownBitmap, position);
      break;
  }
  return true;
}

void ApplyShown(Workspace& ws) {
  CopyBitmap(ws.ShownBitmap, ws.BaseBitmap);
  CopyBitmap(ws.BaseBitmap, ws.ShownBitmap);
  ws.BasePixels.Attach(ws.BaseBitmap);
}

void RandomThresholdCommand(Workspace& ws) {
  ws.EffectApplied = true;
  ShowBaseCopy(ws);
  RandomThresholdPass(ws.ShownBitmap, ws.Random);
}

void RandomDitherCommand(Workspace& ws) {
  ws.EffectApplied = true;
  ShowBaseCopy(ws);
  DiffusionPass(ws.ShownBitmap, DiffusionRule::Random(ws.Random));
}

void CrossCommand(Workspace& ws, int number) {
  if (number < 1 || number > 4) throw Error("Cross effect number must be 1 to 4");
  ws.EffectApplied = true;
  ShowBaseCopy(ws);
  switch (number) {
    case 1:
      ws.PictureWidth = ws.ShownBitmap.Width();
      ws.PictureHeight = ws.ShownBitmap.Height();
      MatrixThresholdPass(ws.ShownBitmap, T2);
      break;
    case 2:
      MatrixThresholdPass(ws.ShownBitmap, T3);
      break;
    case 3:
      MatrixThresholdPass(ws.ShownBitmap, T4);
      break;
    default:
      DiffusionPass(ws.ShownBitmap, DiffusionRule::Matrix(T4));
      break;
  }
}

void ScatterCommand(Workspace& ws, int reach) {
  if (reach < 1) throw Error("Scatter reach must be at least 1");
  ShowBaseCopy(ws);
  ScatterBitmap(ws.ShownBitmap, reach, reach, kWhite, ws.Random);
  CommitShownTexture(ws);
}

void MosaicCommand(Workspace& ws) {
  ShowBaseCopy(ws);
  MosaicBitmap(ws.ShownBitmap, kMosaicBlock, kMosaicBlock);
  CommitShownTexture(ws);
}

}  // namespace skelda
