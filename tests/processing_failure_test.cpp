// The commands when memory runs out: every failure is a std::bad_alloc that leaves both
// bitmaps whole, BaseBitmap as it was and ShownBitmap in the state the failing step found.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <new>

#include "core/pixel_allocator.h"
#include "processing/processing_commands.h"
#include "processing_reference.h"
#include "support/bitmap_assert.h"

namespace {

std::size_t gRefuseFrom = std::numeric_limits<std::size_t>::max();

// While it lives, every allocation of at least the given size fails.
class RefuseAllocations {
 public:
  explicit RefuseAllocations(std::size_t bytes) { gRefuseFrom = bytes; }
  ~RefuseAllocations() { gRefuseFrom = std::numeric_limits<std::size_t>::max(); }
};

}  // namespace

void* operator new(std::size_t size) {
  if (size >= gRefuseFrom) throw std::bad_alloc();
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
// Never inlined: GCC would see free() meet a pointer from new and warn.
[[gnu::noinline]] void operator delete(void* p) noexcept {
  std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

// Picture storage, in place of the library's: refused the same way.
namespace skelda {
void* AllocatePixels(std::size_t bytes) {
  if (bytes >= gRefuseFrom) throw std::bad_alloc();
  if (void* p = std::malloc(bytes ? bytes : 1)) return p;
  throw std::bad_alloc();
}
void FreePixels(void* block) noexcept {
  std::free(block);
}
}  // namespace skelda

namespace skelda {
namespace {

using reference::RandomPicture;

constexpr int kWidth = 2000;  // a row of 8000 bytes
constexpr int kHeight = 3;

class OutOfMemory : public ::testing::Test {
 protected:
  void SetUp() override {
    ws.StartUp(RandomPicture(kWidth, kHeight, PixelFormat::Bit32, 5));
    // Something other than the plain copy is shown.
    ThresholdCommand(ws, 128);
    ws.BwMode = kBwModeNone;
    base = ws.BaseBitmap;
  }
  Workspace ws;
  Bitmap base;
};

TEST_F(OutOfMemory, DitheringWithoutItsErrorRowsShowsThePlainCopy) {
  {
    RefuseAllocations refuse(kWidth * 4);
    EXPECT_THROW(DitherCommand(ws), std::bad_alloc);
  }
  EXPECT_EQ(ws.BwMode, kBwModeDither);
  EXPECT_TRUE(ws.EffectApplied);
  EXPECT_SAME_BYTES(ws.BaseBitmap, base);
  EXPECT_SAME_BYTES(ws.ShownBitmap, base);
}

TEST_F(OutOfMemory, EveryCommandLeavesThePlainCopyShown) {
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"threshold", [&] { ThresholdCommand(ws, 100); }},
      {"dither", [&] { DitherCommand(ws); }},
      {"sharpen", [&] { ToneSliderMoved(ws, ToneSlider::Sharpness, 40); }},
      {"brightness", [&] { ToneSliderMoved(ws, ToneSlider::Brightness, 40); }},
      {"contrast", [&] { ToneSliderMoved(ws, ToneSlider::Contrast, 40); }},
      {"random threshold", [&] { RandomThresholdCommand(ws); }},
      {"random dither", [&] { RandomDitherCommand(ws); }},
      {"cross 1", [&] { CrossCommand(ws, 1); }},
      {"cross 4", [&] { CrossCommand(ws, 4); }},
      {"scatter", [&] { ScatterCommand(ws, 2); }},
      {"mosaic", [&] { MosaicCommand(ws); }},
  };
  for (const auto& [name, command] : commands) {
    ThresholdCommand(ws, 128);
    ws.EffectApplied = false;
    ws.BwMode = kBwModeNone;
    {
      RefuseAllocations refuse(1);
      EXPECT_THROW(command(), std::bad_alloc) << name;
    }
    EXPECT_SAME_BYTES(ws.BaseBitmap, base) << name;
    EXPECT_BITMAP_EQ(ws.ShownBitmap, base) << name;
  }
}

TEST_F(OutOfMemory, ScatterWithoutItsCopyKeepsBothPictures) {
  {
    RefuseAllocations refuse(kWidth * kHeight * 4);
    EXPECT_THROW(ScatterCommand(ws, 5), std::bad_alloc);
  }
  EXPECT_SAME_BYTES(ws.BaseBitmap, base);
  EXPECT_SAME_BYTES(ws.ShownBitmap, base);
  EXPECT_EQ(ws.ShownBitmap.Format(), PixelFormat::Bit32);
}

TEST_F(OutOfMemory, AFailedCopyLeavesTheOldShownPictureWhole) {
  ws.ShownBitmap = Bitmap(3, 2, PixelFormat::Bit32);
  {
    RefuseAllocations refuse(kWidth * 4);
    EXPECT_THROW(ThresholdCommand(ws, 100), std::bad_alloc);
  }
  EXPECT_EQ(ws.ShownBitmap.Width(), 3);
  EXPECT_EQ(ws.ShownBitmap.Height(), 2);
  EXPECT_EQ(ws.ShownBitmap.ByteSize(), 24u);
  EXPECT_SAME_BYTES(ws.BaseBitmap, base);
}

}  // namespace
}  // namespace skelda
