#include "simulation/motion_planner.h"

#include <algorithm>
#include <cmath>

namespace skelda {

namespace {

constexpr double kLarge = 1e38;            // a straight junction: no limit of its own
constexpr double kMinimumFeed = 1.0 / 60;  // mm/s, GRBL's floor of 1 mm/min

}  // namespace

double TrapezoidTime(double length, double entry, double exit, double nominal, double accel) {
  const double toNominal = (nominal * nominal - entry * entry) / (2 * accel);
  const double fromNominal = (nominal * nominal - exit * exit) / (2 * accel);
  if (toNominal + fromNominal <= length) {
    return (nominal - entry) / accel + (nominal - exit) / accel +
           (length - toNominal - fromNominal) / nominal;
  }
  // No cruise: the speed peaks where the acceleration and braking lines meet.
  const double peak = std::sqrt(std::max((2 * accel * length + entry * entry + exit * exit) / 2,
                                         std::max(entry * entry, exit * exit)));
  return (peak - entry) / accel + (peak - exit) / accel;
}

BlockShaper::BlockShaper(const MotionSettings& settings) : settings_(settings) {
  for (double& rate : settings_.maxRate) rate /= 60;
}

MotionPlanner::MotionPlanner(const MotionSettings& settings) : shaper_(settings) {}

// The largest value along the direction (ux, uy) that keeps every axis within its own limit.
double BlockShaper::LimitByAxes(const std::array<double, 2>& limits, double ux, double uy) const {
  double limit = kLarge;
  if (ux != 0) limit = std::min(limit, std::abs(limits[0] / ux));
  if (uy != 0) limit = std::min(limit, std::abs(limits[1] / uy));
  return limit;
}

// The corner speed (squared) at which the head would round the corner on a circle that passes
// within the junction deviation of it, at the acceleration allowed along the corner's bisector.
double BlockShaper::JunctionSquare(double ux, double uy) const {
  const double cosTheta = -(previousUnit_[0] * ux + previousUnit_[1] * uy);
  if (cosTheta > 0.999999) return 0;        // a full reversal
  if (cosTheta < -0.999999) return kLarge;  // straight on
  double jx = ux - previousUnit_[0];
  double jy = uy - previousUnit_[1];
  const double norm = std::hypot(jx, jy);
  jx /= norm;
  jy /= norm;
  const double accel = LimitByAxes(settings_.acceleration, jx, jy);
  const double sinHalf = std::sqrt(0.5 * (1 - cosTheta));
  return accel * settings_.junctionDeviation * sinHalf / (1 - sinHalf);
}

bool BlockShaper::Shape(double dx, double dy, bool rapid, double feed, bool afterRest,
                        MotionBlock& block) {
  const double length = dx == 0 ? std::abs(dy) : dy == 0 ? std::abs(dx) : std::hypot(dx, dy);
  if (!(length > 0)) return false;
  const double ux = dy == 0 ? (dx > 0 ? 1.0 : -1.0) : dx / length;
  const double uy = dx == 0 ? (dy > 0 ? 1.0 : -1.0) : dy / length;
  block.length = length;
  // Along an axis its own limits hold as they are.
  block.accel = dy == 0   ? settings_.acceleration[0]
                : dx == 0 ? settings_.acceleration[1]
                          : LimitByAxes(settings_.acceleration, ux, uy);
  const double rapidRate = dy == 0   ? settings_.maxRate[0]
                           : dx == 0 ? settings_.maxRate[1]
                                     : LimitByAxes(settings_.maxRate, ux, uy);
  block.nominal = std::max(rapid ? rapidRate : std::min(feed / 60, rapidRate), kMinimumFeed);
  // A block queued behind nothing starts from rest.
  const double junction = afterRest ? 0 : JunctionSquare(ux, uy);
  const double slower = std::min(block.nominal, previousNominal_);
  block.maxEntrySquare = std::min(junction, slower * slower);
  previousNominal_ = block.nominal;
  previousUnit_[0] = ux;
  previousUnit_[1] = uy;
  return true;
}

void MotionPlanner::Move(double dx, double dy, bool rapid, double feed) {
  if (!(dx != 0 || dy != 0)) return;
  if (count_ == kLookAhead) RunOldest();
  if (!shaper_.Shape(dx, dy, rapid, feed, count_ == 0, At(count_))) return;
  ++count_;
  ++queued_;
}

// The oldest block leaves at the highest speed from which every block queued behind it can
// still brake in time to stop at the end of the last one.
void MotionPlanner::RunOldest() {
  double next = 0;
  for (std::size_t i = count_ - 1; i >= 1; --i) {
    const Block& b = At(i);
    next = std::min(b.maxEntrySquare, next + 2 * b.accel * b.length);
  }
  const Block& oldest = At(0);
  const double exitSquare = std::min(next, speedSquare_ + 2 * oldest.accel * oldest.length);
  seconds_ += TrapezoidTime(oldest.length, std::sqrt(speedSquare_), std::sqrt(exitSquare),
                            oldest.nominal, oldest.accel);
  speedSquare_ = exitSquare;
  if (keepTimes_) blockTimes_.push_back(seconds_);
  head_ = (head_ + 1) % kLookAhead;
  --count_;
}

double MotionPlanner::RestToRestTime(const Block& b) {
  // Lengths differing by less than a nanometre (the rounding of differences of coordinates)
  // share one time.
  const auto key = static_cast<long long>(std::min(b.length, 1e9) * 1e9 + 0.5);
  Known& k = known_[static_cast<std::size_t>(key ^ (key >> 9) ^ (key >> 19)) % known_.size()];
  if (k.key != key || k.nominal != b.nominal || k.accel != b.accel) {
    k = {key, b.nominal, b.accel, TrapezoidTime(b.length, 0, 0, b.nominal, b.accel)};
  }
  return k.seconds;
}

void MotionPlanner::Synchronize() {
  if (count_ == 1 && speedSquare_ == 0) {
    seconds_ += RestToRestTime(At(0));
    if (keepTimes_) blockTimes_.push_back(seconds_);
    head_ = (head_ + 1) % kLookAhead;
    count_ = 0;
  }
  while (count_ > 0) RunOldest();
  speedSquare_ = 0;
}

void MotionPlanner::Dwell(double seconds) {
  Synchronize();
  seconds_ += seconds;
}

}  // namespace skelda
