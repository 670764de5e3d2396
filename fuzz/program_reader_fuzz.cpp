// G-code programs from any tool, read back as the burn preview reads them: in two pieces split
// at the first byte's value, so lines broken between pieces are exercised too.
#include <cstddef>
#include <cstdint>

#include "simulation/program_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  skelda::SimulationSettings settings;
  settings.width = 64;  // a fixed grid: the picture never grows with the program
  settings.height = 64;
  // Odd first bytes time the job through a serial line as well.
  if (size > 0 && (data[0] & 1) != 0) settings.motion.baud = 115200;
  skelda::ProgramReader reader(settings);
  const char* text = reinterpret_cast<const char*>(data);
  const std::size_t split = size == 0 ? 0 : data[0] % (size + 1);
  try {
    reader.Feed(text, split);
    reader.Feed(text + split, size - split);
    reader.Finish();
  } catch (const skelda::Error&) {
  }
  return 0;
}
