#include "core/history.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/bitmap_assert.h"

namespace skelda {
namespace {

constexpr std::size_t kMiB = std::size_t(1) << 20;

Bitmap Numbered(int width, int height, int seed) {
  Bitmap bitmap(width, height, PixelFormat::Bit32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bitmap.SetPixelColor(x, y, Color((x * 31 + y * 7 + seed) & 0xFFFFFF));
  return bitmap;
}

// A committing step as the picture commands make one: the shown picture changed, then copied
// into the base.
void Commit(History& history, Workspace& ws, int step, const PanelValues& panel = {}) {
  HistoryState before = history.Capture(ws, panel);
  ws.ShownBitmap.SetPixelColor(step % ws.ShownBitmap.Width(), 0, Color(step + 1));
  ws.BaseBitmap = ws.ShownBitmap;
  ws.BwMode = step % 4;
  history.Record(std::move(before), ws, panel);
}

TEST(History, ACommandThatChangesNothingLeavesNoStep) {
  History history;
  Workspace ws;
  ws.StartUp(Numbered(8, 6, 0));
  const PanelValues panel{{"0.2"}, {0}, true};
  EXPECT_FALSE(history.Record(history.Capture(ws, panel), ws, panel));
  EXPECT_TRUE(history.Record(history.Capture(ws, panel), ws, PanelValues{{"0.3"}, {0}, true}));
  HistoryState before = history.Capture(ws, panel);
  ws.MouseTool = kMouseToolOff;  // a mode alone is a change too
  EXPECT_TRUE(history.Record(std::move(before), ws, panel));
  EXPECT_EQ(history.Steps(), 2u);
}

// A bitmap that a step did not change is held once, and the count says so.
TEST(History, UnchangedBitmapsAreSharedAndCountedOnce) {
  History history;
  Workspace ws;
  ws.StartUp(Numbered(256, 256, 0));  // 256 KiB a bitmap, base and shown equal
  HistoryState first = history.Capture(ws, {});
  EXPECT_EQ(first.base, first.shown);
  ws.ShownBitmap = Numbered(256, 256, 1);  // a conversion: the shown picture alone
  history.Record(std::move(first), ws, {});
  const std::size_t one = history.Bytes();
  EXPECT_GE(one, 256u * 256 * 4);
  EXPECT_LT(one, 256u * 256 * 4 + 4096);

  HistoryState second = history.Capture(ws, {});
  ws.BaseBitmap = ws.ShownBitmap;  // "Применить": the base changes, the shown one does not
  history.Record(std::move(second), ws, {});
  EXPECT_LT(history.Bytes() - one, 256u * 256 * 4 + 4096);  // one new bitmap, not two
}

TEST(History, KeepsTheNewestTwentySteps) {
  History history;
  Workspace ws;
  ws.StartUp(Numbered(16, 4, 0));
  std::vector<Bitmap> bases;
  for (int step = 0; step < 30; ++step) {
    bases.push_back(ws.BaseBitmap);
    Commit(history, ws, step);
  }
  EXPECT_EQ(history.Steps(), 20u);
  int undone = 0;
  while (history.CanUndo()) {
    Restore(history.Undo(history.Capture(ws, {})), ws);
    ++undone;
  }
  EXPECT_EQ(undone, 20);
  EXPECT_BITMAP_EQ(ws.BaseBitmap, bases[10]);
  EXPECT_EQ(ws.BwMode, 9 % 4);
}

// A 6000 x 4000 photo takes 96 MB a bitmap: thirty commits keep only what fits in 1 GiB, the
// newest ones, and the last of them still gives its picture back.
TEST(History, StaysWithinOneGibibyteOnAPhoto) {
#ifdef SKELDA_SANITIZED
  GTEST_SKIP() << "a gibibyte of fresh pages held in the sanitizer's quarantine is slow to fault";
#endif
  History history;
  Workspace ws;
  ws.StartUp(Bitmap(6000, 4000, PixelFormat::Bit32));
  const std::size_t picture = ws.BaseBitmap.ByteSize();
  ASSERT_EQ(picture, 96'000'000u);
  for (int step = 0; step < 30; ++step) {
    Commit(history, ws, step);
    EXPECT_LE(history.Bytes(), History::kMaxBytes) << step;
  }
  EXPECT_EQ(history.Steps(), History::kMaxBytes / picture);  // each step one bitmap of its own
  EXPECT_GT(history.Bytes() + picture, History::kMaxBytes);
  EXPECT_GT(history.Bytes(), 1000 * kMiB);
  std::size_t undone = 0;
  while (history.CanUndo()) {
    Restore(history.Undo(history.Capture(ws, {})), ws);
    ++undone;
  }
  const int oldest = int(30 - undone);  // the state before this step is the oldest left
  EXPECT_EQ(ws.BaseBitmap.PixelColor(oldest - 1, 0), Color(oldest));
  EXPECT_EQ(ws.BaseBitmap.PixelColor(oldest, 0), Color(0));
  EXPECT_LE(history.Bytes(), History::kMaxBytes);
}

}  // namespace
}  // namespace skelda
