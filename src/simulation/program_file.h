// Simulating a program file, and the job time as the summary shows it.
#pragma once

#include <string>

#include "simulation/program_reader.h"

namespace skelda {

// Reads the file in large pieces into the reader and finishes it; throws the file's open or
// read error, or the program's ProgramError.
void SimulateFile(ProgramReader& reader, const std::string& path);

// "H:MM:SS", the whole seconds rounded down.
std::string ClockText(double seconds);

// "H:MM:SS (S.S s)": the bracket to one decimal.
std::string JobTimeText(double seconds);
// The same, and where the wait for the serial line at `baud` shows at one decimal,
// ", of which W.W s waiting for the serial line at B baud".
std::string JobTimeText(double seconds, double linkSeconds, double baud);

}  // namespace skelda
