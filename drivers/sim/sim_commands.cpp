#include "sim_commands.h"

#include <charconv>
#include <cstdio>

#include "platform/ascii_text.h"

namespace lk40::sim {

const std::vector<CommandName>& commandNames() {
  static const std::vector<CommandName> names = {
#define LK40_COMMAND_ROW(method, code) {#method, command::k##method},
      LK40_COMMANDS(LK40_COMMAND_ROW)
#undef LK40_COMMAND_ROW
      {"Connect", command::kGetDeviceMetrics},
  };
  return names;
}

std::optional<uint8_t> commandByName(std::string_view text) {
  for (const CommandName& c : commandNames())
    if (platform::equalsIgnoringAsciiCase(c.method, text)) return c.code;
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > 0xFF) {
    return std::nullopt;
  }
  return static_cast<uint8_t>(value);
}

std::string commandName(uint8_t code) {
  for (const CommandName& c : commandNames())
    if (c.code == code) return std::string(c.method);
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", code);
  return text;
}

}  // namespace lk40::sim
