// Storage for picture rows. A photo's rows take tens of megabytes, and on small-page memory the
// first touch of every 4 KB page costs a fault; large blocks are therefore aligned to 2 MB and
// offered to the kernel for huge pages, which makes a fresh picture-sized block nearly as cheap
// as a copy, and the last two large blocks freed are kept for the next pictures, which makes
// their pages free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

namespace skelda {

void* AllocatePixels(std::size_t bytes);
void FreePixels(void* block) noexcept;

template <class T>
struct PixelAllocator {
  using value_type = T;
  PixelAllocator() = default;
  template <class U>
  PixelAllocator(const PixelAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) { return static_cast<T*>(AllocatePixels(n * sizeof(T))); }
  void deallocate(T* p, std::size_t) noexcept { FreePixels(p); }
  // Elements made without a value are left unset: a bitmap clears its rows itself unless a
  // decoder is about to write every one, and pages of a large block that are never written are
  // then never committed.
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U>
  friend bool operator==(const PixelAllocator&, const PixelAllocator<U>&) {
    return true;
  }
};

}  // namespace skelda
