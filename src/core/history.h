// Undo and redo: the states before the commands that committed the picture, each holding both
// bitmaps, the mode variables and the values of the window's controls that go with them.
// Bitmaps are kept immutable behind shared pointers, so a bitmap that did not change between
// steps is held once.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/workspace.h"

namespace skelda {

// What the caller shows beside the picture (the window: field and label texts, slider positions,
// whether the picture commands are on), in the caller's own order.
struct PanelValues {
  std::vector<std::string> texts;
  std::vector<int> positions;
  bool pictureCommands = false;
  friend bool operator==(const PanelValues&, const PanelValues&) = default;
};

struct HistoryState {
  std::shared_ptr<const Bitmap> base;
  std::shared_ptr<const Bitmap> shown;
  WorkspaceModes modes;
  PanelValues panel;
};

class History {
 public:
  static constexpr std::size_t kMaxBytes = std::size_t(1) << 30;
  static constexpr std::size_t kMaxSteps = 20;

  explicit History(std::size_t maxBytes = kMaxBytes, std::size_t maxSteps = kMaxSteps)
      : maxBytes_(maxBytes), maxSteps_(maxSteps) {}

  // The state now. A bitmap equal to one of the neighbouring steps shares its pixels.
  HistoryState Capture(const Workspace& ws, PanelValues panel) const;
  // After a command that started in `before`: when the state has changed since, `before`
  // becomes the newest undo step and the redo steps are dropped; then the oldest steps go
  // until the bounds hold. True when recorded.
  bool Record(HistoryState before, const Workspace& ws, const PanelValues& panel);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // `now` is kept as the step a redo (or undo) returns to; the state to restore is returned.
  // Only when CanUndo (CanRedo).
  HistoryState Undo(HistoryState now);
  HistoryState Redo(HistoryState now);

  std::size_t Steps() const { return undo_.size() + redo_.size(); }
  // The bytes the steps hold, each shared bitmap counted once.
  std::size_t Bytes() const;

 private:
  std::shared_ptr<const Bitmap> Share(const Bitmap& bitmap, const HistoryState& partner) const;
  void Trim();

  std::size_t maxBytes_;
  std::size_t maxSteps_;
  std::deque<HistoryState> undo_;  // newest last
  std::deque<HistoryState> redo_;  // the next redo last
};

// Puts the state back: both bitmaps copied, the modes set, and the accessors attached again to
// the bitmaps they were attached to.
void Restore(const HistoryState& state, Workspace& ws);

}  // namespace skelda
