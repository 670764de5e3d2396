// The job time of a program streamed to a GRBL 1.1 controller over a serial line, where the line
// may be what limits the speed.
//
// The sender counts characters: it sends a line (its bytes at the baud rate, 10 bits a byte)
// as soon as the bytes of the lines not yet answered and its own fit the controller's receive
// buffer. The controller takes the lines in order as they arrive; a move waits for a free slot
// of its planner (the blocks of MotionPlanner::kLookAhead), a synchronising command for the
// planner to run empty, and the answer frees the line's bytes. The planner plans to stop at the
// end of what it holds, so when lines arrive slower than the head runs them the head brakes;
// each arrival plans again from the head's place and speed.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <utility>
#include <vector>

#include "simulation/motion_planner.h"

namespace skelda {

class SerialPlanner {
 public:
  static constexpr std::size_t kReceiveBuffer = 128;  // bytes
  static constexpr double kBitsPerByte = 10;

  // `settings.baud` above 0.
  explicit SerialPlanner(const MotionSettings& settings);

  // The next program line, `bytes` long with its line end, before any of its words act.
  void Line(std::size_t bytes);
  // As MotionPlanner's, for the words of the current line.
  void Move(double dx, double dy, bool rapid, double feed);
  void Synchronize();
  void Dwell(double seconds);
  // When the controller has done the current line (call Synchronize first for the whole job).
  double Seconds() const { return now_; }
  // When each block that has run ended, oldest first, when asked for with KeepBlockTimes.
  void KeepBlockTimes(bool keep) { keepTimes_ = keep; }
  const std::vector<double>& BlockTimes() const { return blockTimes_; }

 private:
  struct Queued {
    MotionBlock block;
    double exitSquare;  // the highest exit that still lets the blocks behind it stop
  };
  void Plan();
  void Run(double until, bool oneBlock);
  void RunInside(Queued& q, double seconds);
  Queued& At(std::size_t i) { return ring_[(head_ + i) % ring_.size()]; }

  BlockShaper shaper_;
  double bytesPerSecond_;
  // The link: lines sent and not yet answered, (answer time, bytes), oldest first.
  std::deque<std::pair<double, std::size_t>> unanswered_;
  std::size_t unansweredBytes_ = 0;
  double linkFree_ = 0;      // when the link has sent the last line
  std::size_t current_ = 0;  // bytes of the line being done, answered once it is
  double now_ = 0;           // the controller's time
  // The head: the blocks it holds, its place in the oldest and its speed, at headTime_.
  std::array<Queued, MotionPlanner::kLookAhead> ring_{};
  std::size_t head_ = 0;
  std::size_t count_ = 0;
  double done_ = 0;  // mm of the oldest block behind the head
  double speed_ = 0;
  double headTime_ = 0;
  bool keepTimes_ = false;
  std::vector<double> blockTimes_;
};

}  // namespace skelda
