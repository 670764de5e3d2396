// Splits the rows of a big picture into bands, one per core, for passes whose result does not
// depend on the order of the rows.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace skelda {

// The first row of each band and, last, the row count: one band unless the picture (rows x
// bytesPerRow) is big enough to gain from several threads. Empty for no rows.
std::vector<int> RowBandStarts(int rows, std::size_t bytesPerRow);

// Runs work(band, first, last) for every band of the starts, the first band on the caller's
// thread and the others on threads of their own (or on the caller's when no thread can be
// had). work must not throw.
void RunRowBands(const std::vector<int>& starts,
                 const std::function<void(int band, int first, int last)>& work);

// RunRowBands over RowBandStarts.
void ForEachRowBand(int rows, std::size_t bytesPerRow,
                    const std::function<void(int first, int last)>& work);

}  // namespace skelda
