// The user's formats from the Windows user locale: the decimal separator, the
// short date and the long time, in the pattern letters Windows itself uses.
#include <windows.h>

#include <string_view>

#include "platform/regional_formats.h"
#include "platform/wide_text_win.h"

namespace lk40::platform {
namespace {

std::string localeText(LCTYPE item) {
  wchar_t buffer[128] = {};
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, 128);
  if (length <= 1) return {};
  return narrow(std::wstring_view(buffer, static_cast<std::size_t>(length - 1)));
}

// Day and month names and eras have no place in the numeric formats we print;
// a pattern with them keeps the default.
bool numericOnly(std::string_view pattern) {
  return pattern.find("ddd") == std::string_view::npos && pattern.find("MMM") == std::string_view::npos &&
         pattern.find('g') == std::string_view::npos;
}

}  // namespace

RegionalFormats RegionalFormats::fromUserLocale() {
  RegionalFormats formats = fullStop();
  const std::string separator = localeText(LOCALE_SDECIMAL);
  // A separator of several bytes has no place in the single-byte texts written.
  if (separator.size() == 1 && static_cast<unsigned char>(separator[0]) < 0x80) formats.decimalSeparator = separator[0];
  if (const std::string date = localeText(LOCALE_SSHORTDATE); !date.empty() && numericOnly(date))
    formats.shortDate = date;
  if (const std::string time = localeText(LOCALE_STIMEFORMAT); !time.empty()) formats.longTime = time;
  return formats;
}

DateTime DateTime::now() {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  DateTime value;
  value.year = local.wYear;
  value.month = local.wMonth;
  value.day = local.wDay;
  value.hour = local.wHour;
  value.minute = local.wMinute;
  value.second = local.wSecond;
  return value;
}

DateTime DateTime::atLocal(std::time_t seconds) {
  std::tm local{};
  localtime_s(&local, &seconds);
  return fromTm(local);
}

}  // namespace lk40::platform
