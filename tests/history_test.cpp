#include "core/history.h"

#include <gtest/gtest.h>

#include "support/bitmap_assert.h"

namespace skelda {
namespace {

// A committing step as the picture commands make one: the shown picture changed, then copied
// into the base.
void Commit(History& history, Workspace& ws, int step) {
  HistoryState before = history.Capture(ws, {});
  ws.ShownBitmap.SetPixelColor(step % ws.ShownBitmap.Width(), 0, Color(step + 1));
  ws.BaseBitmap = ws.ShownBitmap;
  ws.BwMode = step % 4;
  history.Record(std::move(before), ws, {});
}

// Undo all the way back: how many steps were taken back.
int UndoAll(History& history, Workspace& ws) {
  int undone = 0;
  for (; history.CanUndo(); ++undone) Restore(history.Undo(history.Capture(ws, {})), ws);
  return undone;
}

TEST(History, KeepsTheNewestTwentyStepsOfChanges) {
  History history;
  Workspace ws;
  ws.StartUp(Bitmap(32, 4, PixelFormat::Bit32));
  EXPECT_FALSE(history.Record(history.Capture(ws, {}), ws, {}));  // nothing changed
  EXPECT_TRUE(history.Record(history.Capture(ws, {}), ws, PanelValues{{"0.3"}, {}, false}));
  for (int step = 0; step < 30; ++step) Commit(history, ws, step);
  EXPECT_EQ(history.Steps(), 20u);
  EXPECT_EQ(UndoAll(history, ws), 20);
  EXPECT_EQ(ws.BaseBitmap.PixelColor(9, 0), Color(10));  // as before the eleventh commit
  EXPECT_EQ(ws.BaseBitmap.PixelColor(10, 0), Color(0));
}

// A bitmap that a step did not change is held once, and counted once.
TEST(History, UnchangedBitmapsAreShared) {
  History history;
  Workspace ws;
  ws.StartUp(Bitmap(256, 256, PixelFormat::Bit32));            // 256 KiB
  for (Bitmap* changed : {&ws.ShownBitmap, &ws.BaseBitmap}) {  // a conversion, "Применить"
    const std::size_t held = history.Bytes();
    HistoryState before = history.Capture(ws, {});
    changed->SetPixelColor(0, 0, kWhite);
    history.Record(std::move(before), ws, {});
    EXPECT_LT(history.Bytes() - held, 256u * 256 * 4 + 4096);  // one bitmap, not two
  }
}

// A 6000 x 4000 photo takes 96 MB a bitmap: thirty commits keep the newest that fit in 1 GiB,
// and the oldest of them still gives its picture back.
TEST(History, StaysWithinOneGibibyteOnAPhoto) {
#ifdef SKELDA_SANITIZED
  GTEST_SKIP() << "a gibibyte of fresh pages held in the sanitizer's quarantine is slow to fault";
#endif
  History history;
  Workspace ws;
  ws.StartUp(Bitmap(6000, 4000, PixelFormat::Bit32));
  const std::size_t picture = ws.BaseBitmap.ByteSize();
  for (int step = 0; step < 30; ++step) {
    Commit(history, ws, step);
    EXPECT_LE(history.Bytes(), History::kMaxBytes) << step;
  }
  EXPECT_EQ(history.Steps(), History::kMaxBytes / picture);  // 11, one bitmap each
  EXPECT_GT(history.Bytes() + picture, History::kMaxBytes);
  const int oldest = 30 - UndoAll(history, ws);
  EXPECT_EQ(ws.BaseBitmap.PixelColor(oldest - 1, 0), Color(oldest));
  EXPECT_EQ(ws.BaseBitmap.PixelColor(oldest, 0), Color(0));
}

}  // namespace
}  // namespace skelda
