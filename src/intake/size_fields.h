// The four size fields of the side panel and how they are written from a size in dots.
#pragma once

#include <string>

namespace skelda {

// Width and height in mm, then in dots.
struct SizeFields {
  std::string widthMm;
  std::string heightMm;
  std::string widthDots;
  std::string heightDots;
  friend bool operator==(const SizeFields&, const SizeFields&) = default;
};

// The millimetres are dots x dot in extended precision (640 x 0.2 gives "128", 333 x 0.2
// "66.6"), the height's dots being rows `lineInterval` apart (0: the dot); the dots plain
// integers.
SizeFields SizeFieldsFor(long long widthDots, long long heightDots, double dot,
                         double lineInterval = 0);

}  // namespace skelda
