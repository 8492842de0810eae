// The user's formats from the locale of the environment (LC_ALL, LC_NUMERIC,
// LC_TIME, LANG), read without touching the process-wide locale.
#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <ctime>
#include <string_view>

#include "platform/regional_formats.h"
#include "platform/strftime_pattern.h"

namespace lk40::platform {
namespace {

// The locale name the environment gives a category, resolved as setlocale does.
std::string_view environmentLocale(const char* category) {
  for (const char* name : {"LC_ALL", category, "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

bool isPlainC(std::string_view name) {
  return name == "C" || name == "POSIX" || name.substr(0, 2) == "C." || name.substr(0, 2) == "C@";
}

// Owns a locale object from newlocale.
class Locale {
 public:
  explicit Locale(locale_t handle) : handle_(handle) {}
  ~Locale() {
    if (handle_ != locale_t{}) freelocale(handle_);
  }
  Locale(const Locale&) = delete;
  Locale& operator=(const Locale&) = delete;
  locale_t get() const { return handle_; }

 private:
  locale_t handle_;
};

}  // namespace

RegionalFormats RegionalFormats::fromUserLocale() {
  RegionalFormats formats = fullStop();
  const Locale locale(newlocale(LC_NUMERIC_MASK | LC_TIME_MASK, "", locale_t{}));
  if (locale.get() == locale_t{}) return formats;  // the environment names a locale not installed

  const std::string_view radix = nl_langinfo_l(RADIXCHAR, locale.get());
  // A separator of several bytes (one non-ASCII character) has no place in the
  // single-byte texts the bench writes.
  if (radix.size() == 1 && static_cast<unsigned char>(radix[0]) < 0x80) formats.decimalSeparator = radix[0];

  // The C locale's month-first American formats are nobody's own choice.
  if (!isPlainC(environmentLocale("LC_TIME"))) {
    if (const auto date = patternFromStrftime(nl_langinfo_l(D_FMT, locale.get()))) formats.shortDate = *date;
    if (const auto time = patternFromStrftime(nl_langinfo_l(T_FMT, locale.get()))) formats.longTime = *time;
  }
  return formats;
}

DateTime DateTime::now() { return atLocal(std::time(nullptr)); }

DateTime DateTime::atLocal(std::time_t seconds) {
  std::tm local{};
  localtime_r(&seconds, &local);
  return fromTm(local);
}

}  // namespace lk40::platform
