// The burn preview and job time of skelda-cli: of the program it writes, or of one it reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "core/quick_pixels.h"
#include "gcode/gcode_settings.h"
#include "gcode/gcode_sink.h"
#include "simulation/program_reader.h"
#include "simulation/simulation_sink.h"

namespace skelda::cli {

// Follows the program skelda-cli writes, as it is written, when --preview or --estimate asks
// for its burn picture or job time: the program is written once, to its file and to the reader.
class ProgramFollower {
 public:
  ProgramFollower(const TQuickPixels& pixels, const GcodeSettings& settings, const Options& o);

  // The sink to write the program into: `out` itself when nothing is asked.
  GcodeSink& Tee(GcodeSink& out);
  // Once the program is written: the job time (with --estimate) and the PNG (with --preview).
  std::optional<double> Seconds();
  // Of those seconds, the wait for the serial line (after Seconds).
  double LinkSeconds() const { return reader_ ? reader_->LinkSeconds() : 0; }
  std::vector<std::uint8_t> Png();

 private:
  class TeeSink : public GcodeSink {
   public:
    TeeSink(GcodeSink& first, GcodeSink& second) : first_(first), second_(second) {}
    void Write(const char* data, std::size_t size) override {
      first_.Write(data, size);
      second_.Write(data, size);
    }

   private:
    GcodeSink& first_;
    GcodeSink& second_;
  };

  const Options& o_;
  std::optional<ProgramReader> reader_;
  std::optional<SimulationSink> follow_;
  std::optional<TeeSink> tee_;
  bool finished_ = false;
};

struct SimulationResult {
  std::string program;
  std::uint64_t lines = 0;
  int widthDots = 0;
  int heightDots = 0;
  double seconds = 0;
  double linkSeconds = 0;
};

// --simulate: reads the program, writes --preview. Throws the file's and the program's errors.
SimulationResult RunSimulation(const Options& o);

std::string SimulationSummary(const SimulationResult& result, const Options& o);

}  // namespace skelda::cli
