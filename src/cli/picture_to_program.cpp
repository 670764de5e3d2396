#include "cli/picture_to_program.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <utility>

#include "cli/cli_simulation.h"
#include "cli/distinct_files.h"
#include "core/atomic_file.h"
#include "core/bmp_writer.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "gcode/coordinate_text.h"
#include "gcode/frame_program.h"
#include "gcode/gcode_command.h"
#include "gcode/gcode_writer.h"
#include "gcode/grbl_number.h"
#include "geometry/geometry_commands.h"
#include "intake/intake_commands.h"
#include "intake/png_writer.h"
#include "processing/processing_commands.h"
#include "simulation/program_file.h"

namespace skelda::cli {

namespace {

constexpr const char* kStandardOutput = "standard output";

// Conversion::Atkinson .. Conversion::Bayer8, in order.
constexpr DotMethod kDotMethods[] = {
    DotMethod::Atkinson, DotMethod::JarvisJudiceNinke, DotMethod::Stucki,     DotMethod::Burkes,
    DotMethod::Sierra,   DotMethod::TwoRowSierra,      DotMethod::SierraLite, DotMethod::Bayer8};

void Load(Workspace& ws, const Options& o, const std::string& dotText) {
  ws.StartUp();
  if (!o.input) return;
  ReadPictureFile(ws, dotText, *o.input, !o.keepOrientation);
  BeginLoad(ws);
  FinishLoad(ws);
}

// Each resample is followed by the check of the new size's reach, before the slow steps.
void Resample(Workspace& ws, const Options& o, const std::string& dotText,
              const GcodeSettings& settings) {
  if (o.widthMm) ResampleToWidth(ws, dotText, *o.widthMm, LineInterval(settings));
  if (o.heightMm) ResampleToHeight(ws, dotText, *o.heightMm, LineInterval(settings));
  CheckPictureReach(ws, settings.dot);
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

void Convert(Workspace& ws, const Options& o, double dot) {
  const Conversion conversion = o.conversion;
  ws.Serpentine = o.serpentine;
  if (conversion == Conversion::Halftone) {
    HalftoneCommand(ws, {o.cellsPerInch, o.screenAngle}, dot);
    return;
  }
  if (conversion >= Conversion::Atkinson) {
    DotMethodCommand(
        ws, kDotMethods[static_cast<int>(conversion) - static_cast<int>(Conversion::Atkinson)]);
    return;
  }
  switch (conversion) {
    case Conversion::Threshold:
      ThresholdCommand(ws, o.threshold);
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
    default:  // the other dot methods, above
      break;
  }
}

// Every file is complete in its temporary place, and every target checked, before any
// replaces anything.
std::uint64_t WriteOutputs(Workspace& ws, const Options& o, const GcodeSettings& settings,
                           const GcodeSettings& frameSettings, int framePower,
                           const std::string& output, RoadResult& r) {
  CommitForGcode(ws);
  const GcodeWriter writer(ws.BasePixels, settings);
  ProgramFollower follower(ws.BasePixels, settings, o);
  std::unique_ptr<AtomicFileWriter> frame;
  if (o.frame) {
    const FrameProgram program(ws.BaseBitmap.Width(), ws.BaseBitmap.Height(), frameSettings,
                               framePower);
    frame = std::make_unique<AtomicFileWriter>(*o.frame);
    frame->Write(program.Text());
  }
  std::unique_ptr<AtomicFileWriter> picture;
  if (o.saveBmp) {
    picture = std::make_unique<AtomicFileWriter>(*o.saveBmp);
    const std::vector<std::uint8_t> bytes = EncodeBmp(ws.ShownBitmap);
    picture->Write(bytes.data(), bytes.size());
  }
  std::unique_ptr<AtomicFileWriter> png;
  if (o.savePng) {
    png = std::make_unique<AtomicFileWriter>(*o.savePng);
    const std::vector<std::uint8_t> bytes = EncodePicturePng(ws.ShownBitmap);
    png->Write(bytes.data(), bytes.size());
  }
  std::unique_ptr<AtomicFileWriter> preview;
  // The preview is known once the program is written: written and finished then, before any
  // file replaces another.
  const auto finishPreview = [&] {
    r.jobSeconds = follower.Seconds();
    r.linkSeconds = follower.LinkSeconds();
    r.baud = o.motion.baud;
    if (!o.preview) return;
    preview = std::make_unique<AtomicFileWriter>(*o.preview);
    const std::vector<std::uint8_t> png = follower.Png();
    preview->Write(png.data(), png.size());
    preview->Finish();
  };
  std::uint64_t count = 0;
  if (output == "-") {
    if (picture) picture->Finish();
    if (png) png->Finish();
    if (frame) frame->Finish();
    FileDescriptorSink sink(STDOUT_FILENO, kStandardOutput);
    count = writer.Write(follower.Tee(sink), &r.xRange);
    finishPreview();
  } else {
    AtomicFileWriter program(output);
    AtomicFileSink sink(program);
    count = writer.Write(follower.Tee(sink), &r.xRange);
    finishPreview();
    program.Finish();
    if (picture) picture->Finish();
    if (png) png->Finish();
    if (frame) frame->Finish();
    program.Commit();
  }
  if (picture) picture->Commit();
  if (png) png->Commit();
  if (frame) frame->Commit();
  if (preview) preview->Commit();
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
    ParseRasterSettings(settings.machine, o.levelsText, o.rapidGapText);
    ParseToneAndInterval(settings.machine, o.gammaText, o.lineIntervalText);
    CheckGrblSettings(settings);
  }
  GcodeSettings frameSettings = settings;
  const int framePower = StrToInt(o.framePowerText);
  if (framePower > 0) frameSettings.feed = StrToInt(o.feedText);
  CheckFramePower(frameSettings, framePower);
  CheckFilesAreDistinct(o, output);

  Workspace ws;
  if (o.seed) ws.Random.SeedFixed(*o.seed);
  Load(ws, o, dotText);
  CheckPictureReach(ws, settings.dot);
  Resample(ws, o, dotText, settings);
  AdjustTone(ws, ToneSlider::Sharpness, o.sharpen);
  AdjustTone(ws, ToneSlider::Brightness, o.brightness);
  AdjustTone(ws, ToneSlider::Contrast, o.contrast);
  ApplyTexture(ws, o.texture);
  for (const Turn turn : o.turns) ApplyTurn(ws, turn);
  Convert(ws, o, settings.dot);
  if (o.invert) InvertCommand(ws);

  RoadResult r;
  r.count = WriteOutputs(ws, o, settings, frameSettings, framePower, output, r);
  r.frameName = o.frame.value_or("");
  r.framePower = framePower;
  r.outputName = output == "-" ? kStandardOutput : output;
  r.widthDots = ws.BaseBitmap.Width();
  r.heightDots = ws.BaseBitmap.Height();
  r.widthMm = CoordinateText(r.widthDots, settings.dot);
  r.heightMm = CoordinateText(r.heightDots, LineInterval(settings));
  r.lineMode = o.lineMode;
  r.grbl = o.grbl;
  r.elapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::steady_clock::now() - start)
                    .count();
  return r;
}

namespace {

std::string FrameLine(const RoadResult& r) {
  if (r.frameName.empty()) return "";
  return "frame: " + r.frameName + ", " + r.widthMm + " x " + r.heightMm + " mm from X0 Y0, " +
         (r.framePower > 0 ? "at S" + std::to_string(r.framePower) : "laser off") + "\n";
}

}  // namespace

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
  return "written: " + r.outputName + "\n" +                                                      //
         "picture: " + std::to_string(r.widthDots) + " x " + std::to_string(r.heightDots) +       //
         " dots, " + r.widthMm + " x " + r.heightMm + " mm\n" +                                   //
         "mode: " + (r.lineMode ? "lines" : "dots") + (r.grbl ? ", grbl" : ", classic") + "\n" +  //
         (r.lineMode ? (r.grbl ? "burning moves: " : "black lines: ") : "black dots: ") +         //
         count + "\n" + grbl + FrameLine(r) + "time: " + std::to_string(r.elapsedMs) + " ms\n" +
         (r.previewName ? "preview: " + *r.previewName + "\n" : "") +  //
         (r.jobSeconds ? "job time: " + JobTimeText(*r.jobSeconds, r.linkSeconds, r.baud) + "\n"
                       : "");
}

}  // namespace skelda::cli
