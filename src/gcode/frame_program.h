// The framing program: the outline of the job, traced once so that the material can be placed
// under it before anything burns.
//
// The outline is the rectangle from (0, 0) to (W × d, H × interval) in the engraving program's own
// coordinates (the picture as it will be written, after its mirror and rotation), traced
// counter-clockwise from the origin and back to it. An overscan widens the rows' runs, not the
// picture, so the frame never includes it.
//
// Classic machine (rapid moves only, CR LF):
//   % / G90 / G0X0Y0 / G0X<W × d> / G0Y<H × d> / G0X0 / G0X0Y0 / M2 / %
// GRBL machine, frame power 0: G21 / G90 / M5 / G0 X0 Y0 / G0 X.. / G0 Y.. / G0 X0 / G0 Y0 / M2
// GRBL machine, frame power S > 0 (constant power, as a pointer diode wants it):
//   G21 / G90 / M5 / G0 X0 Y0 / G1 F<feed> / M3 S<S> / G1 X.. / G1 Y.. / G1 X0 / G1 Y0 / M5 / M2
#pragma once

#include <string>

#include "gcode/gcode_settings.h"
#include "gcode/gcode_sink.h"

namespace skelda {

class FrameProgram {
 public:
  // Checks the dot size, the machine profile, the frame power (0 .. the maximum power, and 0
  // for the classic machine, which has no power word) and the reach, before a byte is written.
  FrameProgram(int widthDots, int heightDots, const GcodeSettings& settings, int framePower);

  const std::string& Text() const { return text_; }
  void Write(GcodeSink& sink) const { sink.Write(text_.data(), text_.size()); }

 private:
  std::string text_;
};

// The frame power's refusals alone, for a caller that checks before any picture work.
void CheckFramePower(const GcodeSettings& settings, int framePower);

// The window's closing message: the file and the frame's size in mm, the rows `lineInterval`
// apart (0: the dot size).
std::string FrameReport(const std::string& chosenNameWithoutFolder, int widthDots, int heightDots,
                        double dot, double lineInterval = 0);

// Into exactly `path` through the atomic file writer.
void WriteFrameProgramFile(const FrameProgram& frame, const std::string& path);

}  // namespace skelda
