#include "machine/replies.h"

#include <charconv>
#include <functional>
#include <vector>

namespace skelda {

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

template <typename T>
std::optional<T> Number(std::string_view text) {
  T value{};
  const char* end = text.data() + text.size();
  if (text.empty()) return std::nullopt;
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

template <typename T, std::size_t N>
std::optional<std::array<T, N>> Numbers(std::string_view text, std::size_t atLeast) {
  const auto parts = Split(text, ',');
  if (parts.size() < atLeast || parts.size() > N) return std::nullopt;
  std::array<T, N> values{};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const auto v = Number<T>(parts[i]);
    if (!v) return std::nullopt;
    values[i] = *v;
  }
  return values;
}

std::optional<Reply> Coded(std::string_view line, std::string_view prefix, Reply::Kind kind) {
  if (!StartsWith(line, prefix)) return std::nullopt;
  const auto code = Number<int>(line.substr(prefix.size()));
  if (!code) return std::nullopt;
  Reply r;
  r.kind = kind;
  r.code = *code;
  return r;
}

// One field of a status report; false when it is garbled.
bool ReadField(std::string_view field, StatusReport& s) {
  const std::size_t colon = field.find(':');
  if (colon == std::string_view::npos) return false;
  const std::string_view name = field.substr(0, colon), value = field.substr(colon + 1);
  if (name == "MPos") return bool(s.machinePosition = Numbers<double, 3>(value, 2));
  if (name == "WPos") return bool(s.workPosition = Numbers<double, 3>(value, 2));
  if (name == "WCO") return bool(s.workOffset = Numbers<double, 3>(value, 2));
  if (name == "FS" || name == "F") {
    const auto fs = Numbers<double, 2>(value, 1);
    if (!fs) return false;
    s.feed = (*fs)[0];
    if (name == "FS") s.power = (*fs)[1];
    return true;
  }
  if (name == "Ov") return bool(s.overrides = Numbers<int, 3>(value, 3));
  if (name == "Bf") {
    const auto bf = Numbers<int, 2>(value, 2);
    if (!bf) return false;
    s.plannerFree = (*bf)[0];
    s.receiveFree = (*bf)[1];
    return true;
  }
  if (name == "Ln") return bool(s.lineNumber = Number<long>(value));
  if (name == "Pn") {
    s.pins = std::string(value);
    return true;
  }
  return true;  // fields of other firmware (A:, T:, ...) are passed over
}

std::optional<Reply> ParseStatus(std::string_view line) {
  if (line.size() < 2 || line.front() != '<' || line.back() != '>') return std::nullopt;
  const auto fields = Split(line.substr(1, line.size() - 2), '|');
  Reply r;
  r.kind = Reply::Kind::Status;
  std::string_view state = fields[0];
  if (const std::size_t colon = state.find(':'); colon != std::string_view::npos) {
    const auto sub = Number<int>(state.substr(colon + 1));
    if (!sub) return std::nullopt;
    r.status.subState = *sub;
    state = state.substr(0, colon);
  }
  r.status.state = grbl::ParseState(state);
  if (r.status.state == grbl::State::Unknown) return std::nullopt;
  for (std::size_t i = 1; i < fields.size(); ++i) {
    if (!ReadField(fields[i], r.status)) return std::nullopt;
  }
  return r;
}

std::optional<Reply> ParseBracketed(std::string_view line) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
  const std::string_view inner = line.substr(1, line.size() - 2);
  Reply r;
  r.kind = Reply::Kind::Feedback;
  r.text = std::string(inner);
  const struct {
    std::string_view prefix;
    Reply::Kind kind;
  } kinds[] = {{"MSG:", Reply::Kind::Message},
               {"OPT:", Reply::Kind::Option},
               {"VER:", Reply::Kind::Version}};
  for (const auto& k : kinds) {
    if (StartsWith(inner, k.prefix)) {
      r.kind = k.kind;
      r.text = std::string(inner.substr(k.prefix.size()));
    }
  }
  if (r.kind == Reply::Kind::Option) {
    // [OPT:V,15,128]: the codes, the planner's blocks, the receive buffer's bytes.
    const auto parts = Split(r.text, ',');
    if (parts.size() >= 3) {
      r.plannerBlocks = Number<int>(parts[1]).value_or(0);
      r.receiveBuffer = Number<int>(parts[2]).value_or(0);
      if (r.plannerBlocks < 0) r.plannerBlocks = 0;
      if (r.receiveBuffer < 0) r.receiveBuffer = 0;
    }
  }
  return r;
}

std::optional<Reply> ParseSetting(std::string_view line) {
  if (line.size() < 4 || line[0] != '$') return std::nullopt;
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  const auto number = Number<int>(line.substr(1, eq - 1));
  if (!number) return std::nullopt;
  Reply r;
  r.kind = Reply::Kind::Setting;
  r.code = *number;
  r.text = std::string(line.substr(eq + 1));
  // grblHAL and FluidNC give some settings as text; they keep value 0.
  r.value = Number<double>(line.substr(eq + 1)).value_or(0);
  return r;
}

// "Grbl 1.1h ['$' for help]", grblHAL's "GrblHAL 1.1f ['$' or '$HELP' for help]", and
// FluidNC's "Grbl 3.7 [FluidNC v3.7.8 (wifi) '$' for help]".
std::optional<Reply> ParseWelcome(std::string_view line) {
  if (!(StartsWith(line, "Grbl ") || StartsWith(line, "GrblHAL ")) ||
      line.find("for help") == std::string_view::npos) {
    return std::nullopt;
  }
  Reply r;
  r.kind = Reply::Kind::Welcome;
  r.text = std::string(line);
  return r;
}

using Parser = std::function<std::optional<Reply>(std::string_view)>;

const std::vector<Parser>& Parsers() {
  static const std::vector<Parser> parsers = {
      [](std::string_view l) -> std::optional<Reply> {
        if (l != "ok") return std::nullopt;
        Reply r;
        r.kind = Reply::Kind::Ok;
        return r;
      },
      [](std::string_view l) { return Coded(l, "error:", Reply::Kind::Error); },
      [](std::string_view l) { return Coded(l, "ALARM:", Reply::Kind::Alarm); },
      ParseStatus,
      ParseBracketed,
      ParseSetting,
      ParseWelcome,
  };
  return parsers;
}

}  // namespace

Reply ParseReply(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  for (const auto& parse : Parsers()) {
    if (auto reply = parse(line)) return *reply;
  }
  Reply other;
  other.text = std::string(line);
  return other;
}

std::optional<std::array<double, 3>> WorkPosition(
    const StatusReport& status, const std::optional<std::array<double, 3>>& lastOffset) {
  if (status.workPosition) return status.workPosition;
  const auto& offset = status.workOffset ? status.workOffset : lastOffset;
  if (!status.machinePosition || !offset) return std::nullopt;
  std::array<double, 3> w{};
  for (int i = 0; i < 3; ++i) w[i] = (*status.machinePosition)[i] - (*offset)[i];
  return w;
}

}  // namespace skelda
