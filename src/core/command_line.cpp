#include "core/command_line.h"

#include "core/numbers.h"

namespace lk40::core {
namespace {

// A decimal integer only: an optional sign and digits, nothing before or after.
// The input fields' conversion also takes blanks and hexadecimal forms, which
// here would let "$7FFFFFFF" stand for a period.
int32_t decimalOr(std::string_view text, int32_t def) {
  const std::size_t first = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  if (text.size() == first || text.find_first_not_of("0123456789", first) != std::string_view::npos) return def;
  return parseIntOr(text, def);
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine result;
  if (arguments.size() >= 3) {
    result.loggingFile = arguments[0];
    result.loggingPeriod = decimalOr(arguments[1], -1);
    if (result.loggingPeriod < 50) result.loggingPeriod = 50;
    result.loggingStep = decimalOr(arguments[2], -1);
    if (result.loggingStep == 0 || result.loggingStep == -1) result.loggingFile.clear();
    result.testPage = arguments.size() >= 4 && arguments[3] == "-t";
  } else if (arguments.size() == 1) {
    result.testPage = arguments[0] == "-t";
  }
  return result;
}

}  // namespace lk40::core
