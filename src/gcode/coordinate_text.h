// The coordinate texts of a program. Every column's X and every row's Y is the same text each
// time it occurs, so each is formatted once and the lines that carry it are kept ready-made.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skelda {

// k × dot, formed in extended precision from the double dot, in the general number format.
std::string CoordinateText(long long k, double dot);

// Throws the refusal below when one of k × dot, k = 0 .. count, would be in exponent form; a
// picture's reach, checked as soon as its size is known.
void CheckCoordinateReach(double dot, int count);

// The texts of k × dot for k = 0 .. count. Throws when one of them would be in exponent form,
// which a controller would misread.
class CoordinateTexts {
 public:
  CoordinateTexts(double dot, int count);

  std::string_view operator[](int k) const { return texts_[static_cast<std::size_t>(k)]; }
  int Count() const { return static_cast<int>(texts_.size()) - 1; }
  std::size_t MaxLength() const { return maxLength_; }

 private:
  std::vector<std::string> texts_;
  std::size_t maxLength_ = 0;
};

// prefix + text + suffix for every text, each in a slot of one fixed width (a multiple of 16,
// zero-filled past the line): a writer copies the whole slot and advances by the line's length,
// which makes every line one fixed-size copy.
class LineSlots {
 public:
  LineSlots() = default;
  LineSlots(const CoordinateTexts& texts, std::string_view prefix, std::string_view suffix);

  std::size_t SlotWidth() const { return slotWidth_; }
  const char* Slot(int k) const { return slots_.data() + static_cast<std::size_t>(k) * slotWidth_; }
  std::size_t Length(int k) const { return lengths_[static_cast<std::size_t>(k)]; }
  std::string_view Line(int k) const { return {Slot(k), Length(k)}; }

 private:
  std::size_t slotWidth_ = 0;
  std::vector<char> slots_;
  std::vector<std::uint8_t> lengths_;
};

}  // namespace skelda
