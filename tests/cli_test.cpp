// skelda-cli end to end: pictures made here, the program run as a user runs it, the G-code
// compared line by line with the text worked out by hand.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/bmp_reader.h"
#include "core/bmp_writer.h"
#include "gcode/gcode_command.h"
#include "gcode/test_grid.h"
#include "gcode_test_support.h"
#include "geometry/geometry_commands.h"
#include "intake/intake_commands.h"
#include "intake_test_support.h"
#include "processing/processing_commands.h"
#include "simulation/gray_png.h"
#include "support/bitmap_assert.h"
#include "support/temp_dir.h"

extern char** environ;

namespace skelda {
namespace {

namespace fs = std::filesystem;
using testing::DrawPicture;
using testing::ProgramLines;

using testing::ReadAll;
using testing::TempDir;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs skelda-cli with its standard output and error caught in files outside `dir`; through
// `shell`, a sh -c script that runs "$0" "$@", when one is given.
// A workspace holding the picture as the window's load leaves it.
void LoadAsTheWindowDoes(Workspace& ws, const std::string& dot, const std::string& picture) {
  ws.StartUp();
  ReadPictureFile(ws, dot, picture);
  BeginLoad(ws);
  FinishLoad(ws);
}

CliRun RunCli(const std::vector<std::string>& args, const std::string& shell = "") {
  static int serial = 0;
  const std::string base =
      (fs::temp_directory_path() /
       ("skelda-cli-run-" + std::to_string(::getpid()) + "-" + std::to_string(serial++)))
          .string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, (base + ".out").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, (base + ".err").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> all = {SKELDA_CLI};
  if (!shell.empty()) all = {"/bin/sh", "-c", shell, SKELDA_CLI};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  CliRun run;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = ReadAll(base + ".out");
  run.err = ReadAll(base + ".err");
  fs::remove(base + ".out");
  fs::remove(base + ".err");
  return run;
}

#define EXPECT_PROGRAM_FILE(path, ...) EXPECT_PROGRAM(ProgramLines(ReadAll(path)), __VA_ARGS__)

TEST(SkeldaCli, TheFifteenLineExampleFromABitmap) {
  TempDir dir;
  WriteBmpFile(DrawPicture({"....", "#..."}), dir / "pic.bmp");
  const CliRun run =
      RunCli({dir / "pic.bmp", "--convert", "threshold", "--dot", "0.5", "--lines", "-q"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out + run.err, "");
  EXPECT_EQ(dir.Files(), (std::vector<std::string>{"pic.bmp", "pic.nc"}));
  EXPECT_PROGRAM_FILE(dir / "pic.nc", "%", "G90", "G0X0Y0", "G1F300", "G0X0", "M3", "G1X0.5", "M5",
                      "M5", "G0Y0.5", "G0Y1", "M5", "G0X0Y0", "M2", "%");
}

TEST(SkeldaCli, DefaultsAreDitheringInDotModeAtAFifthOfAMillimetre) {
  TempDir dir;
  WriteBmpFile(DrawPicture({"#..", ".##"}), dir / "Pic.BMP");
  const CliRun run = RunCli({dir / "Pic.BMP", "-q"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_PROGRAM_FILE(dir / "Pic.nc", "%", "G0X0Y0", "G5P1", "M40", "X0.2", "X0.4", "Y0.2", "X0",
                      "Y0.4", "X0Y0", "M2", "%");
}

TEST(SkeldaCli, TurnsRunInTheOrderGivenAndInvertComesAfterTheConversion) {
  TempDir dir;
  WriteBmpFile(DrawPicture({"#..", "##."}), dir / "p.bmp");
  // Mirrored "..#/.##", turned clockwise "../#./##", inverted "##/.#/..".
  CliRun run =
      RunCli({dir / "p.bmp", "--mirror-x", "--rotate-cw", "--convert", "threshold", "--invert",
              "--dot", "1", "--save-bmp", dir / "seen.bmp", "-o", dir / "a.nc", "-q"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_PROGRAM_FILE(dir / "a.nc", "%", "G0X0Y0", "G5P1", "M40", "Y1", "X1", "Y2", "X0", "X1",
                      "Y3", "X0Y0", "M2", "%");
  EXPECT_BITMAP_EQ(ReadBmpFile(dir / "seen.bmp"), DrawPicture({"##", ".#", ".."}));

  // Turned "##/#./..", mirrored "##/.#/..", inverted "../#./##".
  run = RunCli({dir / "p.bmp", "--rotate-cw", "--mirror-x", "--convert", "threshold", "--invert",
                "--dot", "1", "-o", dir / "b.nc", "-q"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_PROGRAM_FILE(dir / "b.nc", "%", "G0X0Y0", "G5P1", "M40", "X0", "X1", "Y1", "X0", "Y2",
                      "Y3", "X0Y0", "M2", "%");
}

TEST(SkeldaCli, DpiSetsTheDotSizeAsTheResolutionFieldDoesAndTheSummaryTellsAll) {
  TempDir dir;
  WriteBmpFile(DrawPicture({"............", "...#......#."}), dir / "p.bmp");
  const CliRun run = RunCli({dir / "p.bmp", "--dpi", "254", "--lines", "--feed", "1200"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_PROGRAM_FILE(dir / "p.nc", "%", "G90", "G0X0Y0", "G1F1200",                       //
                      "G0X0.3", "M3", "G1X0.4", "M5", "G0X1", "M3", "G1X1.1", "M5", "M5",  //
                      "G0Y0.1", "G0Y0.2", "M5", "G0X0Y0", "M2", "%");
  const std::string head = "written: " + (dir / "p.nc") +
                           "\npicture: 12 x 2 dots, 1.2 x 0.2 mm\nmode: lines, classic\n"
                           "black lines: 4\ntime: ";
  EXPECT_EQ(run.err.substr(0, head.size()), head);
  EXPECT_TRUE(run.err.ends_with(" ms\n")) << run.err;
}

TEST(SkeldaCli, ResamplesToTheWidthAsked) {
  TempDir dir;
  WriteBmpFile(DrawPicture({"########", "########", "########", "########"}), dir / "p.bmp");
  const CliRun run = RunCli({dir / "p.bmp", "--dot", "1", "--width", "4", "-q"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_PROGRAM_FILE(dir / "p.nc", "%", "G0X0Y0", "G5P1", "M40", "X0", "X1", "X2", "X3", "Y1",
                      "X3", "X2", "X1", "X0", "Y2", "X0Y0", "M2", "%");
}

TEST(SkeldaCli, ADashWritesTheProgramToStandardOutput) {
  TempDir dir;
  WriteBmpFile(DrawPicture({"#.", ".."}), dir / "p.bmp");
  const CliRun run = RunCli({dir / "p.bmp", "-o", "-", "--burn-time", "2.5"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_PROGRAM(ProgramLines(run.out), "%", "G0X0Y0", "G5P2.5", "M40", "Y0.2", "X0", "Y0.4",
                 "X0Y0", "M2", "%");
  EXPECT_TRUE(run.err.starts_with("written: standard output\n")) << run.err;
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"p.bmp"});
}

TEST(SkeldaCli, WithoutInputTheStartPictureIsWritten) {
  TempDir dir;
  const CliRun run = RunCli({"-o", dir / "logo.nc", "--convert", "threshold"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(ReadAll(dir / "logo.nc").starts_with("%\r\nG0X0Y0\r\nG5P1\r\nM40\r\n"));
  EXPECT_NE(run.err.find("picture: 590 x 465 dots, 118 x 93 mm\n"), std::string::npos) << run.err;
}

TEST(SkeldaCli, TheSeedFixesTheRandomPatterns) {
  TempDir dir;
  Bitmap grey(16, 16, PixelFormat::Bit32);
  grey.FillRect(0, 0, 16, 16, RGB(128, 128, 128));
  WriteBmpFile(grey, dir / "g.bmp");
  for (const char* name : {"a.nc", "b.nc"}) {
    EXPECT_EQ(
        RunCli({dir / "g.bmp", "--convert", "random", "--seed", "7", "-o", dir / name}).status, 0);
  }
  EXPECT_EQ(
      RunCli({dir / "g.bmp", "--convert", "random", "--seed", "8", "-o", dir / "c.nc"}).status, 0);
  EXPECT_EQ(ReadAll(dir / "a.nc"), ReadAll(dir / "b.nc"));
  EXPECT_NE(ReadAll(dir / "a.nc"), ReadAll(dir / "c.nc"));
  // The textures would reseed from the clock, and the conversion after them inherit it.
  for (const char* texture : {"scatter", "frosted-glass"}) {
    std::vector<std::string> args = {dir / "g.bmp", "--texture", texture, "--convert", "random",
                                     "--seed",      "7",         "-o",    dir / "d.nc"};
    EXPECT_EQ(RunCli(args).status + RunCli({args.begin(), args.end() - 2}).status, 0);
    EXPECT_EQ(ReadAll(dir / "d.nc"), ReadAll(dir / "g.nc")) << texture;
  }
}

// The same steps through the routines the window calls give the same bytes.
TEST(SkeldaCli, APhotoGivesTheProgramTheWindowsRoutinesGive) {
  TempDir dir;
  const std::string photo = testing::TestDataPath("jpeg/testorig.jpg");
  const CliRun run =
      RunCli({photo, "--dot", "0.25", "--width", "40", "--sharpen", "20", "--brightness", "-10",
              "--contrast", "15", "--rotate-ccw", "--lines", "-o", dir / "photo.nc", "-q"});
  ASSERT_EQ(run.status, 0) << run.err;

  Workspace ws;
  LoadAsTheWindowDoes(ws, "0.25", photo);
  ResampleToWidth(ws, "0.25", "40");
  for (auto [slider, position] :
       {std::pair{ToneSlider::Sharpness, 20}, std::pair{ToneSlider::Brightness, -10},
        std::pair{ToneSlider::Contrast, 15}}) {
    ToneSliderMoved(ws, slider, position);
    ApplyShown(ws);
  }
  RotateCommand(ws, -90.0);
  DitherCommand(ws);
  CommitForGcode(ws);
  EXPECT_EQ(ws.BaseBitmap.Height(), 160);  // 40 mm / 0.25 mm wide, then turned
  StringSink expected;
  WriteGcodeProgram(ws.BasePixels, ParseGcodeSettings("0.25", true, "300", "1"), expected);
  EXPECT_TRUE(ReadAll(dir / "photo.nc") == expected.text);
}

TEST(SkeldaCli, APhotoAtItsOwnSizeTurnedMirroredAndThresholded) {
  TempDir dir;
  const std::string photo = testing::TestDataPath("jpeg/testorig.jpg");
  const CliRun run = RunCli({photo, "--texture", "mosaic", "--rotate-cw", "--mirror-y", "--convert",
                             "threshold", "--threshold", "100", "--invert", "-o", dir / "photo.nc",
                             "--save-bmp", dir / "photo.bmp", "-q"});
  ASSERT_EQ(run.status, 0) << run.err;

  Workspace ws;
  LoadAsTheWindowDoes(ws, "0.2", photo);
  MosaicCommand(ws);
  RotateCommand(ws, 90.0);
  MirrorCommand(ws, false);
  ThresholdCommand(ws, 100);
  InvertCommand(ws);
  CommitForGcode(ws);
  EXPECT_EQ(ws.BaseBitmap.Width(), 149);
  EXPECT_EQ(ws.BaseBitmap.Height(), 227);
  StringSink expected;
  WriteGcodeProgram(ws.BasePixels, ParseGcodeSettings("0.2", false, "300", "1"), expected);
  EXPECT_TRUE(ReadAll(dir / "photo.nc") == expected.text);
  EXPECT_BITMAP_EQ(ReadBmpFile(dir / "photo.bmp"), ws.ShownBitmap);
}

// Grayscale keeps the shades: the gray pixel burns at its own power, not as a dithered dot.
TEST(SkeldaCli, GrblGrayscaleWithOverscanAndItsSummary) {
  TempDir dir;
  Bitmap picture = DrawPicture({"#.", ".."});
  picture.SetPixelColor(1, 0, RGB(51, 51, 51));
  WriteBmpFile(picture, dir / "p.bmp");
  const CliRun run = RunCli({dir / "p.bmp", "--machine", "grbl", "--lines", "--grayscale", "--dot",
                             "1", "--overscan", "0.5", "--power", "255"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadAll(dir / "p.nc"),
            "G21\nG90\nM5\nM4 S0\nG1 F300\nG0X-0.5Y1\nG1X0\nX1S255\nX2S204\n"
            "X2.5S0\nM5\nG0 X0 Y0\nM2\n");
  const std::string head = "written: " + (dir / "p.nc") +
                           "\npicture: 2 x 2 dots, 2 x 2 mm\nmode: lines, grbl\n"
                           "burning moves: 2\nx range: -0.5 to 2.5 mm\ntime: ";
  EXPECT_EQ(run.err.substr(0, head.size()), head);
}

// Rows 2 mm apart at 1 mm dots: 4 mm high makes 2 rows, 4 columns; the frame, the summary, the
// preview and the program read back follow the interval.
TEST(SkeldaCli, TheLineIntervalReachesEveryOutput) {
  TempDir dir;
  WriteBmpFile(DrawPicture({"#..#", "#..#", "#..#", "#..#"}), dir / "p.bmp");
  const CliRun run = RunCli({dir / "p.bmp", "--machine", "grbl", "--lines", "--dot", "1",
                             "--line-interval", "2", "--height", "4", "--convert", "threshold",
                             "--frame", dir / "f.nc", "--preview", dir / "p.png"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadAll(dir / "p.nc"),
            "G21\nG90\nM5\nM4 S0\nG1 F300\nG0X0Y0\nG1X1S1000\nX3S0\nX4S1000\n"
            "G0Y2\nG1X3\nX1S0\nX0S1000\nM5\nG0 X0 Y0\nM2\n");
  EXPECT_EQ(ReadAll(dir / "f.nc"), "G21\nG90\nM5\nG0 X0 Y0\nG0 X4\nG0 Y4\nG0 X0\nG0 Y0\nM2\n");
  EXPECT_NE(run.err.find("picture: 4 x 2 dots, 4 x 4 mm\n"), std::string::npos) << run.err;
  const CliRun back = RunCli({"--simulate", dir / "p.nc", "--dot", "1", "--line-interval", "2",
                              "--preview", dir / "s.png"});
  EXPECT_EQ(back.status, 0) << back.err;
  EXPECT_EQ(ReadAll(dir / "s.png"), ReadAll(dir / "p.png"));
}

TEST(SkeldaCli, TheOtherDotMethodsAreTheWindowsOnes) {
  TempDir dir;
  const std::string photo = testing::TestDataPath("jpeg/testorig.jpg");
  const std::pair<const char*, DotMethod> methods[] = {
      {"atkinson", DotMethod::Atkinson},      {"jarvis", DotMethod::JarvisJudiceNinke},
      {"stucki", DotMethod::Stucki},          {"burkes", DotMethod::Burkes},
      {"sierra", DotMethod::Sierra},          {"sierra2", DotMethod::TwoRowSierra},
      {"sierra-lite", DotMethod::SierraLite}, {"bayer8", DotMethod::Bayer8}};
  for (const auto& [name, method] : methods) {
    for (bool serpentine : {false, method != DotMethod::Bayer8}) {
      std::vector<std::string> args = {photo,        "--convert",  name,          "-o",
                                       dir / "p.nc", "--save-bmp", dir / "p.bmp", "-q"};
      if (serpentine) args.push_back("--serpentine");
      const CliRun run = RunCli(args);
      ASSERT_EQ(run.status, 0) << run.err;
      Workspace ws;
      LoadAsTheWindowDoes(ws, "0.2", photo);
      ws.Serpentine = serpentine;
      DotMethodCommand(ws, method);
      EXPECT_BITMAP_EQ(ReadBmpFile(dir / "p.bmp"), ws.ShownBitmap) << name << serpentine;
    }
  }
}

// The screen is the window's: the dot size sets its cells, the angle its turn.
TEST(SkeldaCli, TheHalftoneScreenIsTheWindowsOne) {
  TempDir dir;
  const std::string photo = testing::TestDataPath("jpeg/testorig.jpg");
  for (const auto& [screen, expected, dot] :
       {std::tuple{std::vector<std::string>{}, HalftoneScreen{40, 45}, "0.2"},
        {{"--cells-per-inch", "12", "--screen-angle", "-22.5", "--dot", "0.15"},
         {12, -22.5},
         "0.15"}}) {
    std::vector<std::string> args = {photo,        "--convert",  "halftone",    "-o",
                                     dir / "p.nc", "--save-bmp", dir / "p.bmp", "-q"};
    args.insert(args.end(), screen.begin(), screen.end());
    ASSERT_EQ(RunCli(args).status, 0);
    Workspace ws;
    LoadAsTheWindowDoes(ws, dot, photo);
    HalftoneCommand(ws, expected, std::stod(dot));
    EXPECT_BITMAP_EQ(ReadBmpFile(dir / "p.bmp"), ws.ShownBitmap) << dot;
  }
}

// The frame follows the picture as written: turned, it is the turned picture's outline.
TEST(SkeldaCli, TheFrameOutlinesThePictureAsItIsWritten) {
  TempDir dir;
  WriteBmpFile(DrawPicture({"#..", "..#"}), dir / "p.bmp");
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--rotate-cw"}, "%\r\nG90\r\nG0X0Y0\r\nG0X1\r\nG0Y1.5\r\nG0X0\r\nG0X0Y0\r\nM2\r\n%\r\n"},
      {{"--mirror-x", "--machine", "grbl", "--frame-power", "7", "--feed", "900"},
       "G21\nG90\nM5\nG0 X0 Y0\nG1 F900\nM3 S7\nG1 X1.5\nG1 Y1\nG1 X0\nG1 Y0\nM5\nM2\n"}};
  for (const auto& [turns, frame] : cases) {
    std::vector<std::string> args = {dir / "p.bmp", "--dot", "0.5", "--frame", dir / "f.nc"};
    args.insert(args.end(), turns.begin(), turns.end());
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadAll(dir / "f.nc"), frame);
    EXPECT_NE(run.err.find("frame: " + (dir / "f.nc")), std::string::npos) << run.err;
  }
}

// As a new user would run it: the defaults, then the legend in the summary and the program.
TEST(SkeldaCli, TheTestGridWithItsDefaultsAndItsLegend) {
  TempDir dir;
  const CliRun run = RunCli({"--test-grid", dir / "grid.nc"});
  EXPECT_EQ(run.status, 0) << run.err;
  StringSink expected;
  TestGrid(TestGridSettings{}).Write(expected);
  EXPECT_TRUE(ReadAll(dir / "grid.nc") == expected.text);
  for (const char* line : {"(S200 F1000: X11..16 Y11..16)\n", "(S1000 F5000: X39..44 Y39..44)\n"}) {
    EXPECT_NE(expected.text.find(line), std::string::npos);
    EXPECT_NE(run.err.find(std::string(line + 1, std::strlen(line) - 3)), std::string::npos);
  }
  EXPECT_TRUE(run.err.starts_with("written: " + (dir / "grid.nc") +
                                  "\ntest grid: 44 x 44 mm with its labels, from X0 Y0\n"));
}

TEST(SkeldaCli, BadOptionsShowTheUsageAndWriteNothing) {
  TempDir dir;
  WriteBmpFile(DrawPicture({"#.", ".."}), dir / "p.bmp");
  const std::vector<std::vector<std::string>> cases = {
      {dir / "p.bmp", "--bogus"},
      {dir / "p.bmp", "--threshold", "257"},
      {dir / "p.bmp", "--brightness", "-201"},
      {dir / "p.bmp", "--sharpen", "ten"},
      {dir / "p.bmp", "--dot", "0.2", "--dpi", "127"},
      {dir / "p.bmp", "--width", "10", "--height", "10"},
      {dir / "p.bmp", "--convert", "sepia"},
      {dir / "p.bmp", "--serpentine"},
      {dir / "p.bmp", "--convert", "bayer8", "--serpentine"},
      {dir / "p.bmp", "--convert", "halftone", "--cells-per-inch", "4"},
      {dir / "p.bmp", "--convert", "halftone", "--screen-angle", "nan"},
      {dir / "p.bmp", "--screen-angle", "15"},
      {dir / "p.bmp", "--texture"},
      {dir / "p.bmp", dir / "q.bmp"},
      {"--lines"},
      {dir / "p.bmp", "--machine", "marlin"},
      {dir / "p.bmp", "--overscan", "2"},
      {dir / "p.bmp", "--test-grid", dir / "g.nc"},
      {dir / "p.bmp", "--cell", "3"},
      {dir / "p.bmp", "--frame-power", "3"},
      {"--test-grid", dir / "g.nc", "--machine", "classic"},
      {dir / "p.bmp", "--accel", "0"},
      {dir / "p.bmp", "--max-rate", "fast"},
      {"--simulate", dir / "p.nc", dir / "p.bmp"},
      {dir / "p.bmp", "--levels", "8"},
      {dir / "p.bmp", "--baud", "fast"},
      {"--test-grid", dir / "g.nc", "--levels", "8"},
      {dir / "p.bmp", "--gamma", "2"},
      {"--test-grid", dir / "g.nc", "--line-interval", "0.3"},
  };
  for (const auto& args : cases) {
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 2) << args.back();
    EXPECT_TRUE(run.err.starts_with("skelda-cli: ")) << run.err;
    EXPECT_NE(run.err.find("usage: skelda-cli [INPUT]"), std::string::npos);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"p.bmp"});
}

// A phone photo comes in upright unless asked otherwise; --save-png writes what was processed.
TEST(SkeldaCli, PhotosUprightAndSavedAsPng) {
  TempDir dir;
  const std::string photo = testing::TestDataPath("photos/coffee-exif6.jpg");
  for (const bool keep : {false, true}) {
    std::vector<std::string> args = {photo,  "-o",         dir / "c.nc",  "--convert",
                                     "none", "--save-png", dir / "c.png", "-q"};
    if (keep) args.push_back("--keep-orientation");
    ASSERT_EQ(RunCli(args).status, 0);
    Workspace ws, saved;
    ReadPictureFile(ws, "0.2", photo, !keep);
    ReadPictureFile(saved, "0.2", dir / "c.png");
    EXPECT_EQ(saved.BaseBitmap.Width(), keep ? 400 : 600);
    EXPECT_BITMAP_EQ(saved.BaseBitmap, ws.BaseBitmap);
  }
  EXPECT_NE(RunCli({"--help"}).out.find("WebP"), std::string::npos);
}

TEST(SkeldaCli, ErrorsGiveTheMessageStatusOneAndWriteNothing) {
  TempDir dir;
  WriteBmpFile(DrawPicture({"#.", ".."}), dir / "p.bmp");
  std::ofstream(dir / "p.nc") << "old program";
  std::ofstream(dir / "ro.nc") << "read only";
  fs::permissions(dir / "ro.nc", fs::perms::owner_read | fs::perms::group_read);
  fs::create_hard_link(dir / "p.nc", dir / "hard.nc");
  fs::create_directory(dir / "sub");
  fs::create_symlink("/dev/zero", dir / "zero.jpg");
  std::ofstream(dir / "text.jpg") << "not a picture";
  std::ofstream(dir / "big.bmp") << "BM";
  fs::resize_file(dir / "big.bmp", std::uintmax_t(3) << 30);  // sparse: no disk space taken
  std::ofstream(dir / "far.nc") << "G21\nG90\nM4 S1000\nG1 F1000\nG1 X13000 Y13000\nM5\nM2\n";
  testing::WriteBytes(
      dir / "huge.jpg",
      testing::ClaimSize(testing::ReadBytes(testing::TestDataPath("jpeg/testorig.jpg")), 16384,
                         16384));
  const std::string reach = "would be written as 1E",
                    same = "-o and --save-bmp name the same file ";
  const auto cannot = [&](const char* what, const char* name, const char* why) {
    return "Cannot " + std::string(what) + " file \"" + (dir / name) + "\". " + why + "\n";
  };
  struct Case {
    std::vector<std::string> args;
    std::string message;
    std::string shell = "";
  };
  const std::vector<Case> cases = {
      // One file named twice, a folder or a read-only file: neither target is replaced.
      {{dir / "p.bmp", "-o", dir / "p.nc", "--save-bmp", dir / "./p.nc"}, same + (dir / "p.nc")},
      {{dir / "p.bmp", "-o", dir / "p.nc", "--save-bmp", dir / "hard.nc"}, same + (dir / "p.nc")},
      {{dir / "p.bmp", "-o", dir / "sub/../p.nc", "--save-bmp", dir / "p.nc"},
       same + (dir / "sub/../p.nc")},
      {{dir / "p.bmp", "-o", dir / "n.nc", "--save-bmp", dir / "sub/../n.nc"},
       same + (dir / "n.nc")},
      {{dir / "p.bmp", "--save-bmp", dir / "sub/../p.bmp"},
       "The picture saved as " + (dir / "sub/../p.bmp") + " would replace the picture " +
           (dir / "p.bmp")},
      {{dir / "p.bmp", "-o", dir / "p.nc", "--frame", dir / "hard.nc"},
       "--frame names the same file as another input or output: " + (dir / "hard.nc")},
      {{dir / "p.bmp", "-o", "new.nc", "--frame", "./new.nc"},
       "--frame names the same file as another input or output: ./new.nc",
       "cd '" + (dir / "") + "' && exec \"$0\" \"$@\""},
      {{dir / "p.bmp", "-o", dir / "p.nc", "--preview", dir / "hard.nc"},
       "--preview names the same file as another input or output: " + (dir / "hard.nc")},
      {{dir / "p.bmp", "--save-bmp", dir / "sub"}, cannot("create", "sub", "Is a directory")},
      {{dir / "p.bmp", "-o", dir / "ro.nc"}, cannot("create", "ro.nc", "Permission denied")},
      {{dir / "p.bmp", "--save-bmp", dir / "ro.nc"},
       cannot("create", "ro.nc", "Permission denied")},
      // Inputs refused at once or running out of memory; values refused before any file.
      {{dir / "zero.jpg", "-o", dir / "p.nc"}, cannot("open", "zero.jpg", "Not a regular file")},
      {{dir / "text.jpg", "-o", dir / "p.nc"}, "JPEG error #53\n"},
      {{dir / "big.bmp", "-o", dir / "p.nc"}, cannot("open", "big.bmp", "File too large")},
      {{dir / "huge.jpg", "-o", dir / "p.nc"},
       "Out of memory\n",
       "ulimit -v 400000; exec \"$0\" \"$@\""},
      {{dir / "p.bmp", "--lines", "--feed", "-300"},
       "'-300' is not a valid feed value (a whole number above 0)\n"},
      {{dir / "p.bmp", "--burn-time", "abc"}, "'abc' is not a valid floating point value\n"},
      {{dir / "p.bmp", "--burn-time", "1 M3"}, "'1 M3' is not a valid floating point value\n"},
      // The reach is checked right after the load (before the width is read) and the resample.
      {{dir / "p.bmp", "--dot", "1e308", "--width", "abc"}, "The coordinate 1 x 1E308 mm " + reach},
      {{dir / "p.bmp", "--dot", "1e12", "--width", "1e15"},
       "The coordinate 1000 x 1000000000000 mm " + reach},
      {{dir / "missing.bmp", "-o", dir / "p.nc", "--save-bmp", dir / "s.bmp"},
       "Cannot open file \"" + (dir / "missing.bmp") + "\". No such file or directory\n"},
      {{dir / "p.bmp", "--lines", "--feed", "fast", "--save-bmp", dir / "s.bmp"},
       "'fast' is not a valid integer value\n"},
      {{dir / "p.bmp", "--dot", "0,2"}, "'0,2' is not a valid floating point value\n"},
      {{dir / "p.bmp", "--dot", "0.000001"},
       "The dot size '0.000001' mm is below 0.00001 mm, the smallest size a G-code program can "
       "hold\n"},
      {{dir / "p.bmp", "--save-bmp", dir / "no/such/folder/s.bmp"},
       "Cannot create file \"" + (dir / "no/such/folder/s.bmp") +
           "\". No such file or directory\n"},
      {{dir / "p.bmp", "--machine", "grbl", "--power", "-5"},
       "The power -5 is outside 1 .. 1000000\n"},
      {{dir / "p.bmp", "--machine", "grbl", "--min-power", "1001"},
       "The minimum power 1001 is outside 0 .. 1000 (the power)\n"},
      {{dir / "p.bmp", "--machine", "grbl", "--levels", "1"},
       "The power levels 1 are outside 2 .. 256\n"},
      {{dir / "p.bmp", "--machine", "grbl", "--rapid-gaps", "-2"},
       "The rapid gap -2 mm is outside 0 .. 1000 mm\n"},
      {{dir / "p.bmp", "--machine", "grbl", "--gamma", "9"}, "The gamma 9 is outside 0.2 .. 5\n"},
      {{dir / "p.bmp", "--machine", "grbl", "--line-interval", "0.0001"},
       "The line interval 0.0001 mm is outside 0.001 .. 1000 mm\n"},
      // A stray move is refused before the grid grows to it.
      {{"--simulate", dir / "far.nc", "--preview", dir / "far.png"},
       "The picture of 65000 x 65000 dots is too large to hold\n",
       "ulimit -v 300000; exec \"$0\" \"$@\""},
      {{dir / "p.bmp", "--machine", "grbl", "--overscan", "-1"},
       "The overscan -1 mm is outside 0 .. 1000 mm\n"},
      {{dir / "p.bmp", "--machine", "grbl", "--scan-offset", "x"},
       "'x' is not a valid floating point value\n"},
      {{dir / "p.bmp", "--machine", "grbl", "--burn-time", "1s"},
       "'1s' is not a valid floating point value\n"},
      {{"--test-grid", dir / "g.nc", "--feeds", "5000:1000:5"},
       "The feeds '5000:1000:5' run from MIN above MAX\n"},
      {{"--test-grid", dir / "g.nc", "--powers", "1:9:21"},
       "The powers '1:9:21' ask for 21 values; give 1 .. 20\n"},
      {{"--test-grid", dir / "g.nc", "--cell", "0.3"},
       "The cell 0.3 mm is smaller than two dots of 0.2 mm\n"},
      {{dir / "p.bmp", "--frame", dir / "f.nc", "--frame-power", "2"},
       "The classic machine frames with rapid moves only; a frame power needs GRBL\n"},
      {{"--simulate", dir / "p.nc", "--preview", dir / "s.png"},
       "line 1: 'o' without a number: old program\n"},
  };
  for (const auto& c : cases) {
#ifdef SKELDA_SANITIZED
    if (!c.shell.empty()) continue;  // no sanitized process runs under a memory limit
#endif
    const CliRun run = RunCli(c.args, c.shell);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.substr(0, c.message.size()), c.message);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(dir.Files(),
            (std::vector<std::string>{"big.bmp", "far.nc", "hard.nc", "huge.jpg", "p.bmp", "p.nc",
                                      "ro.nc", "sub", "text.jpg", "zero.jpg"}));
  EXPECT_EQ(ReadAll(dir / "ro.nc"), "read only");
  EXPECT_EQ(ReadAll(dir / "p.nc"), "old program");
}

// The preview is the picture dot for dot; reading the program back gives the same picture and
// time; the summary carries the time.
TEST(SkeldaCli, PreviewEstimateAndSimulate) {
  TempDir dir;
  WriteBmpFile(DrawPicture({"#..#", ".##."}), dir / "p.bmp");
  CliRun run = RunCli({dir / "p.bmp", "--convert", "threshold", "--dot", "1", "--lines",
                       "--preview", dir / "p.png", "--estimate"});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::uint8_t> gray = {0, 255, 255, 0, 255, 0, 0, 255};
  const std::vector<std::uint8_t> png = EncodeGrayPng(4, 2, gray.data());
  EXPECT_EQ(ReadAll(dir / "p.png"), std::string(png.begin(), png.end()));
  const std::size_t at = run.err.find("job time: 0:00:");
  ASSERT_NE(at, std::string::npos) << run.err;

  const CliRun again =
      RunCli({"--simulate", dir / "p.nc", "--dot", "1", "--preview", dir / "s.png"});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(ReadAll(dir / "s.png"), ReadAll(dir / "p.png"));
  EXPECT_EQ(again.err, "simulated: " + (dir / "p.nc") +
                           "\nprogram lines: 23\nburnt: 4 x 2 dots "
                           "of 1 mm\npreview: " +
                           (dir / "s.png") + "\n" + run.err.substr(at));
}

TEST(SkeldaCli, APictureIsNeverReplacedByItsProgram) {
  TempDir dir;
  WriteBmpFile(DrawPicture({"#.", ".."}), dir / "p.nc");
  const std::string before = ReadAll(dir / "p.nc");
  const CliRun run = RunCli({dir / "p.nc"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(ReadAll(dir / "p.nc"), before);
}

// A link is written through, an existing file keeps its mode, a new one gets the umask's, and
// a device is written in place.
TEST(SkeldaCli, WritesThroughLinksKeepsModesAndNeverReplacesASpecialFile) {
  TempDir dir;
  WriteBmpFile(DrawPicture({"#.", ".."}), dir / "p.bmp");
  std::ofstream(dir / "real.nc") << "old";
  fs::permissions(dir / "real.nc", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("real.nc", dir / "link.nc");
  fs::create_symlink("/dev/null", dir / "null.nc");
  const mode_t mask = ::umask(027);
  for (const char* name : {"link.nc", "null.nc", "new.nc"}) {
    EXPECT_EQ(RunCli({dir / "p.bmp", "-q", "-o", dir / name}).status, 0) << name;
  }
  ::umask(mask);
  EXPECT_TRUE(fs::is_symlink(dir / "link.nc") && fs::is_symlink(dir / "null.nc"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_EQ(ReadAll(dir / "real.nc"), ReadAll(dir / "new.nc"));
  EXPECT_EQ(fs::status(dir / "real.nc").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(fs::status(dir / "new.nc").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(dir.Files(),
            (std::vector<std::string>{"link.nc", "new.nc", "null.nc", "p.bmp", "real.nc"}));
}

// SIGTERM while a 6000 x 4000 program is written: the temporary goes, the old file stays and
// the process ends as the signal ends it.
TEST(SkeldaCli, ATerminatedRunLeavesNoTemporaryBehind) {
  TempDir dir;
  WriteBmpFile(DrawPicture({"#.#", ".#."}), dir / "p.bmp");
  std::ofstream(dir / "p.nc") << "old program";
  const std::string script = "\"$0\" \"$@\" & for i in $(seq 2000); do ls " + (dir / "p.nc.tmp-*") +
                             " >/dev/null 2>&1 && break; sleep 0.01; done; kill -TERM $!; wait $!";
  EXPECT_EQ(RunCli({dir / "p.bmp", "--dot", "1", "--width", "6000", "-q"}, script).status,
            128 + SIGTERM);
  EXPECT_EQ(dir.Files(), (std::vector<std::string>{"p.bmp", "p.nc"}));
  EXPECT_EQ(ReadAll(dir / "p.nc"), "old program");
}

}  // namespace
}  // namespace skelda
