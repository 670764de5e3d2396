// "Сохранить изображение (*.bmp)" and "Сохранить изображение (*.png)": the shown picture written
// as a Windows bitmap or a PNG.
#pragma once

#include <string>

#include "core/workspace.h"

namespace skelda {

// Writes ShownBitmap in its own pixel format to chosenName + ".bmp" (appended always, so
// "picture.bmp" becomes "picture.bmp.bmp"), replacing a file of that name only by a complete
// one; returns the name written. A failure names the file and leaves no partial file behind.
std::string SavePicture(const Workspace& ws, const std::string& chosenName);

// The name the PNG save writes: chosenName with ".png" added unless it already ends so (in any
// case).
std::string PngSaveName(const std::string& chosenName);
// Writes ShownBitmap as an 8-bit RGB PNG to PngSaveName(chosenName), as SavePicture writes.
std::string SavePicturePng(const Workspace& ws, const std::string& chosenName);

}  // namespace skelda
