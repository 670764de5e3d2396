// The burn picture and job time of the program the G-code command would write now, for the
// window's "Просмотр прожига" and skelda-cli's --preview and --estimate alike.
#pragma once

#include "core/bitmap.h"
#include "core/quick_pixels.h"
#include "gcode/gcode_settings.h"
#include "gcode/test_grid.h"
#include "simulation/burn_picture.h"
#include "simulation/motion_settings.h"
#include "simulation/program_reader.h"

namespace skelda {

struct ProgramPreview {
  BurnPicture picture;  // on the picture's own grid
  double seconds = 0;
  double linkSeconds = 0;  // of those, waiting for the serial line
};

// What the reader takes to follow the program written for the picture `pixels` is attached to:
// the picture's own grid, its full power and the motion settings.
SimulationSettings PreviewSettings(const TQuickPixels& pixels, const GcodeSettings& settings,
                                   const MotionSettings& motion);

// Writes the program for the picture `pixels` is attached to straight into the simulator;
// nothing is written anywhere and the picture is only read. Throws the writer's refusals.
ProgramPreview PreviewProgram(TQuickPixels& pixels, const GcodeSettings& settings,
                              const MotionSettings& motion);

// The same for a material test grid; its picture starts at X0 Y0 and reaches its furthest dot.
ProgramPreview PreviewTestGrid(const TestGrid& grid, const MotionSettings& motion);

// The burn picture as a 32-bit bitmap, gray where burnt, top row first.
Bitmap BurnBitmap(const BurnPicture& picture);

}  // namespace skelda
