// The weight display's field texts and the lines that the logging mode
// appends to the logging file (weight lines and ADC lines).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "automation/driver.h"
#include "platform/regional_formats.h"

namespace lk40::core {

// The text the weight field shows instead of a weight when the mode word
// (low 16 bits) reports an error: "  -E1-" for 0x20, else "--------" for
// 0x40, else "  -E2-" for 0x80; nullopt when none of them is set.
std::optional<std::string> weightErrorText(int32_t mode);

// Ten characters, one per mode bit 0..9: its letter ("FZXTC1>2<?") when set,
// a blank when clear.
std::string modeFlagField(int32_t mode);

// The log lines are UTF-8 and end in "\r\n"; the caller converts them with
// platform::utf8ToAnsi before writing, as the logging file is single-byte.
// Both read the driver (ResultCode first) and raise automation::Error when a
// read fails; the caller drops the line then. The date and the time are those
// of one reading of the clock, so a line written at midnight never carries
// one day's date with the next day's time.

// Date ";" time, then either ";W:" weight ";T:" tare ";" flag field (a blank
// after "W:" when the weight text is 6 characters, so that the columns line
// up with signed and two-digit weights) or ";" and ResultCodeDescription.
std::string weightLogLine(const automation::Driver& driver, const platform::RegionalFormats& formats,
                          const platform::DateTime& now);

// Date ";" time, then ";ADC:" and ADCValue, or ";" and ResultCodeDescription.
std::string adcLogLine(const automation::Driver& driver, const platform::RegionalFormats& formats,
                       const platform::DateTime& now);

}  // namespace lk40::core
