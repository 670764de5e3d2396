// The repeating threshold matrices of the cross effects, indexed by the pass row (rows counted
// from the bottom of the picture) and the column, both modulo the matrix size, so the patterns
// are anchored at the bottom-left corner.
#pragma once

#include <cstdint>

namespace skelda {

struct ThresholdMatrix {
  int size;
  std::int32_t cells[4][4];

  std::int32_t At(int passRow, int column) const { return cells[passRow % size][column % size]; }
};

inline constexpr ThresholdMatrix T2{2, {{32, 160}, {222, 96}}};
inline constexpr ThresholdMatrix T3{3, {{198, 255, 141}, {56, 28, 113}, {170, 85, 226}}};
// 16 k + 15 for the index k of the 4 x 4 Bayer matrix.
inline constexpr ThresholdMatrix T4{
    4, {{15, 143, 47, 175}, {207, 79, 239, 111}, {63, 191, 31, 159}, {255, 127, 223, 95}}};

}  // namespace skelda
