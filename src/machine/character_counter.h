// GRBL's character-counting rule: the length of every line sent (its end included) is kept
// until its ok or error, and no line goes while the bytes in flight would pass the receive
// buffer. With a capacity of one line it is the simple send-and-wait protocol.
#pragma once

#include <cstddef>
#include <deque>

namespace skelda {

class CharacterCounter {
 public:
  explicit CharacterCounter(std::size_t capacity) : capacity_(capacity) {}

  // True when a line of `length` bytes (end included) may go now.
  bool Fits(std::size_t length) const {
    return inFlight_ + length <= capacity_ && (!oneLine_ || lengths_.empty());
  }
  void Sent(std::size_t length) {
    lengths_.push_back(length);
    inFlight_ += length;
  }
  // An ok or error answers the oldest line; false when no line was waiting for one.
  bool Answered() {
    if (lengths_.empty()) return false;
    inFlight_ -= lengths_.front();
    lengths_.pop_front();
    return true;
  }
  // Send-and-wait: one line at a time whatever its length.
  void SetOneLineAtATime(bool on) { oneLine_ = on; }
  void Clear() {
    lengths_.clear();
    inFlight_ = 0;
  }
  std::size_t InFlight() const { return inFlight_; }
  std::size_t Waiting() const { return lengths_.size(); }
  std::size_t Capacity() const { return capacity_; }

 private:
  std::size_t capacity_;
  std::deque<std::size_t> lengths_;
  std::size_t inFlight_ = 0;
  bool oneLine_ = false;
};

}  // namespace skelda
