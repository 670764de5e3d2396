#include "machine/grbl_codes.h"

#include <array>
#include <utility>

namespace skelda::grbl {

namespace {

struct NamedByte {
  Realtime byte;
  const char* name;
};

constexpr NamedByte kRealtime[] = {
    {Realtime::Reset, "<soft reset>"},        {Realtime::Status, "<status?>"},
    {Realtime::CycleStart, "<cycle start>"},  {Realtime::FeedHold, "<feed hold>"},
    {Realtime::SafetyDoor, "<safety door>"},  {Realtime::JogCancel, "<jog cancel>"},
    {Realtime::FeedReset, "<feed 100%>"},     {Realtime::FeedPlus10, "<feed +10%>"},
    {Realtime::FeedMinus10, "<feed -10%>"},   {Realtime::FeedPlus1, "<feed +1%>"},
    {Realtime::FeedMinus1, "<feed -1%>"},     {Realtime::RapidReset, "<rapid 100%>"},
    {Realtime::RapidHalf, "<rapid 50%>"},     {Realtime::RapidQuarter, "<rapid 25%>"},
    {Realtime::PowerReset, "<power 100%>"},   {Realtime::PowerPlus10, "<power +10%>"},
    {Realtime::PowerMinus10, "<power -10%>"}, {Realtime::PowerPlus1, "<power +1%>"},
    {Realtime::PowerMinus1, "<power -1%>"},   {Realtime::SpindleStop, "<spindle stop>"},
};

constexpr std::pair<State, const char*> kStates[] = {
    {State::Idle, "Idle"},   {State::Run, "Run"},     {State::Hold, "Hold"},
    {State::Jog, "Jog"},     {State::Alarm, "Alarm"}, {State::Door, "Door"},
    {State::Check, "Check"}, {State::Home, "Home"},   {State::Sleep, "Sleep"},
};

// Index = code - 1.
constexpr const char* kErrors[] = {
    "a word without its letter: every word is a letter and a number",    // 1
    "a number the controller cannot read",                               // 2
    "a $ command the controller does not know",                          // 3
    "a negative value where none is allowed",                            // 4
    "homing is not enabled ($22=0)",                                     // 5
    "step pulse shorter than 3 microseconds",                            // 6
    "the settings could not be read from EEPROM; defaults are in use",   // 7
    "a $ command that needs the machine idle",                           // 8
    "G-code locked out during an alarm or a jog",                        // 9
    "soft limits need homing to be enabled",                             // 10
    "line too long: the controller reads at most 80 characters a line",  // 11
    "the step rate would pass 30 kHz: lower the rate settings",          // 12
    "the safety door is open",                                           // 13
    "build info or startup line too long for EEPROM",                    // 14
    "jog target beyond the machine's travel",                            // 15
    "a jog command the controller cannot read",                          // 16
    "laser mode needs the controller's PWM output",                      // 17
    nullptr,
    nullptr,
    "a G-code command the controller does not support",             // 20
    "two commands of the same modal group in one line",             // 21
    "no feed rate given for a feed move",                           // 22
    "a command that needs a whole number",                          // 23
    "two commands in one line that both need axis words",           // 24
    "the same word twice in one line",                              // 25
    "a command that needs axis words has none",                     // 26
    "a line number out of range",                                   // 27
    "a command is missing a value it needs",                        // 28
    "work coordinate systems G59.1-G59.3 are not supported",        // 29
    "G53 goes only with G0 and G1",                                 // 30
    "axis words in a line whose commands do not use them",          // 31
    "an arc without an axis word in its plane",                     // 32
    "a move whose target cannot be reached",                        // 33
    "an arc whose radius does not fit",                             // 34
    "an arc without an offset word in its plane",                   // 35
    "words in the line that no command uses",                       // 36
    "tool length offset on an axis other than the one configured",  // 37
    "tool number above the largest allowed",                        // 38
};

constexpr const char* kAlarms[] = {
    "a hard limit switch was hit: the position is lost, home again",  // 1
    "a move would leave the soft limits; nothing moved",              // 2
    "reset while moving: the position may be lost, home again",       // 3
    "probe was already triggered before probing",                     // 4
    "probe did not touch within the distance",                        // 5
    "homing was reset before it ended",                               // 6
    "the safety door opened while homing",                            // 7
    "homing could not pull off the limit switch",                     // 8
    "homing could not find a limit switch",                           // 9
    "homing needs more than one axis switch on this machine",         // 10
};

template <std::size_t N>
std::string Meaning(const char* const (&table)[N], int code, const char* kind) {
  if (code >= 1 && code <= int(N) && table[code - 1]) return table[code - 1];
  return std::string("unknown ") + kind + " code " + std::to_string(code);
}

}  // namespace

const char* RealtimeName(unsigned char byte) {
  for (const auto& r : kRealtime) {
    if (static_cast<unsigned char>(r.byte) == byte) return r.name;
  }
  return nullptr;
}

// GRBL picks these out of the stream; every byte from 0x80 up is real-time to it as well.
bool IsRealtime(unsigned char byte) {
  return byte >= 0x80 || RealtimeName(byte) != nullptr;
}

State ParseState(std::string_view word) {
  for (const auto& [state, name] : kStates) {
    if (word == name) return state;
  }
  return State::Unknown;
}

const char* StateName(State state) {
  for (const auto& [s, name] : kStates) {
    if (s == state) return name;
  }
  return "Unknown";
}

std::string ErrorMeaning(int code) {
  return Meaning(kErrors, code, "error");
}
std::string AlarmMeaning(int code) {
  return Meaning(kAlarms, code, "alarm");
}

}  // namespace skelda::grbl
