#include "intake/picture_loading.h"

#include "core/numbers.h"
#include "intake/picture_file.h"

namespace skelda {

SizeFields ReadPictureFile(Workspace& ws, const std::string& dotText, const std::string& fileName,
                           double lineInterval) {
  const double dot = StrToDouble(dotText);
  Bitmap picture = ReadPictureKindFile(fileName);
  CheckPictureSize(picture.Width(), picture.Height(), 32);
  picture.SetPixelFormat(PixelFormat::Bit32);
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
