#include "gcode/grbl_raster.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

#include "core/errors.h"
#include "core/numbers.h"
#include "gcode/grbl_number.h"

namespace skelda {

namespace {

std::vector<long long> Edges(double dot, int count, long long shift) {
  std::vector<long long> values(static_cast<std::size_t>(count) + 1);
  for (int k = 0; k <= count; ++k) {
    values[static_cast<std::size_t>(k)] =
        ToThousandths(static_cast<long double>(k) * static_cast<long double>(dot)) + shift;
  }
  return values;
}

void CheckReach(long long farthest) {
  if (farthest >= kGrblLimitThousandths) {
    throw Error("The program would reach " + ThousandthsText(farthest) +
                " mm, beyond the 99999.999 mm a GRBL program can hold");
  }
}

// The first column from `from` on, walking by kStep, whose level differs from that of `from`;
// `end` if none does before it. Eight levels at a time where the byte order allows.
template <int kStep>
int SameLevelEnd(const std::uint8_t* levels, int from, int end) {
  const std::uint8_t level = levels[from];
  int e = from + kStep;
  if constexpr (std::endian::native == std::endian::little) {
    const std::uint64_t all = 0x0101010101010101ULL * level;
    std::uint64_t word;
    if constexpr (kStep > 0) {
      for (; end - e >= 8; e += 8) {
        std::memcpy(&word, levels + e, 8);
        if (word != all) return e + std::countr_zero(word ^ all) / 8;
      }
    } else {
      for (; e - end >= 8; e -= 8) {  // levels e - 7 .. e, the last in the top byte
        std::memcpy(&word, levels + e - 7, 8);
        if (word != all) return e - std::countl_zero(word ^ all) / 8;
      }
    }
  }
  while (e != end && levels[e] == level) e += kStep;
  return e;
}

char* Append(char* p, std::string_view text) {
  std::memcpy(p, text.data(), text.size());
  return p + text.size();
}

}  // namespace

GrblRowRaster::GrblRowRaster(double dot, double rowPitch, int columns, int rows,
                             const MachineProfile& profile)
    : overscan_(ToThousandths(profile.overscanMm)),
      rapidGap_(profile.rapidGapMm > 0 ? ToThousandths(profile.rapidGapMm) : -1) {
  const long long offset = ToThousandths(profile.scanOffsetMm);
  edges_ = Edges(dot, columns, 0);
  CheckReach(edges_.back() + overscan_ + std::max(offset, -offset));
  forward_ = Format(edges_);
  reverse_ = Format(Edges(dot, columns, offset));
  const std::vector<long long> ys = Edges(rowPitch, rows, 0);
  CheckReach(ys.back());
  rows_ = Format(ys);
}

GrblRowRaster::Texts GrblRowRaster::Format(const std::vector<long long>& values) {
  Texts t;
  t.value = values;
  t.cells.assign(values.size() * kSlot, '\0');
  t.length.resize(values.size());
  for (std::size_t k = 0; k < values.size(); ++k) {
    t.length[k] = static_cast<std::uint8_t>(FormatThousandths(values[k], &t.cells[k * kSlot]));
  }
  return t;
}

void GrblRowRaster::Rapid(BufferedOutput& out, long long x, int row) {
  char line[64];
  char* p = Append(line, "G0");
  if (x != x_ || row_ < 0) {
    p = Append(p, "X");
    p += FormatThousandths(x, p);
    x_ = x;
  }
  if (row != row_) {
    p = Append(Append(p, "Y"), rows_.Text(row));
    row_ = row;
  }
  if (p == line + 2) return;
  *p++ = '\n';
  out.Put({line, static_cast<std::size_t>(p - line)});
  feeding_ = false;
  range_.low = std::min(range_.low, x);
  range_.high = std::max(range_.high, x);
}

// GRBL keeps G1 until the next G0 and reads a line of axis and S words in the current motion
// mode, so a pass names G1 once and packs its words without spaces.
void GrblRowRaster::Feed(BufferedOutput& out, long long x, const Texts* texts, int edge,
                         int power) {
  // "G1X" 3, the number at most 15 (a whole slot is copied), "S" and 7 digits, "\n".
  char* const line = out.Reserve(3 + kSlot + 1 + 7 + 1);
  char* p = Append(line, feeding_ ? "X" : "G1X");
  feeding_ = true;
  if (texts != nullptr) {
    std::memcpy(p, texts->cells.data() + static_cast<std::size_t>(edge) * kSlot, kSlot);
    p += texts->length[static_cast<std::size_t>(edge)];
  } else {
    p += FormatThousandths(x, p);
  }
  if (power != power_) {
    char* const digits = Append(p, "S");
    p = std::to_chars(digits, digits + 7, power).ptr;
    power_ = power;
  }
  *p++ = '\n';
  out.Advance(p);
  x_ = x;
  range_.low = std::min(range_.low, x);
  range_.high = std::max(range_.high, x);
}

// Forward, a stretch c .. e - 1 ends at edge e; reverse, a stretch c .. e + 1 ends at e + 1.
// Neighbours of one level are one stretch without a look at the palette.
template <int kStep>
void GrblRowRaster::WriteStretches(BufferedOutput& out, const std::uint8_t* levels,
                                   const int* palette, const Texts& t, int begin, int end,
                                   std::uint64_t& burns) {
  for (int c = begin; c != end;) {
    const int power = std::max(palette[levels[c]], 0);
    int e = SameLevelEnd<kStep>(levels, c, end);
    while (e != end && std::max(palette[levels[e]], 0) == power) {
      e = SameLevelEnd<kStep>(levels, e, end);
    }
    const int stop = kStep < 0 ? e + 1 : e;
    const long long to = t.value[static_cast<std::size_t>(stop)];
    // In laser mode GRBL keeps the beam off through a G0, and brakes to the next burn's feed
    // before that burn begins.
    if (power == 0 && rapidGap_ >= 0 && std::max(to - x_, x_ - to) > rapidGap_) {
      Rapid(out, to, row_);
      c = e;
      continue;
    }
    Feed(out, to, &t, stop, power);
    if (power > 0) ++burns;
    c = e;
  }
}

bool GrblRowRaster::WritePass(BufferedOutput& out, const std::uint8_t* levels, const int* palette,
                              int row, bool reverse, std::uint64_t& burns) {
  const int columns = static_cast<int>(edges_.size()) - 1;
  int first = 0;
  while (first < columns && palette[levels[first]] <= 0) ++first;
  if (first == columns) return false;
  int last = columns - 1;
  while (palette[levels[last]] <= 0) --last;
  const Texts& t = reverse ? reverse_ : forward_;
  auto at = [&t](int e) { return t.value[static_cast<std::size_t>(e)]; };

  const int begin = reverse ? last : first;
  const int end = reverse ? first - 1 : last + 1;
  const int entry = reverse ? last + 1 : first;
  const long long lead = reverse ? overscan_ : -overscan_;

  Rapid(out, at(entry) + lead, row);
  if (overscan_ != 0) Feed(out, at(entry), &t, entry, 0);
  if (reverse) {
    WriteStretches<-1>(out, levels, palette, t, begin, end, burns);
  } else {
    WriteStretches<1>(out, levels, palette, t, begin, end, burns);
  }
  if (overscan_ != 0) Feed(out, x_ - lead, nullptr, 0, 0);
  return true;
}

}  // namespace skelda
