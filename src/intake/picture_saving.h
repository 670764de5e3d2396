// "Сохранить изображение (*.bmp)": the shown picture written as a Windows bitmap.
#pragma once

#include <string>

#include "core/workspace.h"

namespace skelda {

// Writes ShownBitmap in its own pixel format to chosenName + ".bmp" (appended always, so
// "picture.bmp" becomes "picture.bmp.bmp"), replacing a file of that name only by a complete
// one; returns the name written. A failure names the file and leaves no partial file behind.
std::string SavePicture(const Workspace& ws, const std::string& chosenName);

}  // namespace skelda
