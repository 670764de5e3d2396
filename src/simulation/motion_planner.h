// The job time of a stream of straight moves, planned as a GRBL 1.1 controller plans them.
//
// Every move is a block with a nominal speed (its feed, or the axis-limited maximum rate for a
// rapid), an acceleration limited per axis along its direction, and a maximum entry speed set by
// the junction deviation at its corner with the move before. The controller sees at most
// kLookAhead blocks at once (the executing one and those queued behind it) and plans the last
// of them to end at rest, so a block leaves with the highest speed from which the queued blocks
// can still stop. Each block then runs a trapezoid (or triangle) profile between its entry and
// exit speeds. A synchronising command (laser state changes, dwells) lets the queue run empty,
// which brings the machine to rest.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "simulation/motion_settings.h"

namespace skelda {

// Seconds to travel `length` mm starting at `entry` and ending at `exit` mm/s, never faster
// than `nominal` mm/s, accelerating and braking at `accel` mm/s².
double TrapezoidTime(double length, double entry, double exit, double nominal, double accel);

// A straight move as the planner holds it.
struct MotionBlock {
  double length;          // mm
  double nominal;         // mm/s
  double accel;           // mm/s²
  double maxEntrySquare;  // (mm/s)²
};

// Turns moves into blocks as GRBL's planner does: the nominal speed, the acceleration along the
// move and the entry speed its corner with the move before allows.
class BlockShaper {
 public:
  explicit BlockShaper(const MotionSettings& settings);
  // False for a move of no length. `afterRest`: no block is queued before it.
  bool Shape(double dx, double dy, bool rapid, double feed, bool afterRest, MotionBlock& block);

 private:
  double LimitByAxes(const std::array<double, 2>& limits, double ux, double uy) const;
  double JunctionSquare(double ux, double uy) const;

  MotionSettings settings_;  // in mm/s and mm/s²
  double previousUnit_[2] = {0, 0};
  double previousNominal_ = 0;
};

class MotionPlanner {
 public:
  // GRBL 1.1's 16-block ring holds at most 15 blocks, the executing one included.
  static constexpr std::size_t kLookAhead = 15;

  explicit MotionPlanner(const MotionSettings& settings);

  // A straight move by (dx, dy) mm; `feed` in mm/min, ignored for rapids.
  void Move(double dx, double dy, bool rapid, double feed);
  // Runs every queued block to a stop.
  void Synchronize();
  // Synchronize, then wait `seconds`.
  void Dwell(double seconds);
  // The time of everything run so far (call Synchronize first for the whole job).
  double Seconds() const { return seconds_; }
  // Moves queued so far (those of zero length are no blocks), and the time at which each
  // block that has run ended, oldest first, when asked for with KeepBlockTimes.
  std::size_t BlocksQueued() const { return queued_; }
  void KeepBlockTimes(bool keep) { keepTimes_ = keep; }
  const std::vector<double>& BlockTimes() const { return blockTimes_; }

 private:
  using Block = MotionBlock;

  void RunOldest();
  double RestToRestTime(const Block& b);
  Block& At(std::size_t i) { return ring_[(head_ + i) % kLookAhead]; }

  BlockShaper shaper_;
  std::array<Block, kLookAhead> ring_{};
  std::size_t head_ = 0;
  std::size_t count_ = 0;
  double speedSquare_ = 0;  // the speed at the end of the last block run
  double seconds_ = 0;
  std::size_t queued_ = 0;
  bool keepTimes_ = false;
  std::vector<double> blockTimes_;
  // Moves between stops repeat the same few lengths (the dots of a row): their times are kept.
  struct Known {
    long long key = -1;
    double nominal = 0, accel = 0, seconds = 0;
  };
  std::array<Known, 64> known_{};
};

}  // namespace skelda
