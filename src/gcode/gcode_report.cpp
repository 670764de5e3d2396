#include <string>

#include "gcode/gcode_command.h"

namespace skelda {

std::string GcodeReport(const std::string& chosenNameWithoutFolder, std::int64_t elapsedMs,
                        std::uint64_t count, bool lineMode) {
  // A run within one clock tick, or a tick count that wrapped during it, has no useful number.
  const std::string elapsed = elapsedMs > 0 ? std::to_string(elapsedMs) : "менее 1";
  return "Программа " + chosenNameWithoutFolder + ".nc успешно создана !\r\n" +
         "Время создания программы: " + elapsed + "мс. (1000мс=1сек.)\r\n" +
         (lineMode ? "Кол-во черных линий: " : "Кол-во черных точек: ") + std::to_string(count) +
         "шт.";
}

}  // namespace skelda
