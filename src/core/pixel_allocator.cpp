#include "core/pixel_allocator.h"

#include <malloc.h>
#include <sys/mman.h>

#include <cstdlib>
#include <mutex>
#include <new>

namespace skelda {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kLargeBlock = std::size_t(4) << 20;

// The last large blocks freed, kept for the next pictures: a picture is mostly replaced by one
// of a similar size (a load over the last load, a command's copy of the picture), and a kept
// block has its pages already, where a fresh one costs a fault and the kernel's zeroing for each
// of them. Two blocks at most stay kept, the older going first; a block more than twice the
// size asked for is not used for it. Constant-initialised and never destroyed, so that a bitmap
// freed during the program's exit still finds it.
class SpareBlocks {
 public:
  void* Take(std::size_t bytes) {
    const std::lock_guard<std::mutex> lock(mutex_);
    Spare* best = nullptr;
    for (Spare& s : spares_) {
      if (s.block != nullptr && s.size >= bytes && s.size / 2 <= bytes &&
          (best == nullptr || s.size < best->size))
        best = &s;
    }
    if (best == nullptr) return nullptr;
    void* block = best->block;
    *best = {};
    return block;
  }

  void Keep(void* block, std::size_t size) noexcept {
    void* dropped = nullptr;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      dropped = spares_[1].block;
      spares_[1] = spares_[0];
      spares_[0] = {block, size};
    }
    std::free(dropped);  // outside the lock: giving pages back takes a while
  }

 private:
  struct Spare {
    void* block = nullptr;
    std::size_t size = 0;  // usable bytes
  };
  std::mutex mutex_;
  Spare spares_[2];
};

constinit SpareBlocks gSpares;

}  // namespace

void* AllocatePixels(std::size_t bytes) {
  if (bytes == 0) bytes = 1;
  if (bytes < kLargeBlock) {
    if (void* p = std::malloc(bytes)) return p;
    throw std::bad_alloc();
  }
  if (void* p = gSpares.Take(bytes)) return p;
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* p = nullptr;
  if (posix_memalign(&p, kHugePage, rounded) != 0) throw std::bad_alloc();
  ::madvise(p, rounded, MADV_HUGEPAGE);  // only advice: ignored where huge pages are off
  return p;
}

void FreePixels(void* block) noexcept {
  if (block == nullptr) return;
  const std::size_t size = ::malloc_usable_size(block);
  if (size >= kLargeBlock) {
    gSpares.Keep(block, size);
  } else {
    std::free(block);
  }
}

}  // namespace skelda
