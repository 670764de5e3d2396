// One row of a GRBL laser-mode raster: the moves that burn a row's columns at given powers.
// A row comes as one level per column (0 .. 255) and a palette of 256 powers, so that finding
// stretches compares bytes: a black-and-white row uses two levels, a grayscale row the gray
// value itself, a test grid one level per cell.
//
// Columns c of width d span c × d .. (c + 1) × d; row k lies at Y = k × the row pitch (the
// line interval, often the dot size itself). A pass over a row
// writes, with every X in thousandths of a mm (see grbl_number.h) and each line ended by "\n":
//   G0X<lead-in>Y<k × pitch>    rapid to the lead-in point (X or Y left out when unchanged)
//   G1X<first edge>S0           the overscan run-up, only with overscan (S0 only if S was not 0)
//   X<edge>S<power>             one move per stretch of columns of equal power; a stretch of
//                               power 0 inside the row is a gap crossed with S0 at the same feed,
//                               or with G0X<edge> when it is longer than the profile's rapid gap
//   X<last edge ± overscan>S0   the lead-out, only with overscan
// The first feed move after a G0 names G1; the others carry only their X and S words.
// A left-to-right pass starts at the left edge of its first powered column and ends at the right
// edge of its last; a right-to-left pass the other way round, with every X shifted by the scan
// offset. An S equal to the last one written is left out. Powers are whole S values, 0 = off.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gcode/gcode_sink.h"
#include "gcode/machine_profile.h"

namespace skelda {

// The smallest and largest X the program moves to, in thousandths of a mm.
struct XRange {
  long long low = 0;
  long long high = 0;
};

class GrblRowRaster {
 public:
  // Formats the X of every column edge (and its shifted twin for reverse passes) and the Y of
  // every row once. Throws when a coordinate would not fit GRBL's eight digits.
  GrblRowRaster(double dot, double rowPitch, int columns, int rows, const MachineProfile& profile);

  // Writes one pass over row `row` (0 = the bottom row, Y = 0): column c, counted from the
  // left, burns at S = palette[levels[c]] (0 or less: off). A row without any power writes
  // nothing and returns false. Adds the count of burning moves to `burns`.
  bool WritePass(BufferedOutput& out, const std::uint8_t* levels, const int* palette, int row,
                 bool reverse, std::uint64_t& burns);

  // Every X written so far, and X = 0 (where the program starts and ends).
  XRange Range() const { return range_; }
  long long EdgeThousandths(int edge) const { return edges_[static_cast<std::size_t>(edge)]; }

 private:
  // Each text in a slot of kSlot bytes, so that a line copies a fixed size.
  static constexpr std::size_t kSlot = 16;
  struct Texts {
    std::vector<long long> value;
    std::vector<char> cells;
    std::vector<std::uint8_t> length;
    std::string_view Text(int k) const {
      return {cells.data() + static_cast<std::size_t>(k) * kSlot, length[std::size_t(k)]};
    }
  };
  static Texts Format(const std::vector<long long>& values);
  void Rapid(BufferedOutput& out, long long x, int row);
  template <int kStep>
  void WriteStretches(BufferedOutput& out, const std::uint8_t* levels, const int* palette,
                      const Texts& t, int begin, int end, std::uint64_t& burns);
  // `text` is a slot of `values` or null (then x is formatted here).
  void Feed(BufferedOutput& out, long long x, const Texts* texts, int edge, int power);

  std::vector<long long> edges_;  // column edge c at c × d, in thousandths
  Texts forward_;                 // edges as left-to-right passes write them
  Texts reverse_;                 // edges shifted by the scan offset
  Texts rows_;                    // Y of each row
  long long overscan_;
  long long rapidGap_;  // a white gap longer than this is crossed with G0; -1: never
  long long x_ = 0;
  bool feeding_ = false;  // G1 is the motion mode
  int row_ = -1;          // -1: the position is not yet known
  int power_ = 0;
  XRange range_;
};

}  // namespace skelda
