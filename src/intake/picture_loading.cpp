#include "intake/picture_loading.h"

#include "core/numbers.h"
#include "intake/picture_file.h"
#include "intake/upright.h"

namespace skelda {

SizeFields ReadPictureFile(Workspace& ws, const std::string& dotText, const std::string& fileName,
                           bool turnUpright, double lineInterval) {
  const double dot = StrToDouble(dotText);
  PictureRead read = ReadPictureAndOrientation(fileName);
  Bitmap& picture = read.picture;
  CheckPictureSize(picture.Width(), picture.Height(), 32);
  picture.SetPixelFormat(PixelFormat::Bit32);
  if (turnUpright) TurnUpright(picture, read.orientation);
  ws.BaseBitmap = std::move(picture);
  return SizeFieldsFor(ws.BaseBitmap.Width(), ws.BaseBitmap.Height(), dot, lineInterval);
}

void BeginLoad(Workspace& ws) {
  ws.MouseTool = kMouseToolOff;
  ws.EffectApplied = false;
}

void FinishLoad(Workspace& ws) {
  ws.BwMode = kBwModeNone;
  ws.ShownBitmap = ws.BaseBitmap;
  ws.BasePixels.Attach(ws.BaseBitmap);
  ws.ShownPixels.Attach(ws.ShownBitmap);
  ws.PictureWidth = ws.BasePixels.Width;
  ws.PictureHeight = ws.BasePixels.Height;
  ws.ToolRect = {5, 5, ws.PictureWidth - 6, ws.PictureHeight - 6};
}

void ShowOriginal(Workspace& ws) {
  ws.ShownBitmap = ws.BaseBitmap;
  ws.EffectApplied = false;
}

}  // namespace skelda
