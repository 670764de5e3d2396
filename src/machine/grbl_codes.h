// What a GRBL 1.1 controller (and grblHAL, FluidNC) says and understands, as data: its
// real-time bytes, its machine states, the meaning of its error and alarm codes, the settings a
// sender reads, and the limits of its line reader.
#pragma once

#include <string>
#include <string_view>

namespace skelda::grbl {

// Bytes the controller acts on the moment they arrive, ahead of its line buffer: they never
// count against the receive buffer and never end a line.
enum class Realtime : unsigned char {
  Reset = 0x18,
  Status = '?',
  CycleStart = '~',
  FeedHold = '!',
  SafetyDoor = 0x84,
  JogCancel = 0x85,
  FeedReset = 0x90,
  FeedPlus10 = 0x91,
  FeedMinus10 = 0x92,
  FeedPlus1 = 0x93,
  FeedMinus1 = 0x94,
  RapidReset = 0x95,
  RapidHalf = 0x96,
  RapidQuarter = 0x97,
  PowerReset = 0x99,
  PowerPlus10 = 0x9A,
  PowerMinus10 = 0x9B,
  PowerPlus1 = 0x9C,
  PowerMinus1 = 0x9D,
  SpindleStop = 0x9E,
};

// The name written to the log for a real-time byte ("feed hold"), or nullptr for a byte that
// is not one.
const char* RealtimeName(unsigned char byte);
bool IsRealtime(unsigned char byte);

enum class State { Unknown, Idle, Run, Hold, Jog, Alarm, Door, Check, Home, Sleep };
// "Idle", "Run", ... as the status report spells them; Unknown for anything else.
State ParseState(std::string_view word);
const char* StateName(State state);

// A short text of our own for each code ("line too long: the controller takes 80 characters");
// "unknown error code N" / "unknown alarm code N" beyond the table. `russian`: the window's
// text of the same meaning.
std::string ErrorMeaning(int code, bool russian = false);
std::string AlarmMeaning(int code, bool russian = false);

inline constexpr int kDefaultReceiveBuffer = 128;  // bytes, when $I has no [OPT:] line
inline constexpr int kMaxLineWithEnd = 80;         // the line reader's buffer, its end included
inline constexpr int kPlannerBlocks = 15;          // usable blocks of the 16-block ring
inline constexpr int kErrorLineOverflow = 11;
inline constexpr int kAlarmResetWhileMoving = 3;

// Settings a sender reads from "$$".
enum Setting : int {
  kStatusMask = 10,
  kJunctionDeviation = 11,
  kSoftLimits = 20,
  kHardLimits = 21,
  kHoming = 22,
  kMaxPower = 30,
  kMinPower = 31,
  kLaserMode = 32,
  kMaxRateX = 110,
  kMaxRateY = 111,
  kAccelX = 120,
  kAccelY = 121,
  kTravelX = 130,
  kTravelY = 131,
};

}  // namespace skelda::grbl
