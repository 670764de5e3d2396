// The row steps every error-diffusion pass shares: a picture row into cells of gray values, and
// the decided cells back into a picture row.
#pragma once

#include <cstdint>

namespace skelda {

// cells[0 .. width-1] := the gray values (diffusion weights) of the row's 32-bit pixels, and
// cells[width] := 0 (the cell that catches a share leaving the picture).
void FillRow(const std::uint8_t* row, int width, std::int32_t* cells);

// target pixel := the fourth byte of the source pixel with the colour of decided (0x00FFFFFF
// white, 0 black). source may be target.
void WriteBackRow(const std::uint8_t* source, std::uint8_t* target, int width,
                  const std::uint32_t* decided);

}  // namespace skelda
