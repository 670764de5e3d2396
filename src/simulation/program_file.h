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

}  // namespace skelda
