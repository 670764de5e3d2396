#include "simulation/serial_planner.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace skelda {

SerialPlanner::SerialPlanner(const MotionSettings& settings)
    : shaper_(settings), bytesPerSecond_(settings.baud / kBitsPerByte) {}

void SerialPlanner::Line(std::size_t bytes) {
  if (current_ > 0) {
    unanswered_.emplace_back(now_, current_);
    unansweredBytes_ += current_;
  }
  current_ = bytes;
  // A line longer than the buffer is sent once the buffer is empty.
  const std::size_t room = std::min(bytes, kReceiveBuffer);
  double start = linkFree_;
  while (!unanswered_.empty() &&
         (unanswered_.front().first <= start || unansweredBytes_ + room > kReceiveBuffer)) {
    start = std::max(start, unanswered_.front().first);
    unansweredBytes_ -= unanswered_.front().second;
    unanswered_.pop_front();
  }
  linkFree_ = start + static_cast<double>(bytes) / bytesPerSecond_;
  if (linkFree_ > now_) {
    Run(linkFree_, false);
    now_ = linkFree_;
  }
}

void SerialPlanner::Move(double dx, double dy, bool rapid, double feed) {
  if (!(dx != 0 || dy != 0)) return;
  if (count_ == ring_.size()) {
    Run(std::numeric_limits<double>::infinity(), true);
    now_ = headTime_;
  }
  if (!shaper_.Shape(dx, dy, rapid, feed, count_ == 0, At(count_).block)) return;
  ++count_;
  Plan();
}

void SerialPlanner::Synchronize() {
  Run(std::numeric_limits<double>::infinity(), false);
  now_ = std::max(now_, headTime_);
  headTime_ = now_;
}

void SerialPlanner::Dwell(double seconds) {
  Synchronize();
  now_ += seconds;
  headTime_ = now_;
}

// From the newest block back: the last ends at rest, each other leaves no faster than the
// next may enter and than braking over the next allows.
void SerialPlanner::Plan() {
  double next = 0;
  for (std::size_t i = count_; i-- > 0;) {
    Queued& q = At(i);
    q.exitSquare = next;
    next = std::min(q.block.maxEntrySquare, next + 2 * q.block.accel * q.block.length);
  }
}

// Moves the head on until `until`, or to the end of the oldest block with `oneBlock`, or until
// it has run every block and stands.
void SerialPlanner::Run(double until, bool oneBlock) {
  while (count_ > 0) {
    Queued& q = At(0);
    const MotionBlock& b = q.block;
    const double left = b.length - done_;
    const double exitSquare = std::min(q.exitSquare, speed_ * speed_ + 2 * b.accel * left);
    const double exit = std::sqrt(exitSquare);
    const double seconds = TrapezoidTime(left, speed_, exit, b.nominal, b.accel);
    if (headTime_ + seconds > until) {
      RunInside(q, until - headTime_);
      headTime_ = until;
      return;
    }
    headTime_ += seconds;
    if (keepTimes_) blockTimes_.push_back(headTime_);
    speed_ = exit;
    done_ = 0;
    head_ = (head_ + 1) % ring_.size();
    --count_;
    if (oneBlock) return;
  }
  speed_ = 0;
  if (until < std::numeric_limits<double>::infinity()) headTime_ = std::max(headTime_, until);
}

// The head's place and speed `seconds` into the rest of the oldest block's profile.
void SerialPlanner::RunInside(Queued& q, double seconds) {
  const MotionBlock& b = q.block;
  const double a = b.accel, v = speed_, left = b.length - done_;
  const double exitSquare = std::min(q.exitSquare, v * v + 2 * a * left);
  const double n2 = b.nominal * b.nominal;
  double peak = b.nominal;
  if ((2 * n2 - v * v - exitSquare) / (2 * a) > left) {
    peak = std::sqrt(std::max((2 * a * left + v * v + exitSquare) / 2, exitSquare));
  }
  peak = std::max(peak, v);
  const double up = (peak - v) / a;
  const double upLength = (peak * peak - v * v) / (2 * a);
  const double downLength = (peak * peak - exitSquare) / (2 * a);
  const double cruise = std::max(left - upLength - downLength, 0.0) / peak;
  if (seconds < up) {
    done_ += v * seconds + a * seconds * seconds / 2;
    speed_ = v + a * seconds;
  } else if (seconds < up + cruise) {
    done_ += upLength + peak * (seconds - up);
    speed_ = peak;
  } else {
    const double t = seconds - up - cruise;
    done_ += upLength + peak * cruise + peak * t - a * t * t / 2;
    speed_ = std::max(peak - a * t, 0.0);
  }
  done_ = std::min(done_, b.length);
}

}  // namespace skelda
