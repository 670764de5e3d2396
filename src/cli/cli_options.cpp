#include "cli/cli_options.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>

#include "processing/halftone_screen.h"

namespace skelda::cli {

namespace {

long long ParseWhole(const std::string& option, const std::string& text, long long low,
                     long long high) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
    throw UsageError(option + " takes a whole number from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not '" + text + "'");
  }
  return value;
}

// A machine setting: a plain decimal number above 0 (or from 0, when zero is allowed).
double ParseSetting(const std::string& option, const std::string& text, bool zeroAllowed) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
  if (text.empty() || ec != std::errc() || ptr != end || !(zeroAllowed ? value >= 0 : value > 0) ||
      value > 1e9) {
    throw UsageError(option + " takes a number " + (zeroAllowed ? "from 0" : "above 0") +
                     ", not '" + text + "'");
  }
  return value;
}

// A screen angle: a plain decimal number of degrees, negative ones too.
double ParseAngle(const std::string& option, const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) {
    throw UsageError(option + " takes a number of degrees, not '" + text + "'");
  }
  return value;
}

template <typename T>
T Choose(const std::string& option, const std::string& text,
         const std::vector<std::pair<const char*, T>>& choices) {
  std::string names;
  for (const auto& [name, value] : choices) {
    if (text == name) return value;
    names += names.empty() ? name : std::string("|") + name;
  }
  throw UsageError(option + " takes one of " + names + ", not '" + text + "'");
}

const std::vector<std::pair<const char*, Conversion>> kConversions = {
    {"threshold", Conversion::Threshold}, {"dither", Conversion::Dither},
    {"random", Conversion::Random},       {"random-dither", Conversion::RandomDither},
    {"cross1", Conversion::Cross1},       {"cross2", Conversion::Cross2},
    {"cross3", Conversion::Cross3},       {"cross4", Conversion::Cross4},
    {"none", Conversion::None},           {"atkinson", Conversion::Atkinson},
    {"jarvis", Conversion::Jarvis},       {"stucki", Conversion::Stucki},
    {"burkes", Conversion::Burkes},       {"sierra", Conversion::Sierra},
    {"sierra2", Conversion::Sierra2},     {"sierra-lite", Conversion::SierraLite},
    {"bayer8", Conversion::Bayer8},       {"halftone", Conversion::Halftone}};

const std::vector<std::pair<const char*, Texture>> kTextures = {
    {"scatter", Texture::Scatter},
    {"frosted-glass", Texture::FrostedGlass},
    {"mosaic", Texture::Mosaic}};

using ValueOption = std::function<void(Options&, const std::string& option, const std::string&)>;
using FlagOption = std::function<void(Options&)>;

