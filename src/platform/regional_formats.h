// The user's regional formats as one small value handed to whoever formats
// numbers, dates and times, so tests can pin them.
#pragma once

#include <ctime>
#include <string>

namespace lk40::platform {

struct RegionalFormats {
  char decimalSeparator = '.';
  std::string shortDate = "dd.MM.yyyy";  // pattern letters: d dd M MM yy yyyy
  std::string longTime = "H:mm:ss";      // pattern letters: h hh H HH m mm s ss AM/PM tt

  static RegionalFormats russian();   // ',' "dd.MM.yyyy" "H:mm:ss"
  static RegionalFormats fullStop();  // '.' "dd.MM.yyyy" "H:mm:ss"
  // Read from the user's locale (LC_NUMERIC, LC_TIME on POSIX).
  static RegionalFormats fromUserLocale();
};

// A broken-down local time with milliseconds dropped.
struct DateTime {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
  static DateTime now();
  static DateTime fromTm(const std::tm& tm);
  // The local time of a moment of the system clock, in whole seconds.
  static DateTime atLocal(std::time_t seconds);
};

// Formats with the Windows-style patterns above; quoted text ('...' or "...")
// is copied, other characters stand as they are.
std::string formatDate(const std::string& pattern, const DateTime& value);
std::string formatTime(const std::string& pattern, const DateTime& value);

}  // namespace lk40::platform
