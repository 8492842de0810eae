// Turns the C library's date and time formats (strftime directives) into the
// Windows-style patterns that RegionalFormats holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lk40::platform {

// nullopt when the format uses a directive without a pattern equivalent
// (a weekday or month name, say); the caller then keeps its own default.
std::optional<std::string> patternFromStrftime(std::string_view format);

}  // namespace lk40::platform
