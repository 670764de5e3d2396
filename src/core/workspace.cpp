#include "core/workspace.h"

#include "core/start_picture.h"

namespace skelda {

void Workspace::StartUp() {
  StartUp(LoadStartPicture());
}

void Workspace::StartUp(const Bitmap& picture) {
  BaseBitmap = picture;
  ShownBitmap = BaseBitmap;
  EffectApplied = false;
}

}  // namespace skelda
