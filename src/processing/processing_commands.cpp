#include "processing/processing_commands.h"

#include <new>

#include "core/errors.h"
#include "processing/brightness.h"
#include "processing/contrast.h"
#include "processing/error_diffusion.h"
#include "processing/kernel_diffusion.h"
#include "processing/mosaic.h"
#include "processing/pass_bitmaps.h"
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

// Copy and pass in one sweep: pass(source, target) reads BaseBitmap and writes every byte of
// ShownBitmap, once that has BaseBitmap's shape. A picture that is not in 32 bits is copied and
// widened first and the pass runs on the copy in place. The passes take their storage before
// they write a pixel, so when one runs out of memory ShownBitmap is made the plain copy the
// step before the pass would have left.
template <class Pass>
void ShowBaseThrough(Workspace& ws, Pass pass) {
  if (ws.BaseBitmap.Format() != PixelFormat::Bit32) {
    ShowBaseCopy(ws);
    pass(ws.ShownBitmap, ws.ShownBitmap);
    return;
  }
  if (!SameShape(ws.BaseBitmap, ws.ShownBitmap)) CopyBitmap(ws.BaseBitmap, ws.ShownBitmap);
  try {
    pass(ws.BaseBitmap, ws.ShownBitmap);
  } catch (const std::bad_alloc&) {
    CopyBitmap(ws.BaseBitmap, ws.ShownBitmap);  // same shape: allocates nothing
    throw;
  }
}

// The texture effects keep their result at once.
void CommitShownTexture(Workspace& ws) {
  CopyBitmap(ws.ShownBitmap, ws.BaseBitmap);
  ws.BasePixels.Attach(ws.ShownBitmap);
}

}  // namespace

void ThresholdCommand(Workspace& ws, int threshold) {
  ws.BwMode = kBwModeThreshold;
  ShowBaseThrough(
      ws, [&](const Bitmap& source, Bitmap& target) { ThresholdPass(source, target, threshold); });
}

void DitherCommand(Workspace& ws) {
  ws.BwMode = kBwModeDither;
  ws.EffectApplied = true;
  ShowBaseThrough(ws, [](const Bitmap& source, Bitmap& target) {
    DiffusionPass(source, target, DiffusionRule::Fixed128());
  });
}

void DotMethodCommand(Workspace& ws, DotMethod method) {
  ws.BwMode = kBwModeDotMethod;
  ws.Method = method;
  ws.EffectApplied = true;
  const DiffusionKernel* kernel = KernelOf(method);
  const bool serpentine = ws.Serpentine;
  ShowBaseThrough(ws, [&](const Bitmap& source, Bitmap& target) {
    if (kernel != nullptr) {
      KernelDiffusionPass(source, target, *kernel, serpentine);
    } else {
      OrderedScreenPass(source, target);
    }
  });
}

void HalftoneCommand(Workspace& ws, const HalftoneScreen& screen, double dotMm) {
  CheckHalftoneScreen(screen, dotMm);
  ws.BwMode = kBwModeHalftone;
  ws.EffectApplied = true;
  ShowBaseThrough(ws, [&](const Bitmap& source, Bitmap& target) {
    HalftonePass(source, target, screen, dotMm);
  });
}

bool ThresholdSliderInert(const Workspace& ws) {
  return ws.BwMode == kBwModeHalftone && ws.EffectApplied;
}

bool SerpentineCommand(Workspace& ws, bool on) {
  ws.Serpentine = on;
  if (ws.BwMode != kBwModeDotMethod || KernelOf(ws.Method) == nullptr) return false;
  DotMethodCommand(ws, ws.Method);
  return true;
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
  if (ws.BwMode == kBwModeDotMethod) {
    DotMethodCommand(ws, ws.Method);
    rebuilt = true;
  }
  return rebuilt;
}

bool ToneSliderMoved(Workspace& ws, ToneSlider slider, int position) {
  if (ws.EffectApplied || ws.BwMode == kBwModeThreshold) return false;
  // The filters give a 32-bit picture exactly what a round trip through 24 bits would.
  switch (slider) {
    case ToneSlider::Sharpness:
      try {
        ShowBaseThrough(ws, [&](const Bitmap& source, Bitmap& target) {
          if (&source == &target) {
            SharpenBitmap(target, position);
          } else {
            SharpenBitmap(source, target, position);
          }
        });
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
      ShowBaseThrough(ws, [&](const Bitmap& source, Bitmap& target) {
        AdjustBrightness(source, target, position);
      });
      break;
    case ToneSlider::Contrast:
      ShowBaseThrough(ws, [&](const Bitmap& source, Bitmap& target) {
        AdjustContrast(source, target, position);
      });
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
  ShowBaseThrough(ws, [&](const Bitmap& source, Bitmap& target) {
    RandomThresholdPass(source, target, ws.Random);
  });
}

void RandomDitherCommand(Workspace& ws) {
  ws.EffectApplied = true;
  ShowBaseThrough(ws, [&](const Bitmap& source, Bitmap& target) {
    DiffusionPass(source, target, DiffusionRule::Random(ws.Random));
  });
}

void CrossCommand(Workspace& ws, int number) {
  if (number < 1 || number > 4) throw Error("Cross effect number must be 1 to 4");
  ws.EffectApplied = true;
  ShowBaseThrough(ws, [&](const Bitmap& source, Bitmap& target) {
    if (number == 1) {
      ws.PictureWidth = target.Width();
      ws.PictureHeight = target.Height();
    }
    if (number == 4) {
      DiffusionPass(source, target, DiffusionRule::Matrix(T4));
    } else {
      MatrixThresholdPass(source, target, number == 1 ? T2 : number == 2 ? T3 : T4);
    }
  });
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
