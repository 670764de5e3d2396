#include "cli/cli_road.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "cli/cli_simulation.h"
#include "core/atomic_file.h"
#include "core/bmp_codec.h"
#include "core/errors.h"
#include "gcode/coordinate_text.h"
#include "gcode/gcode_command.h"
#include "gcode/gcode_writer.h"
#include "gcode/grbl_number.h"
#include "geometry/geometry_commands.h"
#include "intake/intake_commands.h"
#include "processing/processing_commands.h"
#include "simulation/program_file.h"

namespace skelda::cli {

namespace {

constexpr const char* kStandardOutput = "standard output";

void Load(Workspace& ws, const Options& o, const std::string& dotText) {
  ws.StartUp();
  if (!o.input) return;
  ReadPictureFile(ws, dotText, *o.input);
  BeginLoad(ws);
  FinishLoad(ws);
}

void Resample(Workspace& ws, const Options& o, const std::string& dotText) {
  if (o.widthMm) ResampleToWidth(ws, dotText, *o.widthMm);
  if (o.heightMm) ResampleToHeight(ws, dotText, *o.heightMm);
}

// A slider moved to its position, then "Применить", which sets it back to 0 again.
void AdjustTone(Workspace& ws, ToneSlider slider, int position) {
  if (position == 0) return;
  ToneSliderMoved(ws, slider, position);
  ApplyShown(ws);
  ToneSliderMoved(ws, slider, 0);
}

void ApplyTexture(Workspace& ws, Texture texture) {
  switch (texture) {
    case Texture::None:
      break;
    case Texture::Scatter:
      ScatterCommand(ws, 2);
      break;
    case Texture::FrostedGlass:
      ScatterCommand(ws, 5);
      break;
    case Texture::Mosaic:
      MosaicCommand(ws);
      break;
  }
}

void ApplyTurn(Workspace& ws, Turn turn) {
  switch (turn) {
    case Turn::MirrorX:
      MirrorCommand(ws, true);
      break;
    case Turn::MirrorY:
      MirrorCommand(ws, false);
      break;
    case Turn::RotateCw:
      RotateCommand(ws, 90.0);
      break;
    case Turn::RotateCcw:
      RotateCommand(ws, -90.0);
      break;
  }
}

void Convert(Workspace& ws, Conversion conversion, int threshold) {
  switch (conversion) {
    case Conversion::Threshold:
      ThresholdCommand(ws, threshold);
      break;
    case Conversion::Dither:
      DitherCommand(ws);
      break;
    case Conversion::Random:
      RandomThresholdCommand(ws);
      break;
    case Conversion::RandomDither:
      RandomDitherCommand(ws);
      break;
    case Conversion::Cross1:
      CrossCommand(ws, 1);
      break;
    case Conversion::Cross2:
      CrossCommand(ws, 2);
      break;
    case Conversion::Cross3:
      CrossCommand(ws, 3);
      break;
    case Conversion::Cross4:
      CrossCommand(ws, 4);
      break;
    case Conversion::None:
      break;
  }
}

// A picture file is never replaced by its own program.
void CheckOutputIsNotInput(const Options& o, const std::string& output) {
  std::error_code error;
  if (o.input && output != "-" && std::filesystem::equivalent(*o.input, output, error)) {
    throw Error("The program " + output + " would replace the picture " + *o.input +
                "; give another name with -o");
  }
}

// Both files are complete in their temporary places before either replaces anything.
std::uint64_t WriteOutputs(Workspace& ws, const Options& o, const GcodeSettings& settings,
                           const std::string& output, RoadResult& r) {
  CommitForGcode(ws);
  const GcodeWriter writer(ws.BasePixels, settings);
  const ProgramSimulation simulation = SimulateProgram(ws.BasePixels, settings, o);
  r.jobSeconds = simulation.seconds;
  std::unique_ptr<AtomicFileWriter> picture;
  if (o.saveBmp) {
    picture = std::make_unique<AtomicFileWriter>(*o.saveBmp);
    const std::vector<std::uint8_t> bytes = EncodeBmp(ws.ShownBitmap);
    picture->Write(bytes.data(), bytes.size());
  }
  std::uint64_t count = 0;
  if (output == "-") {
    FileDescriptorSink sink(STDOUT_FILENO, kStandardOutput);
    count = writer.Write(sink, &r.xRange);
  } else {
    AtomicFileWriter program(output);
    AtomicFileSink sink(program);
    count = writer.Write(sink, &r.xRange);
    program.Commit();
  }
  if (picture) picture->Commit();
  WritePreview(simulation, o);
  r.previewName = o.preview;
  return count;
}

}  // namespace

RoadResult RunRoad(const Options& o) {
  const auto start = std::chrono::steady_clock::now();
  const std::string dotText = o.dpiText ? DotForResolution(o.dotText, *o.dpiText) : o.dotText;
  const std::string output = OutputPath(o);
  // Everything the write step will read is checked before the first picture step.
  GcodeSettings settings = ParseGcodeSettings(dotText, o.lineMode, o.feedText, o.burnTime);
  if (o.grbl) {
    settings.machine = ParseMachineProfile(Machine::Grbl, o.powerText, o.minPowerText,
                                           o.overscanText, o.oneWay, o.scanOffsetText, o.grayscale);
    CheckGrblSettings(settings);
  }
  CheckOutputIsNotInput(o, output);

  Workspace ws;
  if (o.seed) ws.Random.Seed(*o.seed);
  Load(ws, o, dotText);
  Resample(ws, o, dotText);
  AdjustTone(ws, ToneSlider::Sharpness, o.sharpen);
  AdjustTone(ws, ToneSlider::Brightness, o.brightness);
  AdjustTone(ws, ToneSlider::Contrast, o.contrast);
  ApplyTexture(ws, o.texture);
  for (const Turn turn : o.turns) ApplyTurn(ws, turn);
  Convert(ws, o.conversion, o.threshold);
  if (o.invert) InvertCommand(ws);

  RoadResult r;
  r.count = WriteOutputs(ws, o, settings, output, r);
  r.outputName = output == "-" ? kStandardOutput : output;
  r.widthDots = ws.BaseBitmap.Width();
  r.heightDots = ws.BaseBitmap.Height();
  r.widthMm = CoordinateText(r.widthDots, settings.dot);
  r.heightMm = CoordinateText(r.heightDots, settings.dot);
  r.lineMode = o.lineMode;
  r.grbl = o.grbl;
  r.elapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::steady_clock::now() - start)
                    .count();
  return r;
}

