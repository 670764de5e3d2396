// The picture-intake commands over the Workspace, as the window and skelda-cli call them. Each
// takes the field texts it reads and returns the texts it writes, or throws; a command that
// throws has changed nothing.
#pragma once

#include <optional>
#include <string>

#include "core/bitmap.h"
#include "core/workspace.h"

namespace skelda {

// The four size fields: edt2/edt3 in mm, edt5/edt6 in dots.
struct SizeFields {
  std::string widthMm;      // edt2
  std::string heightMm;     // edt3
  std::string widthDots;    // edt5
  std::string heightDots;   // edt6
  friend bool operator==(const SizeFields&, const SizeFields&) = default;
};

// Reads a picture file in full (".bmp" in any case: a BMP; any other name: a JPEG) into a new
// bitmap; throws the open-file error naming the file, "Bitmap image is not valid", "JPEG error
// #N" or the too-large error.
Bitmap ReadPictureKindFile(const std::string& fileName);

// ReadPictureFile: dot from the edt1 text, the file read in full, then BaseBitmap := the
// picture in 32 bits; returns the size fields. On any error BaseBitmap is unchanged.
SizeFields ReadPictureFile(Workspace& ws, const std::string& dotText,
                           const std::string& fileName);

// The toolkit-free steps of the load command around the slider resets that the window makes:
// BeginLoad = MouseTool 6, EffectApplied false (steps 3, 4);
// FinishLoad = BwMode 0, ShownBitmap := BaseBitmap, both accessors attached, PictureWidth,
// PictureHeight and ToolRect set (steps 6 to 9).
void BeginLoad(Workspace& ws);
void FinishLoad(Workspace& ws);

// "Оригинал" after ReadPictureFile: ShownBitmap := BaseBitmap, EffectApplied false.
void ShowOriginal(Workspace& ws);

// The "S" buttons. Returns nothing (and changes nothing) when edt1 or the axis field is empty;
// otherwise resamples ShownBitmap onto BaseBitmap, makes ShownBitmap a copy and returns the four
// size fields. Errors: the conversion error, "Floating point division by zero", "Invalid
// floating point operation", and a clear refusal of a size of 0 dots or below.
std::optional<SizeFields> ResampleToWidth(Workspace& ws, const std::string& dotText,
                                          const std::string& widthMmText);   // btn5
std::optional<SizeFields> ResampleToHeight(Workspace& ws, const std::string& dotText,
                                           const std::string& heightMmText); // btn6

// Enter in edt1: the new edt4 text (25.4 / dot), both fields checked first.
std::string ResolutionForDot(const std::string& dotText, const std::string& dpiText);
// Enter in edt4: the new edt1 text (25.4 / dpi), both fields checked first.
std::string DotForResolution(const std::string& dotText, const std::string& dpiText);

// The halftone stretch: the whole of source onto the whole of target (which has its size
// already), each target pixel the area-weighted mean of the source pixels under it. Both 32-bit.
void HalftoneStretch(const Bitmap& source, Bitmap& target);

// Fit to window: ends silently (false) when edt1 is empty; checks edt1 is a number; then
// resizes ShownBitmap to fit availW x availH and stretches BaseBitmap onto it. True when done.
bool FitToWindow(Workspace& ws, const std::string& dotText, int availW, int availH);

// "Сохранить изображение": writes ShownBitmap to chosenName + ".bmp" atomically; returns the
// file name written.
std::string SavePicture(const Workspace& ws, const std::string& chosenName);

}  // namespace skelda
