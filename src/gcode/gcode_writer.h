// The program text of both modes for the picture a TQuickPixels is attached to.
//
// The picture is scanned from its bottom row up, one pass per row, forward (columns 0 .. W-1)
// and reverse (W-1 .. 0) in turn, each pass starting at the column where the one before ended.
// A dot of column c covers c × d .. (c + 1) × d. Line mode burns a run of black columns
// a .. b from a × d to (b + 1) × d in both directions: a forward pass enters it at a × d and
// leaves at (b + 1) × d, a reverse pass enters at (b + 1) × d and leaves at a × d, and a run
// that reaches the end of a pass is left at the picture's edge (W × d forward, 0 reverse).
// Dot mode writes the X of every black dot, column × d, in either direction.
// For the GRBL machine the writer hands the whole program to GrblWriter (grbl_writer.h).
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

#include "core/quick_pixels.h"
#include "gcode/coordinate_text.h"
#include "gcode/gcode_settings.h"
#include "gcode/gcode_sink.h"
#include "gcode/grbl_writer.h"

namespace skelda {

class GcodeWriter {
 public:
  // Checks the dot size and the picture's reach and formats every coordinate text, so that
  // everything that can be refused is refused before a byte is written. `pixels` must stay
  // attached to the same picture until Write has run.
  GcodeWriter(TQuickPixels& pixels, const GcodeSettings& settings);

  // The whole program; returns the count of black lines (line mode) or black dots (dot mode),
  // for the GRBL machine of burning moves or dots. `grblRange`, if given, receives the X range
  // a GRBL program moves in (it is left alone for the classic machine).
  std::uint64_t Write(GcodeSink& sink, XRange* grblRange = nullptr) const;

 private:
  enum class PassEnd { Silent, Off, InRun };

  std::uint64_t WriteLineMode(BufferedOutput& out) const;
  std::uint64_t WriteDotMode(BufferedOutput& out) const;
  PassEnd ForwardLinePass(BufferedOutput& out, int y, std::uint64_t& count) const;
  PassEnd ReverseLinePass(BufferedOutput& out, int y, std::uint64_t& count) const;
  void ForwardDotPass(BufferedOutput& out, int y, std::uint64_t& count) const;
  void ReverseDotPass(BufferedOutput& out, int y, std::uint64_t& count) const;

  TGetPixel getPixel_;
  int width_;
  int height_;
  GcodeSettings settings_;
  LineSlots enter_;    // "G0X<x>", "M3"   (line mode)
  LineSlots leave_;    // "G1X<x>", "M5"   (line mode)
  LineSlots dot_;      // "X<x>"           (dot mode)
  LineSlots nextRow_;  // "G0Y<y>" in line mode, "Y<y>" in dot mode
  std::unique_ptr<const GrblWriter> grbl_;
};

std::uint64_t WriteGcodeProgram(TQuickPixels& pixels, const GcodeSettings& settings,
                                GcodeSink& sink);
// Into a stream; throws WriteFileError naming `name` when the stream fails.
std::uint64_t WriteGcodeProgram(TQuickPixels& pixels, const GcodeSettings& settings,
                                std::ostream& out, const std::string& name = "<stream>");
// Into exactly `path` through the atomic file writer: the file is created only after every
// check has passed and replaces an existing one only when complete.
std::uint64_t WriteGcodeProgramFile(TQuickPixels& pixels, const GcodeSettings& settings,
                                    const std::string& path, XRange* grblRange = nullptr);

}  // namespace skelda
