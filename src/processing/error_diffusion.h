// Floyd-Steinberg error diffusion over a 32-bit bitmap. The pass numbers the rows from the
// bottom of the picture and walks each row from left to right; each cell is decided white (255)
// or black (0) against its threshold, and the error goes in shares of 7, 3, 5 and 1 sixteenths,
// each truncated toward zero, to the right, left-up, up and right-up cells not yet decided.
// Shares that would leave the picture are dropped. The gray value uses the diffusion weights
// (76, 151, 29); the fourth byte of each pixel is kept. A bitmap in another format is first
// brought to 32 bits.
#pragma once

#include "core/bitmap.h"
#include "core/random.h"
#include "processing/threshold_matrices.h"

namespace skelda {

// Where the threshold of each cell comes from: a cell of value v becomes white when its
// threshold <= v. A matrix's cells must lie within 0 .. 256 (the pass refuses others).
class DiffusionRule {
 public:
  static DiffusionRule Fixed128() { return DiffusionRule(Kind::Fixed, nullptr, nullptr); }
  // A draw in 0 .. 255 at the moment each cell is decided.
  static DiffusionRule Random(RandomGenerator& random) {
    return DiffusionRule(Kind::Random, &random, nullptr);
  }
  // The matrix cell of the pass row and column.
  static DiffusionRule Matrix(const ThresholdMatrix& matrix) {
    return DiffusionRule(Kind::Matrix, nullptr, &matrix);
  }

  enum class Kind { Fixed, Random, Matrix };
  Kind kind() const { return kind_; }
  RandomGenerator& random() const { return *random_; }
  const ThresholdMatrix& matrix() const { return *matrix_; }

 private:
  DiffusionRule(Kind kind, RandomGenerator* random, const ThresholdMatrix* matrix)
      : kind_(kind), random_(random), matrix_(matrix) {}
  Kind kind_;
  RandomGenerator* random_;
  const ThresholdMatrix* matrix_;
};

// The whole pass (fill, diffuse, write back). All storage is taken before the first pixel is
// changed, so a failure for want of memory leaves the pixels as they were. In place, or from a
// 32-bit source into a target of the same shape (which may be the source itself).
void DiffusionPass(Bitmap& bitmap, const DiffusionRule& rule);
void DiffusionPass(const Bitmap& source, Bitmap& target, const DiffusionRule& rule);

// The same on one thread, or on two taking alternate rows (the same pixels; drawn thresholds
// always take one). The two rows wait on each other, so two threads only pay when a core is
// free: the form above takes them only on big pictures on machines of at least four cores.
void DiffusionPass(const Bitmap& source, Bitmap& target, const DiffusionRule& rule, int threads);

}  // namespace skelda
