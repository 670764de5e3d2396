#include "gcode/gcode_writer.h"

#include <ostream>

#include "core/atomic_file.h"
#include "core/color.h"
#include "core/errors.h"
#include "core/numbers.h"

namespace skelda {

namespace {

constexpr std::string_view kLineFooter = "M5\r\nG0X0Y0\r\nM2\r\n%\r\n";
constexpr std::string_view kDotFooter = "X0Y0\r\nM2\r\n%\r\n";
constexpr std::string_view kLaserOff = "M5\r\n";

void Put(BufferedOutput& out, const LineSlots& slots, int k) {
  out.PutSlot(slots.Slot(k), slots.SlotWidth(), slots.Length(k));
}

}  // namespace

GcodeWriter::GcodeWriter(TQuickPixels& pixels, const GcodeSettings& settings)
    : getPixel_(pixels.GetPixel),
      width_(pixels.Width),
      height_(pixels.Height),
      settings_(settings) {
  if (getPixel_.code == nullptr) throw Error("The picture is not attached to a pixel accessor");
  CheckDotSize(settings.dot, FloatToStr(settings.dot));
  if (settings.machine.machine == Machine::Grbl) {
    grbl_ = std::make_unique<const GrblWriter>(pixels, settings);
    return;
  }
  const CoordinateTexts columns(settings.dot, width_);
  const CoordinateTexts rows(settings.dot, height_);
  if (settings.lineMode) {
    enter_ = LineSlots(columns, "G0X", "\r\nM3\r\n");
    leave_ = LineSlots(columns, "G1X", "\r\nM5\r\n");
    nextRow_ = LineSlots(rows, "G0Y", "\r\n");
  } else {
    dot_ = LineSlots(columns, "X", "\r\n");
    nextRow_ = LineSlots(rows, "Y", "\r\n");
  }
}

std::uint64_t GcodeWriter::Write(GcodeSink& sink, XRange* grblRange) const {
  if (grbl_) {
    const GrblResult result = grbl_->Write(sink);
    if (grblRange != nullptr) *grblRange = result.range;
    return result.count;
  }
  BufferedOutput out(sink);
  const std::uint64_t count = settings_.lineMode ? WriteLineMode(out) : WriteDotMode(out);
  out.Flush();
  return count;
}

std::uint64_t GcodeWriter::WriteLineMode(BufferedOutput& out) const {
  out.Put("%\r\nG90\r\nG0X0Y0\r\nG1F" + std::to_string(settings_.feed) + "\r\n");
  std::uint64_t count = 0;
  for (int k = 1; k <= height_; ++k) {
    const bool forward = k % 2 == 1;
    const int y = height_ - k;
    const PassEnd end = forward ? ForwardLinePass(out, y, count) : ReverseLinePass(out, y, count);
    if (end == PassEnd::InRun) {
      Put(out, leave_, forward ? width_ : 0);
      ++count;
    } else if (end == PassEnd::Off) {
      out.Put(kLaserOff);
    }
    Put(out, nextRow_, k);
  }
  out.Put(kLineFooter);
  return count;
}

// A run is entered where its first black column begins and left where its last one ends.
GcodeWriter::PassEnd GcodeWriter::ForwardLinePass(BufferedOutput& out, int y,
                                                  std::uint64_t& count) const {
  const TGetPixel get = getPixel_;
  bool inRun = false;
  bool wrote = false;
  for (int c = 0; c < width_; ++c) {
    const bool black = get(c, y) == kBlack;
    if (black != inRun) {
      Put(out, black ? enter_ : leave_, c);
      ++count;
      inRun = black;
      wrote = true;
    }
  }
  return inRun ? PassEnd::InRun : wrote ? PassEnd::Off : PassEnd::Silent;
}

// Walking left, column c's dot begins at its right edge, (c + 1) × d.
GcodeWriter::PassEnd GcodeWriter::ReverseLinePass(BufferedOutput& out, int y,
                                                  std::uint64_t& count) const {
  const TGetPixel get = getPixel_;
  bool inRun = false;
  bool wrote = false;
  for (int c = width_ - 1; c >= 0; --c) {
    const bool black = get(c, y) == kBlack;
    if (black != inRun) {
      Put(out, black ? enter_ : leave_, c + 1);
      ++count;
      inRun = black;
      wrote = true;
    }
  }
  return inRun ? PassEnd::InRun : wrote ? PassEnd::Off : PassEnd::Silent;
}

std::uint64_t GcodeWriter::WriteDotMode(BufferedOutput& out) const {
  out.Put("%\r\nG0X0Y0\r\nG5P" + settings_.burnTime + "\r\nM40\r\n");
  std::uint64_t count = 0;
  for (int k = 1; k <= height_; ++k) {
    const int y = height_ - k;
    if (k % 2 == 1) {
      ForwardDotPass(out, y, count);
    } else {
      ReverseDotPass(out, y, count);
    }
    Put(out, nextRow_, k);
  }
  out.Put(kDotFooter);
  return count;
}

void GcodeWriter::ForwardDotPass(BufferedOutput& out, int y, std::uint64_t& count) const {
  const TGetPixel get = getPixel_;
  for (int c = 0; c < width_; ++c) {
    if (get(c, y) == kBlack) {
      Put(out, dot_, c);
      ++count;
    }
  }
}

void GcodeWriter::ReverseDotPass(BufferedOutput& out, int y, std::uint64_t& count) const {
  const TGetPixel get = getPixel_;
  for (int c = width_ - 1; c >= 0; --c) {
    if (get(c, y) == kBlack) {
      Put(out, dot_, c);
      ++count;
    }
  }
}

std::uint64_t WriteGcodeProgram(TQuickPixels& pixels, const GcodeSettings& settings,
                                GcodeSink& sink) {
  return GcodeWriter(pixels, settings).Write(sink);
}

std::uint64_t WriteGcodeProgram(TQuickPixels& pixels, const GcodeSettings& settings,
                                std::ostream& out, const std::string& name) {
  StreamSink sink(out, name);
  return WriteGcodeProgram(pixels, settings, sink);
}

std::uint64_t WriteGcodeProgramFile(TQuickPixels& pixels, const GcodeSettings& settings,
                                    const std::string& path, XRange* grblRange) {
  const GcodeWriter writer(pixels, settings);
  AtomicFileWriter file(path);
  AtomicFileSink sink(file);
  const std::uint64_t count = writer.Write(sink, grblRange);
  file.Commit();
  return count;
}

}  // namespace skelda
