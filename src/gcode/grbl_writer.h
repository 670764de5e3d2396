// The program for a GRBL 1.1 controller in laser mode ($32=1), for the picture a TQuickPixels
// is attached to. Lines end with "\n" alone: GRBL ends a line at either CR or LF, so a CRLF
// would be an extra empty line answered with an extra "ok". Numbers have at most three decimals
// and no exponent; there are no "%" lines, no G5 and no M40, which GRBL refuses.
//
// Line mode:
//   G21 / G90 / M5 / M4 S0 / G1 F<feed>     millimetres, absolute, dynamic power, the feed
//   for each row from the bottom up that has a burning dot, one pass (see grbl_raster.h):
//     left to right and right to left in turn from one burning row to the next, or always
//     left to right with one-way scanning; rows without a burning dot are skipped
//   M5 / G0 X0 Y0 / M2
// A column burns at the maximum power when its pixel is black (colour exactly 0); with
// grayscale power, every pixel at round(min + (max - min) × t^gamma), t = (255 - gray) / 255,
// gray being (76 R + 151 G + 29 B) / 256, then, with fewer than 256 power levels, rounded to
// the nearest of them.
// Rows lie the line interval apart (Y = k × interval, the dot size unless set).
//
// Dot mode (constant power, each dot at the centre of its cell, ((c + ½) × d, (k + ½) × interval)):
//   G21 / G90 / M5 / G1 F<feed>             GRBL refuses a G1 without a known feed
//   for each black dot, rows from the bottom up, in alternating direction:
//     G0 X<x> Y<y> (a word left out when unchanged) / G1 / M3 S<max> / G4 P<seconds> / M5
//   G0 X0 Y0 / M2
// The G1 without a move only selects the feed motion mode: in laser mode GRBL keeps the beam
// off while the motion mode is G0, so the dwell would burn nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "core/quick_pixels.h"
#include "gcode/gcode_settings.h"
#include "gcode/gcode_sink.h"
#include "gcode/grbl_raster.h"

namespace skelda {

struct GrblResult {
  std::uint64_t count = 0;  // burning moves (line mode) or dots (dot mode)
  XRange range;             // thousandths of a mm
};

class GrblWriter {
 public:
  // Checks the profile, the burn time (dot mode) and the picture's reach before a byte is
  // written. `pixels` must stay attached to the same picture until Write has run.
  GrblWriter(TQuickPixels& pixels, const GcodeSettings& settings);

  GrblResult Write(GcodeSink& sink) const;

 private:
  GrblResult WriteLineMode(BufferedOutput& out) const;
  GrblResult WriteDotMode(BufferedOutput& out) const;
  void RowLevels(int y, std::vector<std::uint8_t>& levels) const;

  TGetPixel getPixel_;
  const std::uint8_t* bits_;  // rows read straight from memory in 24- and 32-bit pictures
  std::int32_t rowStep_;
  int bitsPerPixel_;
  int width_;
  int height_;
  GcodeSettings settings_;
  std::string dwell_;      // "G4 P<seconds>\n"
  int palette_[256] = {};  // the power of each level of RowLevels
};

// What GrblWriter refuses of the settings alone (the profile, the burn time of dot mode), for
// the callers that check before they ask for a file name or touch the picture.
void CheckGrblSettings(const GcodeSettings& settings);

// The grayscale power of a gray value 0 .. 255, rounded half to even; gamma 1 is the straight
// line from maxPower (black) to minPower (white).
int GrayPower(int gray, int minPower, int maxPower, double gamma = 1);

// Burn time in milliseconds as the field holds it: a number from 0 up; otherwise the
// conversion error, or a clear refusal of a negative time.
double ParseBurnTimeMs(const std::string& text);

}  // namespace skelda
