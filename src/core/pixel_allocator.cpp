#include "core/pixel_allocator.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace skelda {

namespace {
constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kLargeBlock = std::size_t(4) << 20;
}  // namespace

void* AllocatePixels(std::size_t bytes) {
  if (bytes == 0) bytes = 1;
  if (bytes < kLargeBlock) {
    if (void* p = std::malloc(bytes)) return p;
    throw std::bad_alloc();
  }
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* p = nullptr;
  if (posix_memalign(&p, kHugePage, rounded) != 0) throw std::bad_alloc();
  ::madvise(p, rounded, MADV_HUGEPAGE);  // only advice: ignored where huge pages are off
  return p;
}

void FreePixels(void* block) noexcept {
  std::free(block);
}

}  // namespace skelda
