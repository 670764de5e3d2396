// The tone, black-and-white and effect commands over the Workspace, as the window and
// skelda-cli call them. None refreshes the preview: the window does that after the call.
#pragma once

#include <string>

#include "core/workspace.h"

namespace skelda {

// Slider label texts.
std::string ThresholdLabel(int position);   // "Черно-белое 50%"
std::string SharpnessLabel(int position);   // "Резкость 0%"
std::string BrightnessLabel(int position);  // "Яркость -100%"
std::string ContrastLabel(int position);    // "Контрастность 0%"

// "Черно-белое" (btn2): BwMode 1, ShownBitmap := BaseBitmap thresholded at t.
void ThresholdCommand(Workspace& ws, int threshold);
// "Точками" (btn3): BwMode 2, EffectApplied true, ShownBitmap := BaseBitmap dithered.
void DitherCommand(Workspace& ws);
// The threshold slider after its label: re-runs the conversion BwMode names. True when the
// picture was rebuilt (the window then refreshes the preview).
bool ThresholdSliderMoved(Workspace& ws, int threshold);

enum class ToneSlider { Sharpness, Brightness, Contrast };
// A tone slider's change: false (nothing changed, label kept) while EffectApplied is true or
// BwMode is 1; otherwise ShownBitmap := BaseBitmap with that one filter, true (the window then
// refreshes and sets the label).
bool ToneSliderMoved(Workspace& ws, ToneSlider slider, int position);

// "Применить" after OK: ShownBitmap into BaseBitmap, BaseBitmap into ShownBitmap, BasePixels
// attached. (The window then resets the sliders, refreshes, and sets MouseTool 6 either way.)
void ApplyShown(Workspace& ws);

// The dot-pattern effects: EffectApplied true, ShownBitmap := BaseBitmap converted.
void RandomThresholdCommand(Workspace& ws);   // N6 "Точечный мутно"
void RandomDitherCommand(Workspace& ws);      // N7 "Точечный разброс"
void CrossCommand(Workspace& ws, int number); // N11, N21, N31, N41: "Крестик 1" .. "Крестик 4"

// The texture effects: the result becomes BaseBitmap and ShownBitmap.
void ScatterCommand(Workspace& ws, int reach);  // N15 reach 2, N16 reach 5 (rx = ry = reach)
void MosaicCommand(Workspace& ws);              // N18, 6 x 6 blocks

}  // namespace skelda
