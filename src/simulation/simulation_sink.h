// Hands a program to the reader as the writer produces it, so a preview needs no file.
#pragma once

#include "gcode/gcode_sink.h"
#include "simulation/program_reader.h"

namespace skelda {

class SimulationSink : public GcodeSink {
 public:
  explicit SimulationSink(ProgramReader& reader) : reader_(reader) {}
  void Write(const char* data, std::size_t size) override { reader_.Feed(data, size); }

 private:
  ProgramReader& reader_;
};

}  // namespace skelda
