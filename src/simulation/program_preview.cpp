#include "simulation/program_preview.h"

#include <algorithm>

#include "gcode/gcode_writer.h"
#include "simulation/program_reader.h"
#include "simulation/simulation_sink.h"

namespace skelda {

namespace {

// Runs `write` (which writes a whole program into the sink it is given) through the reader.
template <typename Write>
ProgramPreview Simulate(const SimulationSettings& settings, const Write& write) {
  ProgramReader reader(settings);
  SimulationSink sink(reader);
  write(sink);
  reader.Finish();
  return {reader.Picture(), reader.Seconds(), reader.LinkSeconds()};
}

}  // namespace

SimulationSettings PreviewSettings(const TQuickPixels& pixels, const GcodeSettings& settings,
                                   const MotionSettings& motion) {
  SimulationSettings s{settings.dot, pixels.Width, pixels.Height, double(settings.machine.maxPower),
                       motion};
  s.rowPitch = LineInterval(settings);
  return s;
}

ProgramPreview PreviewProgram(TQuickPixels& pixels, const GcodeSettings& settings,
                              const MotionSettings& motion) {
  const GcodeWriter writer(pixels, settings);
  return Simulate(PreviewSettings(pixels, settings, motion),
                  [&](GcodeSink& sink) { writer.Write(sink); });
}

ProgramPreview PreviewTestGrid(const TestGrid& grid, const MotionSettings& motion) {
  SimulationSettings s{grid.Settings().dot, 0, 0, double(grid.Settings().machine.maxPower), motion};
  return Simulate(s, [&](GcodeSink& sink) { grid.Write(sink); });
}

Bitmap BurnBitmap(const BurnPicture& picture) {
  const int width = std::max(picture.Width(), 1);
  const int height = std::max(picture.Height(), 1);
  Bitmap bitmap(width, height, PixelFormat::Bit32);
  const std::vector<std::uint8_t> gray = picture.GrayRows();
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t g =
          gray.empty() ? 255
                       : gray[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x];
      row[4 * x] = row[4 * x + 1] = row[4 * x + 2] = g;
      row[4 * x + 3] = 0;
    }
  }
  return bitmap;
}

}  // namespace skelda
