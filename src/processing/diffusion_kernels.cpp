#include "processing/diffusion_kernels.h"

namespace skelda {

const DiffusionKernel* KernelOf(DotMethod method) {
  switch (method) {
    case DotMethod::Atkinson:
      return &kAtkinson;
    case DotMethod::JarvisJudiceNinke:
      return &kJarvisJudiceNinke;
    case DotMethod::Stucki:
      return &kStucki;
    case DotMethod::Burkes:
      return &kBurkes;
    case DotMethod::Sierra:
      return &kSierra;
    case DotMethod::TwoRowSierra:
      return &kTwoRowSierra;
    case DotMethod::SierraLite:
      return &kSierraLite;
    case DotMethod::Bayer8:
      break;
  }
  return nullptr;
}

}  // namespace skelda
