#include "intake/picture_saving.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "core/bmp_writer.h"
#include "intake/picture_file.h"
#include "intake/png_writer.h"

namespace skelda {

std::string SavePicture(const Workspace& ws, const std::string& chosenName) {
  const std::string name = chosenName + ".bmp";
  WriteBmpFile(ws.ShownBitmap, name);
  return name;
}

std::string PngSaveName(const std::string& chosenName) {
  constexpr std::string_view kPng = ".png";
  const std::string_view ext = FileExtension(chosenName);
  const bool hasPng =
      std::equal(ext.begin(), ext.end(), kPng.begin(), kPng.end(),
                 [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
  return hasPng ? chosenName : chosenName + std::string(kPng);
}

std::string SavePicturePng(const Workspace& ws, const std::string& chosenName) {
  const std::string name = PngSaveName(chosenName);
  WritePicturePng(ws.ShownBitmap, name);
  return name;
}

}  // namespace skelda