const std::map<std::string, ValueOption>& ValueOptions() {
  static const std::map<std::string, ValueOption> options = {
      {"-o", [](Options& o, auto&, auto& v) { o.output = v; }},
      {"--output", [](Options& o, auto&, auto& v) { o.output = v; }},
      {"--dot", [](Options& o, auto&, auto& v) { o.dotText = v; }},
      {"--dpi", [](Options& o, auto&, auto& v) { o.dpiText = v; }},
      {"--width", [](Options& o, auto&, auto& v) { o.widthMm = v; }},
      {"--height", [](Options& o, auto&, auto& v) { o.heightMm = v; }},
      {"--sharpen",
       [](Options& o, auto& n, auto& v) { o.sharpen = int(ParseWhole(n, v, -100, 100)); }},
      {"--brightness",
       [](Options& o, auto& n, auto& v) { o.brightness = int(ParseWhole(n, v, -200, 200)); }},
      {"--contrast",
       [](Options& o, auto& n, auto& v) { o.contrast = int(ParseWhole(n, v, -100, 100)); }},
      {"--texture", [](Options& o, auto& n, auto& v) { o.texture = Choose(n, v, kTextures); }},
      {"--convert",
       [](Options& o, auto& n, auto& v) { o.conversion = Choose(n, v, kConversions); }},
      {"--threshold",
       [](Options& o, auto& n, auto& v) { o.threshold = int(ParseWhole(n, v, 0, 256)); }},
      {"--feed", [](Options& o, auto&, auto& v) { o.feedText = v; }},
      {"--burn-time", [](Options& o, auto&, auto& v) { o.burnTime = v; }},
      {"--save-bmp", [](Options& o, auto&, auto& v) { o.saveBmp = v; }},
      {"--simulate", [](Options& o, auto&, auto& v) { o.simulate = v; }},
      {"--preview", [](Options& o, auto&, auto& v) { o.preview = v; }},
      {"--max-rate",
       [](Options& o, auto& n, auto& v) { o.motion.maxRate.fill(ParseSetting(n, v, false)); }},
      {"--accel",
       [](Options& o, auto& n, auto& v) { o.motion.acceleration.fill(ParseSetting(n, v, false)); }},
      {"--baud",
       [](Options& o, auto& n, auto& v) { o.motion.baud = double(ParseWhole(n, v, 0, kMaxBaud)); }},
      {"--levels", [](Options& o, auto&, auto& v) { o.levelsText = v; }},
      {"--rapid-gaps", [](Options& o, auto&, auto& v) { o.rapidGapText = v; }},
      {"--gamma", [](Options& o, auto&, auto& v) { o.gammaText = v; }},
      {"--line-interval", [](Options& o, auto&, auto& v) { o.lineIntervalText = v; }},
      {"--junction-deviation",
       [](Options& o, auto& n, auto& v) { o.motion.junctionDeviation = ParseSetting(n, v, true); }},
      {"--machine",
       [](Options& o, auto& n, auto& v) {
         o.grbl = Choose<bool>(n, v, {{"classic", false}, {"grbl", true}});
       }},
      {"--power", [](Options& o, auto&, auto& v) { o.powerText = v; }},
      {"--min-power", [](Options& o, auto&, auto& v) { o.minPowerText = v; }},
      {"--overscan", [](Options& o, auto&, auto& v) { o.overscanText = v; }},
      {"--scan-offset", [](Options& o, auto&, auto& v) { o.scanOffsetText = v; }},
      {"--frame", [](Options& o, auto&, auto& v) { o.frame = v; }},
      {"--frame-power", [](Options& o, auto&, auto& v) { o.framePowerText = v; }},
      {"--test-grid", [](Options& o, auto&, auto& v) { o.testGrid = v; }},
      {"--powers", [](Options& o, auto&, auto& v) { o.powersText = v; }},
      {"--feeds", [](Options& o, auto&, auto& v) { o.feedsText = v; }},
      {"--cell", [](Options& o, auto&, auto& v) { o.cellText = v; }},
      {"--send", [](Options& o, auto&, auto& v) { o.send = v; }},
      {"--from-row",
       [](Options& o, auto& n, auto& v) { o.fromRow = int(ParseWhole(n, v, 1, 100000000)); }},
      {"--log", [](Options& o, auto&, auto& v) { o.log = v; }},
      {"--cells-per-inch",
       [](Options& o, auto& n,
          auto&
              v) { o.cellsPerInch = int(ParseWhole(n, v, kFewestCellsPerInch, kMostCellsPerInch)); }},
      {"--screen-angle", [](Options& o, auto& n, auto& v) { o.screenAngle = ParseAngle(n, v); }},
      {"--seed",
       [](Options& o, auto& n,
          auto& v) { o.seed = static_cast<std::uint32_t>(ParseWhole(n, v, 0, 4294967295LL)); }},
      // Picture files
      {"--save-png", [](Options& o, auto&, auto& v) { o.savePng = v; }},
  };
  return options;
}

const std::map<std::string, FlagOption>& FlagOptions() {
  static const std::map<std::string, FlagOption> options = {
      {"--mirror-x", [](Options& o) { o.turns.push_back(Turn::MirrorX); }},
      {"--mirror-y", [](Options& o) { o.turns.push_back(Turn::MirrorY); }},
      {"--rotate-cw", [](Options& o) { o.turns.push_back(Turn::RotateCw); }},
      {"--rotate-ccw", [](Options& o) { o.turns.push_back(Turn::RotateCcw); }},
      {"--invert", [](Options& o) { o.invert = true; }},
      {"--serpentine", [](Options& o) { o.serpentine = true; }},
      {"--lines", [](Options& o) { o.lineMode = true; }},
      {"--estimate", [](Options& o) { o.estimate = true; }},
      {"--one-way", [](Options& o) { o.oneWay = true; }},
      {"--ports", [](Options& o) { o.ports = true; }},
      {"--check", [](Options& o) { o.check = true; }},
      {"--home", [](Options& o) { o.home = true; }},
      {"--unlock", [](Options& o) { o.unlock = true; }},
      {"--grayscale", [](Options& o) { o.grayscale = true; }},
      {"-q", [](Options& o) { o.quiet = true; }},
      {"--quiet", [](Options& o) { o.quiet = true; }},
      {"-h", [](Options& o) { o.help = true; }},
      {"--help", [](Options& o) { o.help = true; }},
      // Picture files
      {"--keep-orientation", [](Options& o) { o.keepOrientation = true; }},
  };
  return options;
}

