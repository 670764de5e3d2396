#include "gcode/frame_program.h"

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "gcode/coordinate_text.h"
#include "gcode/grbl_number.h"
#include "gcode/grbl_writer.h"

namespace skelda {

namespace {

std::string ClassicFrame(int width, int height, double dot) {
  const std::string x = std::string(CoordinateTexts(dot, width)[width]);
  const std::string y = std::string(CoordinateTexts(dot, height)[height]);
  return "%\r\nG90\r\nG0X0Y0\r\nG0X" + x + "\r\nG0Y" + y + "\r\nG0X0\r\nG0X0Y0\r\nM2\r\n%\r\n";
}

// The same products the row raster writes, so that the corners match its edges exactly.
std::string GrblCorner(int count, double dot) {
  const long long v = ToThousandths(static_cast<long double>(count) * dot);
  if (v >= kGrblLimitThousandths) {
    throw Error("The program would reach " + ThousandthsText(v) +
                " mm, beyond the 99999.999 mm a GRBL program can hold");
  }
  return ThousandthsText(v);
}

std::string GrblFrame(int width, int height, const GcodeSettings& s, int power) {
  const std::string x = GrblCorner(width, s.dot);
  const std::string y = GrblCorner(height, LineInterval(s));
  const std::string move = power > 0 ? "G1" : "G0";
  std::string text = "G21\nG90\nM5\nG0 X0 Y0\n";
  if (power > 0) text += "G1 F" + std::to_string(s.feed) + "\nM3 S" + std::to_string(power) + "\n";
  text += move + " X" + x + "\n" + move + " Y" + y + "\n" + move + " X0\n" + move + " Y0\n";
  return text + (power > 0 ? "M5\nM2\n" : "M2\n");
}

}  // namespace

void CheckFramePower(const GcodeSettings& settings, int framePower) {
  if (settings.machine.machine == Machine::Classic) {
    if (framePower != 0) {
      throw Error("The classic machine frames with rapid moves only; a frame power needs GRBL");
    }
    return;
  }
  GcodeSettings lines = settings;  // a frame has no dwell, whatever the mode
  lines.lineMode = true;
  CheckGrblSettings(lines);
  if (framePower < 0 || framePower > settings.machine.maxPower) {
    throw Error("The frame power " + std::to_string(framePower) + " is outside 0 .. " +
                std::to_string(settings.machine.maxPower) + ", the maximum power");
  }
  if (framePower > 0 && settings.feed <= 0) {
    throw Error("The feed " + std::to_string(settings.feed) + " must be above 0 to frame");
  }
}

FrameProgram::FrameProgram(int widthDots, int heightDots, const GcodeSettings& settings,
                           int framePower) {
  CheckDotSize(settings.dot, FloatToStr(settings.dot));
  CheckFramePower(settings, framePower);
  text_ = settings.machine.machine == Machine::Classic
              ? ClassicFrame(widthDots, heightDots, settings.dot)
              : GrblFrame(widthDots, heightDots, settings, framePower);
}

std::string FrameReport(const std::string& chosenNameWithoutFolder, int widthDots, int heightDots,
                        double dot, double lineInterval) {
  return "Программа рамки " + chosenNameWithoutFolder + ".nc успешно создана !\r\n" +
         "Рамка: " + CoordinateText(widthDots, dot) + " x " +
         CoordinateText(heightDots, lineInterval > 0 ? lineInterval : dot) + " мм от точки X0 Y0.";
}

void WriteFrameProgramFile(const FrameProgram& frame, const std::string& path) {
  AtomicFileWriter file(path);
  AtomicFileSink sink(file);
  frame.Write(sink);
  file.Commit();
}

}  // namespace skelda
