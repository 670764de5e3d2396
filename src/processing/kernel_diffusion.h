// Error diffusion with a kernel of diffusion_kernels.h, in the pass order of the "Точками"
// dithering: the pass numbers the rows from the bottom of the picture and walks each row from
// left to right; a cell of value v becomes white (255) when 128 <= v, else black (0); each share
// of the error is weight x error / divisor truncated toward zero, computed on its own; shares that
// would leave the picture are dropped. Serpentine: every odd pass row runs right to left with the
// kernel mirrored. The gray value uses the diffusion weights (76, 151, 29); the fourth byte of
// each pixel is kept.
#pragma once

#include "core/bitmap.h"
#include "processing/diffusion_kernels.h"

namespace skelda {

// All storage is taken before the first pixel is changed. In place (a bitmap in another format
// is first brought to 32 bits), or from a 32-bit source into a target of the same shape (which
// may be the source itself).
void KernelDiffusionPass(Bitmap& bitmap, const DiffusionKernel& kernel, bool serpentine);
void KernelDiffusionPass(const Bitmap& source, Bitmap& target, const DiffusionKernel& kernel,
                         bool serpentine);

}  // namespace skelda