// The grid is a program of its own: no picture, no picture program, GRBL only.
void CheckTestGrid(const std::vector<std::string>& given, const Options& o) {
  if (o.input) throw UsageError("--test-grid writes only the grid; it takes no INPUT");
  for (const char* other : {"--output", "--frame", "--frame-power", "--save-bmp", "--save-png",
                            "--keep-orientation", "--levels", "--gamma", "--line-interval"}) {
    if (std::count(given.begin(), given.end(), other)) {
      throw UsageError(std::string(other) + " does not go with --test-grid");
    }
  }
  if (!o.grbl && std::count(given.begin(), given.end(), "--machine")) {
    throw UsageError("--test-grid is for --machine grbl");
  }
}

void CheckCombinations(const std::vector<std::string>& given, const Options& o) {
  auto count = [&](const char* name) { return std::count(given.begin(), given.end(), name); };
  if (count("--dot") && count("--dpi")) throw UsageError("give --dot or --dpi, not both");
  if (count("--width") && count("--height")) {
    throw UsageError("give --width or --height, not both");
  }
  for (const char* once : {"--dot",
                           "--dpi",
                           "--width",
                           "--height",
                           "--sharpen",
                           "--brightness",
                           "--contrast",
                           "--texture",
                           "--convert",
                           "--threshold",
                           "--feed",
                           "--burn-time",
                           "--save-bmp",
                           "--seed",
                           "--output",
                           "--machine",
                           "--power",
                           "--min-power",
                           "--overscan",
                           "--scan-offset",
                           "--frame",
                           "--frame-power",
                           "--test-grid",
                           "--powers",
                           "--feeds",
                           "--cell",
                           "--simulate",
                           "--preview",
                           "--max-rate",
                           "--accel",
                           "--junction-deviation",
                           "--send",
                           "--baud",
                           "--from-row",
                           "--log",
                           "--save-png",
                           "--levels",
                           "--rapid-gaps",
                           "--cells-per-inch",
                           "--screen-angle",
                           "--gamma",
                           "--line-interval"}) {
    if (count(once) > 1) throw UsageError(std::string(once) + " is given more than once");
  }
  for (const char* sendOnly : {"--check", "--home", "--unlock", "--from-row", "--log"}) {
    if (count(sendOnly) && !o.send) throw UsageError(std::string(sendOnly) + " needs --send");
  }
  if (o.ports) {
    if (given.size() > 1 || o.input) throw UsageError("--ports takes no other options");
    return;
  }
  if (o.send) {
    if (o.motion.baud == 0) throw UsageError("--send needs a baud rate above 0");
    if (o.simulate || o.testGrid)
      throw UsageError("--send streams INPUT: give no --simulate or --test-grid");
    if (!o.input) throw UsageError("--send needs INPUT: a program or a picture");
    if (o.output && *o.output == "-")
      throw UsageError("--send cannot write the program to standard output");
  }
  if (o.testGrid) {
    CheckTestGrid(given, o);
    return;
  }
  for (const char* gridOnly : {"--powers", "--feeds", "--cell"}) {
    if (count(gridOnly)) throw UsageError(std::string(gridOnly) + " needs --test-grid");
  }
  if (count("--frame-power") && !o.frame) throw UsageError("--frame-power needs --frame");
  if (!o.grbl) {
    for (const char* grblOnly :
         {"--power", "--min-power", "--overscan", "--one-way", "--scan-offset", "--grayscale",
          "--levels", "--rapid-gaps", "--gamma", "--line-interval"}) {
      // A program read back takes the power of full and the row grid from these as well.
      const std::string name = grblOnly;
      if (count(grblOnly) && !(o.simulate && (name == "--power" || name == "--line-interval"))) {
        throw UsageError(std::string(grblOnly) + " needs --machine grbl");
      }
    }
  }
  if (o.serpentine &&
      (o.conversion < Conversion::Atkinson || o.conversion > Conversion::SierraLite)) {
    throw UsageError(
        "--serpentine goes only with --convert atkinson|jarvis|stucki|burkes|sierra|sierra2|"
        "sierra-lite");
  }
  for (const char* screenOnly : {"--cells-per-inch", "--screen-angle"}) {
    if (count(screenOnly) && o.conversion != Conversion::Halftone) {
      throw UsageError(std::string(screenOnly) + " goes only with --convert halftone");
    }
  }
  if (o.simulate && (o.input || o.output || o.saveBmp || o.frame)) {
    throw UsageError(
        "--simulate reads a program and writes none: give no INPUT, -o, --save-bmp or --frame");
  }
  if (o.simulate && (o.savePng || o.keepOrientation)) {
    throw UsageError("--simulate reads no picture: give no --save-png or --keep-orientation");
  }
  if (!o.simulate && !o.input && !o.output) throw UsageError("without INPUT, -o is required");
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
  Options o;
  std::vector<std::string> given;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
      if (o.input) throw UsageError("more than one INPUT: '" + *o.input + "' and '" + arg + "'");
      o.input = arg;
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    std::optional<std::string> inlineValue;
    if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      inlineValue = arg.substr(eq + 1);
      arg.erase(eq);
    }
    given.push_back(arg == "-o" ? "--output" : arg);
    if (const auto flag = FlagOptions().find(arg); flag != FlagOptions().end() && !inlineValue) {
      flag->second(o);
    } else if (const auto value = ValueOptions().find(arg); value != ValueOptions().end()) {
      if (!inlineValue && i + 1 == args.size()) throw UsageError(arg + " needs a value");
      value->second(o, arg, inlineValue ? *inlineValue : args[++i]);
    } else {
      throw UsageError("unknown option '" + args[i] + "'");
    }
  }
  if (!o.help) CheckCombinations(given, o);
  if (o.testGrid) {
    o.grbl = true;
    o.lineMode = true;
  }
  // Grayscale power burns the picture's shades, so it keeps them unless a conversion is asked.
  if (o.grayscale && std::count(given.begin(), given.end(), "--convert") == 0) {
    o.conversion = Conversion::None;
  }
  return o;
}

