#include "cli/cli_simulation.h"

#include "cli/distinct_files.h"
#include "core/atomic_file.h"
#include "core/numbers.h"
#include "gcode/gcode_command.h"
#include "gcode/gcode_settings.h"
#include "simulation/gray_png.h"
#include "simulation/program_file.h"
#include "simulation/program_preview.h"

namespace skelda::cli {

namespace {

// A picture needs at least one dot: a program that burns nothing previews as one white dot.
std::vector<std::uint8_t> Png(const BurnPicture& picture) {
  if (picture.Width() == 0 || picture.Height() == 0) {
    const std::uint8_t white = 255;
    return EncodeGrayPng(1, 1, &white);
  }
  // Row by row: a copy of the whole picture would double the memory a large one takes.
  const GrayRowSource row = [](const void* context, int r, std::uint8_t* out) {
    static_cast<const BurnPicture*>(context)->GrayRow(r, out);
  };
  return EncodeGrayPng(picture.Width(), picture.Height(), row, &picture);
}

}  // namespace

ProgramFollower::ProgramFollower(const TQuickPixels& pixels, const GcodeSettings& settings,
                                 const Options& o)
    : o_(o) {
  if (!o.preview && !o.estimate) return;
  SimulationSettings s = PreviewSettings(pixels, settings, o.motion);
  s.withTime = o.estimate;
  reader_.emplace(s);
}

GcodeSink& ProgramFollower::Tee(GcodeSink& out) {
  if (!reader_) return out;
  follow_.emplace(*reader_);
  tee_.emplace(out, *follow_);
  return *tee_;
}

std::optional<double> ProgramFollower::Seconds() {
  if (!reader_ || !o_.estimate) return std::nullopt;
  if (!finished_) reader_->Finish();
  finished_ = true;
  return reader_->Seconds();
}

std::vector<std::uint8_t> ProgramFollower::Png() {
  if (!reader_ || !o_.preview) return {};
  if (!finished_) reader_->Finish();
  finished_ = true;
  return cli::Png(reader_->Picture());
}

SimulationResult RunSimulation(const Options& o) {
  const double dot = StrToDouble(o.dotText);
  CheckDotSize(dot, o.dotText);
  CheckFilesAreDistinct(o, "-");
  SimulationSettings settings;
  settings.dot = dot;
  settings.maxPower =
      ParseMachineProfile(Machine::Grbl, o.powerText, "0", "0", false, "0", false).maxPower;
  settings.motion = o.motion;
  MachineProfile rows;
  ParseToneAndInterval(rows, "1", o.lineIntervalText);
  settings.rowPitch = rows.lineIntervalMm;
  ProgramReader reader(settings);
  SimulateFile(reader, *o.simulate);
  if (o.preview) {
    const std::vector<std::uint8_t> png = Png(reader.Picture());
    WriteFileAtomically(*o.preview, png.data(), png.size());
  }
  SimulationResult r;
  r.program = *o.simulate;
  r.lines = reader.Lines();
  r.widthDots = reader.Picture().Width();
  r.heightDots = reader.Picture().Height();
  r.seconds = reader.Seconds();
  r.linkSeconds = reader.LinkSeconds();
  return r;
}

std::string SimulationSummary(const SimulationResult& r, const Options& o) {
  return "simulated: " + r.program + "\n" +                    //
         "program lines: " + std::to_string(r.lines) + "\n" +  //
         "burnt: " + std::to_string(r.widthDots) + " x " + std::to_string(r.heightDots) +
         " dots of " + o.dotText + " mm\n" +                   //
         (o.preview ? "preview: " + *o.preview + "\n" : "") +  //
         "job time: " + JobTimeText(r.seconds, r.linkSeconds, o.motion.baud) + "\n";
}

}  // namespace skelda::cli
