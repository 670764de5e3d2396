// Reading what the controller sends, one line at a time (its "\r\n" already cut off). Every
// kind of line has a small parser of its own; they are tried in order from one table.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "machine/grbl_codes.h"

namespace skelda {

// "<Run|MPos:1.000,2.000,0.000|Bf:15,128|FS:500,250|Ov:100,100,100|WCO:0.000,0.000,0.000>"
struct StatusReport {
  grbl::State state = grbl::State::Unknown;
  int subState = -1;  // Hold:0 (stopped) / Hold:1 (stopping), Door:n; -1 when not given
  std::optional<std::array<double, 3>> machinePosition;  // MPos
  std::optional<std::array<double, 3>> workPosition;     // WPos
  std::optional<std::array<double, 3>> workOffset;       // WCO
  std::optional<double> feed;                            // FS or F, mm/min
  std::optional<double> power;                           // FS's S
  std::optional<std::array<int, 3>> overrides;           // Ov: feed, rapid, power in %
  std::optional<int> plannerFree;                        // Bf: blocks free
  std::optional<int> receiveFree;                        // Bf: bytes free
  std::optional<long> lineNumber;                        // Ln
  std::string pins;                                      // Pn
};

struct Reply {
  enum class Kind {
    Ok,
    Error,     // code
    Alarm,     // code
    Status,    // status
    Message,   // [MSG:text]
    Option,    // [OPT:text]: receiveBuffer, plannerBlocks where given
    Version,   // [VER:text]
    Setting,   // $code=value
    Welcome,   // text: the whole line
    Feedback,  // any other [...] line: text inside the brackets
    Other,     // text
  };
  Kind kind = Kind::Other;
  int code = 0;
  double value = 0;
  std::string text;
  StatusReport status;
  int receiveBuffer = 0;  // Option: 0 when not given
  int plannerBlocks = 0;
};

// Never throws: a line that fits no parser, or is garbled, is Other.
Reply ParseReply(std::string_view line);

// The position in work coordinates: WPos, or MPos less the offset (the last WCO when the
// report has none); nullopt when neither can be worked out.
std::optional<std::array<double, 3>> WorkPosition(
    const StatusReport& status, const std::optional<std::array<double, 3>>& lastOffset);

}  // namespace skelda