std::string OutputPath(const Options& options) {
  if (options.output) return *options.output;
  return std::filesystem::path(*options.input).replace_extension(".nc").string();
}

const char* UsageText() {
  return R"(usage: skelda-cli [INPUT] [-o OUTPUT] [options]
       skelda-cli --simulate PROGRAM [--preview FILE.png] [--dot MM] [motion options]
Turns a picture into a G-code program for a laser engraver, one pixel one dot.

  INPUT                picture: JPEG, PNG, BMP, GIF (first frame), WebP or TIFF (first
                       page), told by its content (a file of none of these is read as a
                       bitmap when its name ends in ".bmp", else as a JPEG); transparent
                       parts are white, a photo is turned upright by its EXIF orientation;
                       none: the built-in start picture (then -o is required)
  --keep-orientation   keep the picture's rows as stored, ignoring the EXIF orientation
  -o, --output FILE    G-code written to exactly FILE ("-" = standard output);
                       default: INPUT with its extension replaced by .nc
  --dot MM | --dpi N   dot size (default 0.2 mm; --dpi N sets it to the text of 25.4 / N)
  --width MM | --height MM
                       resample so that the picture is MM wide (high)
  --sharpen A          -100..100   (each applied in this order)
  --brightness A       -200..200
  --contrast A         -100..100
  --texture scatter|frosted-glass|mosaic
  --mirror-x --mirror-y --rotate-cw --rotate-ccw
                       mirror left-right, top-bottom, turn a quarter clockwise or
                       counter-clockwise, in the order given
  --convert threshold|dither|random|random-dither|cross1|cross2|cross3|cross4|none
            |atkinson|jarvis|stucki|burkes|sierra|sierra2|sierra-lite|bayer8|halftone
                       black-and-white conversion (default dither)
  --serpentine         every second row right to left (atkinson .. sierra-lite only)
  --threshold T        0..256, default 128 (for threshold)
  --cells-per-inch N   halftone: screen cells per inch, 5..200, default 40 (a round dot
                       grows in each cell with its darkness)
  --screen-angle DEG   halftone: screen angle in degrees counter-clockwise, default 45
  --invert             invert the picture after the conversion
  --lines              line mode (default: dot mode)
  --feed F             line mode feed, a whole number above 0, default 300
  --burn-time TEXT     dot mode burn time, a plain decimal number, default 1
  --machine classic|grbl
                       the controller the program is for (default classic: G5, M40);
                       grbl: GRBL 1.1 in laser mode ($32=1), grblHAL, FluidNC
  --power S            grbl: full laser power S, default 1000 (GRBL's $30)
  --min-power S        grbl: power of white with --grayscale, default 0
  --overscan MM        grbl: lead-in and lead-out past each row's burnt part, default 0
  --one-way            grbl: every row left to right (default: both directions)
  --scan-offset MM     grbl: shift of right-to-left rows along +X, default 0
  --grayscale          grbl: every pixel's gray sets its power; no black-and-white
                       conversion unless --convert is given
  --levels N           grbl: grayscale powers rounded to N levels from --min-power to
                       --power, 2..256 (default 256: every gray its own power); fewer
                       levels, fewer bytes: try 200 when --estimate waits for the line
  --rapid-gaps MM      grbl: cross white gaps longer than MM inside a row with G0
                       (default 0: off)
  --gamma G            grbl: grayscale power S = min + (max - min) x darkness^G,
                       0.2..5 (default 1: straight)
  --line-interval MM   grbl: rows MM apart, columns still one dot wide; --width and
                       --height make width / dot columns, height / MM rows (default:
                       the dot size)
  --frame FILE         also write the framing program (the outline of the picture, from
                       the origin round and back) to exactly FILE
  --frame-power S      grbl: trace the frame at constant power S with M3 and the feed
                       (default 0: rapid moves, the laser stays off)
  --test-grid FILE     write only a material test grid (GRBL, --lines implied) to exactly
                       FILE: a square per power and feed, labelled, a legend in comments
  --powers MIN:MAX:N   grid rows: N powers from MIN to MAX, default 200:1000:5
  --feeds MIN:MAX:N    grid columns: N feeds in mm/min, default 1000:5000:5
  --cell MM            grid square side, default 5 (filled with lines --dot apart)
  --save-bmp FILE      also save the processed picture (exactly FILE)
  --save-png FILE      also save the processed picture as PNG (exactly FILE)
  --seed N             seed the random generator (default: its fixed start state);
                       with it the textures never reseed from the clock
  --preview FILE.png   also write the burn picture of the program, one pixel per dot
  --estimate           add the job time to the summary, from a GRBL-like motion model:
  --max-rate MM/MIN    maximum rate of X and Y, default 6000
  --accel MM/S2        acceleration of X and Y, default 1000
  --junction-deviation MM
                       cornering tolerance, default 0.01
  --baud N             serial line to the controller, default 115200; 0: a line that
                       never limits (the estimate only; --send needs a real speed)
  --simulate PROGRAM   read an existing G-code program instead of a picture and give its
                       job time (and --preview); --dot sets its grid (--line-interval
                       its rows), --power the S of full power (default 1000)
  -q, --quiet          no summary (and with --send no progress line) on standard error
  -h, --help           this text

Burning (GRBL 1.1, grblHAL, FluidNC):
  --ports              list the serial ports: device, USB vendor:product, maker, product
  --send PORT          stream INPUT to the controller on PORT (a device such as
                       /dev/ttyUSB0, or tcp://HOST[:PORT], port 23 by default); a picture
                       INPUT is first written as a program (-o or INPUT.nc), a program INPUT
                       is sent as it is; the checks before sending refuse a controller in
                       alarm, laser mode off, S above $30, a job beyond the travel or the soft
                       limits, a line over 80 characters
  --check              run the whole program through check mode ($C) first; send for real
                       only when every line was accepted
  --home | --unlock    send $H (home) or $X (unlock) before the job
  --from-row R         start at row R (rows counted from 1 where Y changes): header, a
                       rapid to the row, the modal state restated, the rest of the program
  --log FILE           every line sent and every reply, with the seconds since connecting
  While sending on a terminal: space pauses and resumes, q or Ctrl+C stops safely (feed
  hold, soft reset, laser off), + and - feed override by 10 % (= back to 100 %), ] and [
  power override by 10 % (\ back to 100 %).

Exit status: 0 done (with --send: finished), 1 error or refused (nothing written, nothing
moved), 2 bad options; with --send also 3 stopped by the user, 4 halted by the controller's
error or alarm, 5 connection lost.
)";
}

}  // namespace skelda::cli
