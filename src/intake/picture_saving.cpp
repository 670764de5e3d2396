#include "intake/picture_saving.h"

#include "core/bmp_writer.h"

namespace skelda {

std::string SavePicture(const Workspace& ws, const std::string& chosenName) {
  const std::string name = chosenName + ".bmp";
  WriteBmpFile(ws.ShownBitmap, name);
  return name;
}

}  // namespace skelda
