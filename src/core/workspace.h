// The state every command shares: the two picture bitmaps, their accessors and the tool and
// mode variables, with the start-up of the picture side of the program.
#pragma once

#include "core/bitmap.h"
#include "core/quick_pixels.h"
#include "core/random.h"

namespace skelda {

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  // left <= x < right and top <= y < bottom
  bool Contains(int x, int y) const { return Left <= x && x < Right && Top <= y && y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

enum : int { kMouseToolNone = 0, kMouseToolWarp = 4, kMouseToolOff = 6 };
enum : int {
  kBwModeNone = 0,
  kBwModeThreshold = 1,
  kBwModeDither = 2,
  kBwModeDotMethod = 3,
  kBwModeHalftone = 4  // a halftone screen: it has no threshold
};

// The dot methods beside "Точками": seven error-diffusion kernels and an 8 x 8 ordered screen.
enum class DotMethod {
  Atkinson,
  JarvisJudiceNinke,
  Stucki,
  Burkes,
  Sierra,
  TwoRowSierra,
  SierraLite,
  Bayer8
};

// The tool and mode variables, as one value (an undo step keeps them).
struct WorkspaceModes {
  int MouseTool = kMouseToolNone;
  int PictureWidth = 0;
  int PictureHeight = 0;
  TRect ToolRect;
  int DragStartX = -1;
  int DragStartY = -1;
  bool EffectApplied = false;
  int BwMode = kBwModeNone;
  DotMethod Method = DotMethod::Atkinson;  // the one BwMode 3 re-runs
  bool Serpentine = false;  // the diffusion kernels run every second row right to left
  bool ConfirmClicked = false;
  friend bool operator==(const WorkspaceModes&, const WorkspaceModes&) = default;
};

struct Workspace : WorkspaceModes {
  Bitmap BaseBitmap;   // the committed picture on the dot grid
  Bitmap ShownBitmap;  // what the preview shows
  TQuickPixels BasePixels;
  TQuickPixels ShownPixels;

  RandomGenerator Random;

  // Start-up: the start picture into BaseBitmap, ShownBitmap a copy of it, both accessors
  // unattached, EffectApplied false.
  void StartUp();
  // The same with a picture of the caller's instead of the start picture (tests, the CLI).
  void StartUp(const Bitmap& picture);
};

}  // namespace skelda
