// The module's commands by name, for the scenario format and the fault
// dialog; the codes themselves are the contract's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contract/command_codes.h"

namespace lk40::sim {

// The module's commands by the driver method that sends them, in the order
// of the codes; Connect sends the device-type request, as GetDeviceMetrics
// does, and follows it.
struct CommandName {
  std::string_view method;
  uint8_t code;
};
const std::vector<CommandName>& commandNames();
// A method name (any ASCII case) or a number, decimal or 0x hex, 0 to 255.
std::optional<uint8_t> commandByName(std::string_view text);
// The first method name of a command, or "0xNN" for one that has none.
std::string commandName(uint8_t code);

}  // namespace lk40::sim
