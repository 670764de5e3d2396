#include "gcode/grbl_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "core/color.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "gcode/grbl_number.h"
#include "processing/gray_value.h"

namespace skelda {

namespace {

constexpr double kLongestBurnMs = 1000000;

// Centres of the cells 0 .. count - 1, ((k + ½) × d), as GRBL numbers.
std::vector<std::string> CentreTexts(double dot, int count) {
  std::vector<std::string> texts(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) {
    const long long v = ToThousandths((k + 0.5L) * static_cast<long double>(dot));
    if (v >= kGrblLimitThousandths) {
      throw Error("The program would reach " + ThousandthsText(v) +
                  " mm, beyond the 99999.999 mm a GRBL program can hold");
    }
    texts[static_cast<std::size_t>(k)] = ThousandthsText(v);
  }
  return texts;
}

}  // namespace

int GrayPower(int gray, int minPower, int maxPower, double gamma) {
  if (gamma != 1) {
    const long double t = (255 - gray) / 255.0L;
    return static_cast<int>(
        RoundHalfEven(minPower + static_cast<long double>(maxPower - minPower) *
                                     std::pow(t, static_cast<long double>(gamma))));
  }
  // Whole numbers, so that the straight line is exact: the quotient's divisor 255 is odd, so it
  // never ends in an exact half and rounding to nearest is rounding half to even here.
  const long long scaled =
      255LL * minPower + static_cast<long long>(maxPower - minPower) * (255 - gray);
  return static_cast<int>((scaled + 127) / 255);
}

double ParseBurnTimeMs(const std::string& text) {
  const double ms = StrToDouble(text);
  if (!(ms >= 0 && ms <= kLongestBurnMs)) {
    throw Error("The burn time " + text + " ms is outside 0 .. " + FloatToStr(kLongestBurnMs) +
                " ms");
  }
  return ms;
}

void CheckGrblSettings(const GcodeSettings& settings) {
  // Coordinates are written in thousandths: below that, neighbouring columns would share an X.
  if (!(settings.dot >= 0.001)) {
    throw Error("The dot size " + FloatToStr(settings.dot) +
                " mm is below 0.001 mm, the smallest step of a GRBL program");
  }
  CheckMachineProfile(settings.machine);
  if (!settings.lineMode) ParseBurnTimeMs(settings.burnTime);
}

GrblWriter::GrblWriter(TQuickPixels& pixels, const GcodeSettings& settings)
    : getPixel_(pixels.GetPixel),
      bits_(pixels.Bits),
      rowStep_(pixels.RowStep),
      bitsPerPixel_(pixels.BitsPerPixel),
      width_(pixels.Width),
      height_(pixels.Height),
      settings_(settings) {
  if (getPixel_.code == nullptr) throw Error("The picture is not attached to a pixel accessor");
  CheckGrblSettings(settings);
  const MachineProfile& m = settings.machine;
  if (m.grayscale) {
    // The levels round the curve's powers; all 256 leave each gray its own power, which on the
    // straight line are the 256 levels themselves.
    for (int gray = 0; gray < 256; ++gray) {
      const int power = GrayPower(gray, m.minPower, m.maxPower, m.gamma);
      palette_[gray] = m.powerLevels < 256 ? NearestLevelPower(m, power) : power;
    }
  } else {
    palette_[1] = m.maxPower;  // level 1: black
  }
  if (!settings.lineMode) {  // checked above
    dwell_ = "G4 P" + ThousandthsText(RoundHalfEven(ParseBurnTimeMs(settings.burnTime))) + "\n";
  }
  // Every coordinate check of both modes, before the first byte.
  GrblRowRaster(settings.dot, LineInterval(settings), width_, height_, m);
}

GrblResult GrblWriter::Write(GcodeSink& sink) const {
  BufferedOutput out(sink);
  const GrblResult result = settings_.lineMode ? WriteLineMode(out) : WriteDotMode(out);
  out.Flush();
  return result;
}

namespace {

// The level of each column of a 24- or 32-bit row, made by `level` from the pixel word (blue in
// the low byte); a loop without lookups, so that the compiler can vectorize it.
template <int kBytes, class Level>
void ReadRow(const std::uint8_t* p, int width, std::uint8_t* levels, Level level) {
  for (int c = 0; c < width; ++c, p += kBytes) {
    std::uint32_t word;
    if constexpr (kBytes == 4) {
      std::memcpy(&word, p, 4);
      word &= 0xFFFFFF;
    } else {
      word = p[0] | (p[1] << 8) | (std::uint32_t{p[2]} << 16);
    }
    levels[c] = static_cast<std::uint8_t>(level(word));
  }
}

template <class Level>
void ReadRow(const std::uint8_t* p, int bytes, int width, std::uint8_t* levels, Level level) {
  if (bytes == 4) {
    ReadRow<4>(p, width, levels, level);
  } else {
    ReadRow<3>(p, width, levels, level);
  }
}

}  // namespace

// A pixel's level: its gray value in grayscale, else 1 for black and 0 for any other colour.
void GrblWriter::RowLevels(int y, std::vector<std::uint8_t>& levels) const {
  auto gray = [](std::uint32_t word) { return GrayValue(word, kDiffusionWeights); };
  auto black = [](std::uint32_t word) { return word == 0 ? 1 : 0; };
  const bool grayscale = settings_.machine.grayscale;
  const int bytes = bitsPerPixel_ / 8;
  if (bytes == 3 || bytes == 4) {
    const std::uint8_t* row = bits_ + static_cast<std::ptrdiff_t>(y) * rowStep_;
    if (grayscale) {
      ReadRow(row, bytes, width_, levels.data(), gray);
    } else {
      ReadRow(row, bytes, width_, levels.data(), black);
    }
    return;
  }
  const TGetPixel get = getPixel_;
  for (int c = 0; c < width_; ++c) {
    const Color color = get(c, y);
    const std::uint32_t word = BlueOf(color) | (GreenOf(color) << 8) | (RedOf(color) << 16);
    levels[static_cast<std::size_t>(c)] =
        static_cast<std::uint8_t>(grayscale ? gray(word) : black(word));
  }
}

GrblResult GrblWriter::WriteLineMode(BufferedOutput& out) const {
  out.Put("G21\nG90\nM5\nM4 S0\nG1 F" + std::to_string(settings_.feed) + "\n");
  GrblRowRaster raster(settings_.dot, LineInterval(settings_), width_, height_, settings_.machine);
  std::vector<std::uint8_t> levels(static_cast<std::size_t>(width_));
  GrblResult result;
  bool reverse = false;
  for (int k = 0; k < height_; ++k) {
    RowLevels(height_ - 1 - k, levels);
    if (raster.WritePass(out, levels.data(), palette_, k, reverse, result.count)) {
      reverse = !reverse && !settings_.machine.oneWay;
    }
  }
  out.Put("M5\nG0 X0 Y0\nM2\n");
  result.range = raster.Range();
  return result;
}

GrblResult GrblWriter::WriteDotMode(BufferedOutput& out) const {
  out.Put("G21\nG90\nM5\nG1 F" + std::to_string(settings_.feed) + "\n");
  const std::vector<std::string> xs = CentreTexts(settings_.dot, width_);
  const std::vector<std::string> ys = CentreTexts(LineInterval(settings_), height_);
  std::vector<std::uint8_t> levels(static_cast<std::size_t>(width_));
  GrblResult result;
  bool reverse = false;
  int lastRow = -1;
  int rightmost = -1;
  for (int k = 0; k < height_; ++k) {
    RowLevels(height_ - 1 - k, levels);
    const bool burns = std::any_of(levels.begin(), levels.end(),
                                   [this](std::uint8_t level) { return palette_[level] > 0; });
    for (int i = 0; burns && i < width_; ++i) {
      const int c = reverse ? width_ - 1 - i : i;
      const int power = palette_[levels[static_cast<std::size_t>(c)]];
      if (power <= 0) continue;
      out.Put("G0 X");
      out.Put(xs[static_cast<std::size_t>(c)]);
      if (k != lastRow) {
        out.Put(" Y");
        out.Put(ys[static_cast<std::size_t>(k)]);
      }
      out.Put("\nG1\nM3 S" + std::to_string(power) + "\n");
      out.Put(dwell_);
      out.Put("M5\n");
      lastRow = k;
      rightmost = std::max(rightmost, c);
      ++result.count;
    }
    if (burns && !settings_.machine.oneWay) reverse = !reverse;
  }
  if (rightmost >= 0) {
    result.range.high = ToThousandths((rightmost + 0.5L) * static_cast<long double>(settings_.dot));
  }
  out.Put("G0 X0 Y0\nM2\n");
  return result;
}

}  // namespace skelda
