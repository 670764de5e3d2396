#include "gcode/coordinate_text.h"

#include <cstring>
#include <stdexcept>

#include "core/errors.h"
#include "core/numbers.h"

namespace skelda {

std::string CoordinateText(long long k, double dot) {
  return FloatToStr(static_cast<long double>(k) * static_cast<long double>(dot));
}

namespace {

std::string FixedCoordinateText(long long k, double dot) {
  std::string text = CoordinateText(k, dot);
  if (text.find_first_not_of("0123456789.-") != std::string::npos) {
    throw Error("The coordinate " + std::to_string(k) + " x " + FloatToStr(dot) +
                " mm would be written as " + text +
                ", which a G-code program cannot hold; choose a dot size from 0.00001 mm "
                "and a picture below 10^15 mm");
  }
  return text;
}

}  // namespace

void CheckCoordinateReach(double dot, int count) {
  // k × dot grows with k: when the first and the last step print in fixed notation, all do.
  if (count >= 1) FixedCoordinateText(1, dot);
  FixedCoordinateText(count, dot);
}

CoordinateTexts::CoordinateTexts(double dot, int count) {
  texts_.reserve(static_cast<std::size_t>(count) + 1);
  for (int k = 0; k <= count; ++k) {
    std::string text = FixedCoordinateText(k, dot);
    if (text.size() > maxLength_) maxLength_ = text.size();
    texts_.push_back(std::move(text));
  }
}

LineSlots::LineSlots(const CoordinateTexts& texts, std::string_view prefix,
                     std::string_view suffix) {
  const std::size_t longest = prefix.size() + texts.MaxLength() + suffix.size();
  if (longest > 255) throw std::length_error("G-code line too long");
  slotWidth_ = (longest + 15) / 16 * 16;
  const std::size_t count = static_cast<std::size_t>(texts.Count()) + 1;
  slots_.assign(count * slotWidth_, '\0');
  lengths_.resize(count);
  for (std::size_t k = 0; k < count; ++k) {
    const std::string_view text = texts[static_cast<int>(k)];
    char* slot = slots_.data() + k * slotWidth_;
    std::memcpy(slot, prefix.data(), prefix.size());
    std::memcpy(slot + prefix.size(), text.data(), text.size());
    std::memcpy(slot + prefix.size() + text.size(), suffix.data(), suffix.size());
    lengths_[k] = static_cast<std::uint8_t>(prefix.size() + text.size() + suffix.size());
  }
}

}  // namespace skelda