std::string Summary(const RoadResult& r) {
  const std::string count = std::to_string(r.count);
  std::string grbl;
  if (r.grbl) {
    grbl = "x range: " + ThousandthsText(r.xRange.low) + " to " + ThousandthsText(r.xRange.high) +
           " mm\n";
    if (!r.lineMode) {
      grbl += "note: GRBL dwells in steps of 50 ms, so dot mode suits small or sparse pictures (" +
              count + " dots; --lines burns rows)\n";
    }
  }
  return "written: " + r.outputName + "\n" +                                                 //
         "picture: " + std::to_string(r.widthDots) + " x " + std::to_string(r.heightDots) +  //
         " dots, " + r.widthMm + " x " + r.heightMm + " mm\n" +                              //
         "mode: " + (r.lineMode ? "lines" : "dots") + (r.grbl ? ", grbl" : "") + "\n" +      //
         (r.lineMode ? (r.grbl ? "burning moves: " : "black lines: ") : "black dots: ") +    //
         count + "\n" + grbl + "time: " + std::to_string(r.elapsedMs) + " ms\n" +            //
         (r.previewName ? "preview: " + *r.previewName + "\n" : "") +                        //
         (r.jobSeconds ? "job time: " + JobTimeText(*r.jobSeconds) + "\n" : "");
}

}  // namespace skelda::cli
