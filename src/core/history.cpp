#include "core/history.h"

#include <unordered_set>
#include <utility>

namespace skelda {
namespace {

const WorkspaceModes& ModesOf(const Workspace& ws) { return ws; }

void SetModes(const WorkspaceModes& m, Workspace& ws) { static_cast<WorkspaceModes&>(ws) = m; }

bool Same(const std::shared_ptr<const Bitmap>& held, const Bitmap& bitmap) {
  return held != nullptr && *held == bitmap;
}

std::size_t BitmapBytes(const Bitmap& bitmap) {
  return sizeof(Bitmap) + bitmap.ByteSize() + bitmap.PaletteEntries().size() * sizeof(PaletteEntry);
}

std::size_t PanelBytes(const PanelValues& panel) {
  std::size_t bytes = panel.positions.size() * sizeof(int);
  for (const std::string& text : panel.texts) bytes += sizeof(std::string) + text.capacity();
  return bytes;
}

// An accessor attached to one of the Workspace bitmaps follows it to its new rows.
void Reattach(TQuickPixels& pixels, Workspace& ws) {
  Bitmap* bitmap = pixels.Bitmap_;
  if ((bitmap == &ws.BaseBitmap || bitmap == &ws.ShownBitmap) && !bitmap->Empty())
    pixels.Attach(*bitmap);
}

}  // namespace

std::shared_ptr<const Bitmap> History::Share(const Bitmap& bitmap,
                                             const HistoryState& partner) const {
  std::vector<const HistoryState*> neighbours = {&partner};
  if (!undo_.empty()) neighbours.push_back(&undo_.back());
  if (!redo_.empty()) neighbours.push_back(&redo_.back());
  for (const HistoryState* state : neighbours)
    for (const auto& held : {state->base, state->shown})
      if (Same(held, bitmap)) return held;
  return std::make_shared<const Bitmap>(bitmap);
}

HistoryState History::Capture(const Workspace& ws, PanelValues panel) const {
  HistoryState state;
  state.base = Share(ws.BaseBitmap, state);
  state.shown = Share(ws.ShownBitmap, state);
  state.modes = ModesOf(ws);
  state.panel = std::move(panel);
  return state;
}

bool History::Record(HistoryState before, const Workspace& ws, const PanelValues& panel) {
  if (Same(before.base, ws.BaseBitmap) && Same(before.shown, ws.ShownBitmap) &&
      before.modes == ModesOf(ws) && before.panel == panel)
    return false;
  redo_.clear();
  undo_.push_back(std::move(before));
  Trim();
  return true;
}

HistoryState History::Undo(HistoryState now) {
  HistoryState previous = std::move(undo_.back());
  undo_.pop_back();
  redo_.push_back(std::move(now));
  Trim();
  return previous;
}

HistoryState History::Redo(HistoryState now) {
  HistoryState next = std::move(redo_.back());
  redo_.pop_back();
  undo_.push_back(std::move(now));
  Trim();
  return next;
}

std::size_t History::Bytes() const {
  std::unordered_set<const Bitmap*> counted;
  std::size_t bytes = 0;
  for (const auto* steps : {&undo_, &redo_}) {
    for (const HistoryState& state : *steps) {
      bytes += sizeof(HistoryState) + PanelBytes(state.panel);
      for (const auto& held : {state.base, state.shown})
        if (held != nullptr && counted.insert(held.get()).second) bytes += BitmapBytes(*held);
    }
  }
  return bytes;
}

// The oldest undo steps go first; the redo steps farthest from now only when no undo step is
// left.
void History::Trim() {
  while (Steps() > 0 && (Steps() > maxSteps_ || Bytes() > maxBytes_)) {
    if (!undo_.empty())
      undo_.pop_front();
    else
      redo_.pop_front();
  }
}

void Restore(const HistoryState& state, Workspace& ws) {
  ws.BaseBitmap = *state.base;
  ws.ShownBitmap = *state.shown;
  SetModes(state.modes, ws);
  Reattach(ws.BasePixels, ws);
  Reattach(ws.ShownPixels, ws);
}

}  // namespace skelda
