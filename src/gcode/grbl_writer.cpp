#include "gcode/grbl_writer.h"

#include <algorithm>
#include <charconv>
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

int GrayPower(int gray, int minPower, int maxPower) {
  // The quotient's divisor 255 is odd, so it never ends in an exact half: rounding to nearest
  // is rounding half to even here.
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
  CheckMachineProfile(settings.machine);
  if (!settings.lineMode) ParseBurnTimeMs(settings.burnTime);
}

GrblWriter::GrblWriter(TQuickPixels& pixels, const GcodeSettings& settings)
    : getPixel_(pixels.GetPixel),
      width_(pixels.Width),
      height_(pixels.Height),
      settings_(settings) {
  if (getPixel_.code == nullptr) throw Error("The picture is not attached to a pixel accessor");
  CheckDotSize(settings.dot, FloatToStr(settings.dot));
  CheckMachineProfile(settings.machine);
  const MachineProfile& m = settings.machine;
  for (int gray = 0; gray < 256; ++gray) grayPower_[gray] = GrayPower(gray, m.minPower, m.maxPower);
  if (!settings.lineMode) {
    dwell_ = "G4 P" + ThousandthsText(RoundHalfEven(ParseBurnTimeMs(settings.burnTime))) + "\n";
  }
  // Every coordinate check of both modes, before the first byte.
  GrblRowRaster(settings.dot, width_, height_, m);
}

GrblResult GrblWriter::Write(GcodeSink& sink) const {
  BufferedOutput out(sink);
  const GrblResult result = settings_.lineMode ? WriteLineMode(out) : WriteDotMode(out);
  out.Flush();
  return result;
}

void GrblWriter::RowPowers(int y, std::vector<int>& powers) const {
  const TGetPixel get = getPixel_;
  if (settings_.machine.grayscale) {
    for (int c = 0; c < width_; ++c) {
      const Color color = get(c, y);
      const int gray =
          (RedOf(color) * kDiffusionWeights.red + GreenOf(color) * kDiffusionWeights.green +
           BlueOf(color) * kDiffusionWeights.blue) >>
          8;
      powers[static_cast<std::size_t>(c)] = grayPower_[gray];
    }
  } else {
    const int full = settings_.machine.maxPower;
    for (int c = 0; c < width_; ++c)
      powers[static_cast<std::size_t>(c)] = get(c, y) == kBlack ? full : 0;
  }
}

GrblResult GrblWriter::WriteLineMode(BufferedOutput& out) const {
  out.Put("G21\nG90\nM5\nM4 S0\nG1 F" + std::to_string(settings_.feed) + "\n");
  GrblRowRaster raster(settings_.dot, width_, height_, settings_.machine);
  std::vector<int> powers(static_cast<std::size_t>(width_));
  GrblResult result;
  bool reverse = false;
  for (int k = 0; k < height_; ++k) {
    RowPowers(height_ - 1 - k, powers);
    if (raster.WritePass(out, powers.data(), k, reverse, result.count)) {
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
  const std::vector<std::string> ys = CentreTexts(settings_.dot, height_);
  std::vector<int> powers(static_cast<std::size_t>(width_));
  GrblResult result;
  bool reverse = false;
  int lastRow = -1;
  int rightmost = -1;
  for (int k = 0; k < height_; ++k) {
    RowPowers(height_ - 1 - k, powers);
    const bool burns = std::any_of(powers.begin(), powers.end(), [](int p) { return p > 0; });
    for (int i = 0; burns && i < width_; ++i) {
      const int c = reverse ? width_ - 1 - i : i;
      const int power = powers[static_cast<std::size_t>(c)];
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
