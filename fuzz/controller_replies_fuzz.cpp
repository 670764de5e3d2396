// What a controller (or line noise on its port) sends, read line by line as the session reads
// it, and the position worked out from every status report.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "machine/replies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::optional<std::array<double, 3>> offset;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const skelda::Reply reply = skelda::ParseReply(text.substr(0, end));
    if (reply.kind == skelda::Reply::Kind::Status) {
      if (reply.status.workOffset) offset = reply.status.workOffset;
      skelda::WorkPosition(reply.status, offset);
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return 0;
}
