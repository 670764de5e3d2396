// The tone, black-and-white and effect commands over the Workspace, as the window and
// skelda-cli call them. None refreshes the preview: the window does that after the call.
//
// Every command starts with a copy of BaseBitmap in ShownBitmap; a copy that is not in the
// 32-bit format (the 8-bit start picture before any load) is brought to 32 bits before the
// pass. The tone filters and texture effects give ShownBitmap the colours and the fourth byte
// (0) that a round trip through 24 bits gives it. A command that runs out of memory throws
// std::bad_alloc with both bitmaps whole and in the state its steps had reached.
#pragma once

#include <string>

#include "core/workspace.h"
#include "processing/halftone_screen.h"

namespace skelda {

// Slider label texts.
std::string ThresholdLabel(int position);   // "Черно-белое 50%"
std::string SharpnessLabel(int position);   // "Резкость 0%"
std::string BrightnessLabel(int position);  // "Яркость -100%"
std::string ContrastLabel(int position);    // "Контрастность 0%"

// "Черно-белое" (its menu entry sets EffectApplied first): BwMode 1, ShownBitmap := BaseBitmap
// thresholded at t.
void ThresholdCommand(Workspace& ws, int threshold);
// "Точками": BwMode 2, EffectApplied true, ShownBitmap := BaseBitmap
// dithered. Out of memory: the flags are set and ShownBitmap holds the copy of BaseBitmap.
void DitherCommand(Workspace& ws);
// The other dot methods ("Другие методы"): BwMode 3 with Method, EffectApplied true,
// ShownBitmap := BaseBitmap converted; the diffusion kernels run serpentine when
// Workspace::Serpentine is set.
void DotMethodCommand(Workspace& ws, DotMethod method);
// "Змейкой": Serpentine := on; a picture a diffusion kernel made (BwMode 3) is made again. True
// when the picture was rebuilt.
bool SerpentineCommand(Workspace& ws, bool on);
// "Полутоновый растр…": BwMode 4, EffectApplied true, ShownBitmap := BaseBitmap through the
// screen, its cells sized for dots of dotMm. A screen out of range throws before anything changes.
void HalftoneCommand(Workspace& ws, const HalftoneScreen& screen, double dotMm);
// A screen has no threshold: while one is shown (BwMode 4 and EffectApplied, so not after
// "Оригинал") the slider changes nothing, its label included.
bool ThresholdSliderInert(const Workspace& ws);
// The threshold slider after its label: re-runs the conversion BwMode names. True when the
// picture was rebuilt (the window then refreshes the preview).
bool ThresholdSliderMoved(Workspace& ws, int threshold);

enum class ToneSlider { Sharpness, Brightness, Contrast };
// A tone slider's change: false (nothing changed, label kept) while EffectApplied is true or
// BwMode is 1; otherwise ShownBitmap := BaseBitmap with that one filter, true (the window then
// refreshes and sets the label). Sharpening out of memory: ShownBitmap holds the copy of
// BaseBitmap in 24 bits.
bool ToneSliderMoved(Workspace& ws, ToneSlider slider, int position);

// "Применить" after OK: ShownBitmap into BaseBitmap, BaseBitmap into ShownBitmap, BasePixels
// attached. (The window then resets the sliders, refreshes, and sets MouseTool 6 either way.)
void ApplyShown(Workspace& ws);

// The dot-pattern effects: EffectApplied true, ShownBitmap := BaseBitmap converted.
void RandomThresholdCommand(Workspace& ws);  // "Точечный мутно"
void RandomDitherCommand(Workspace& ws);     // "Точечный разброс"
// "Крестик 1" .. "Крестик 4" ("Крестик 1" also sets PictureWidth and
// PictureHeight). Another number throws before anything changes.
void CrossCommand(Workspace& ws, int number);

// The texture effects: the result becomes BaseBitmap and ShownBitmap, BasePixels attached to
// ShownBitmap. The scatter reseeds Workspace::Random from the clock; out of memory it leaves
// BaseBitmap as it was and its 32-bit copy in ShownBitmap.
// The two scatter entries take reach 2 and 5 (rx = ry = reach); a reach below 1 throws before
// anything changes.
void ScatterCommand(Workspace& ws, int reach);
void MosaicCommand(Workspace& ws);  // 6 x 6 blocks

}  // namespace skelda
