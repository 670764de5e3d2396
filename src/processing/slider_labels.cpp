#include <string>

#include "processing/processing_commands.h"

namespace skelda {

std::string ThresholdLabel(int position) {
  return "Черно-белое " + std::to_string(position * 100 / 256) + "%";
}

std::string SharpnessLabel(int position) {
  return "Резкость " + std::to_string(position) + "%";
}

std::string BrightnessLabel(int position) {
  return "Яркость " + std::to_string(position * 100 / 200) + "%";
}

std::string ContrastLabel(int position) {
  return "Контрастность " + std::to_string(position) + "%";
}

}  // namespace skelda
