// The command line of skelda-cli: what the user asked for, checked for form and range only.
// Field texts (dot size, sizes in mm, feed) are kept as typed: the commands read them as the
// window reads its fields, with the same messages.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "simulation/motion_settings.h"

namespace skelda::cli {

enum class Texture { None, Scatter, FrostedGlass, Mosaic };
enum class Turn { MirrorX, MirrorY, RotateCw, RotateCcw };
enum class Conversion {
  Threshold,
  Dither,
  Random,
  RandomDither,
  Cross1,
  Cross2,
  Cross3,
  Cross4,
  None,
  Atkinson,
  Jarvis,
  Stucki,
  Burkes,
  Sierra,
  Sierra2,
  SierraLite,
  Bayer8,
  Halftone
};

struct Options {
  std::optional<std::string> input;   // none: the start picture
  std::optional<std::string> output;  // "-": standard output
  std::string dotText = "0.2";
  std::optional<std::string> dpiText;
  std::optional<std::string> widthMm;
  std::optional<std::string> heightMm;
  int sharpen = 0;
  int brightness = 0;
  int contrast = 0;
  Texture texture = Texture::None;
  std::vector<Turn> turns;  // in the order given
  Conversion conversion = Conversion::Dither;
  int threshold = 128;
  bool invert = false;
  bool serpentine = false;  // only with the diffusion kernels
  int cellsPerInch = 40;    // the halftone screen's
  double screenAngle = 45;  // degrees counter-clockwise
  bool lineMode = false;
  std::string feedText = "300";
  std::string burnTime = "1";
  bool grbl = false;  // --machine grbl
  std::string powerText = "1000";
  std::string minPowerText = "0";
  std::string overscanText = "0";
  bool oneWay = false;
  std::string scanOffsetText = "0";
  bool grayscale = false;
  std::string levelsText = "256";    // --levels
  std::string rapidGapText = "0";    // --rapid-gaps, mm; 0: off
  std::string gammaText = "1";       // --gamma
  std::string lineIntervalText;      // --line-interval, mm; empty: the dot size
  std::optional<std::string> frame;  // also the framing program, exactly this file
  std::string framePowerText = "0";
  std::optional<std::string> testGrid;  // only the material test grid, exactly this file
  std::string powersText = "200:1000:5";
  std::string feedsText = "1000:5000:5";
  std::string cellText = "5";
  std::optional<std::string> saveBmp;
  std::optional<std::uint32_t> seed;
  bool quiet = false;
  bool help = false;
  std::optional<std::string> simulate;  // a program read instead of a picture
  std::optional<std::string> preview;   // the burn picture as PNG
  bool estimate = false;
  MotionSettings motion{.baud = kDefaultBaud};
  bool ports = false;               // --ports: list the serial ports
  std::optional<std::string> send;  // the port a program is streamed to
  bool check = false;  // through check mode first
  bool home = false;
  bool unlock = false;
  std::optional<int> fromRow;
  std::optional<std::string> log;
  // Pictures as people have them: stored rows kept, PNG copy of the processed picture.
  bool keepOrientation = false;
  std::optional<std::string> savePng;
};

// A command line that does not fit the usage; the text says what is wrong.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws UsageError.
Options ParseOptions(const std::vector<std::string>& args);

// The G-code file: -o as given, or INPUT with its extension replaced by ".nc".
std::string OutputPath(const Options& options);

const char* UsageText();

}  // namespace skelda::cli
