#include "platform/regional_formats.h"

#include <cstdio>
#include <string_view>

#include "platform/ascii_text.h"

namespace lk40::platform {
namespace {

enum class Fields { Date, Time };

std::string number(int value, int width) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
  return buffer;
}

bool startsWithAmPm(const std::string& pattern, std::size_t pos) {
  return startsWithIgnoringAsciiCase(std::string_view(pattern).substr(pos), "am/pm");
}

// Appends one run of a pattern letter; false when the run means nothing in these
// fields, and its letters then stand as they are.
bool expandRun(char letter, std::size_t run, Fields fields, const DateTime& v, std::string& out) {
  if (fields == Fields::Date) {
    switch (letter) {
      case 'd':
        if (run > 2) return false;
        out += number(v.day, static_cast<int>(run));
        return true;
      case 'M':
        if (run > 2) return false;
        out += number(v.month, static_cast<int>(run));
        return true;
      case 'y':
        // yy and yyyy; longer runs read as yyyy, as Windows reads them.
        if (run == 2) out += number(v.year % 100, 2);
        else if (run >= 4) out += number(v.year, 4);
        else return false;
        return true;
      default:
        return false;
    }
  }
  if (run > 2) return false;
  const int width = static_cast<int>(run);
  switch (letter) {
    case 'h': {
      const int h12 = v.hour % 12;
      out += number(h12 == 0 ? 12 : h12, width);
      return true;
    }
    case 'H':
      out += number(v.hour, width);
      return true;
    case 'm':
      out += number(v.minute, width);
      return true;
    case 's':
      out += number(v.second, width);
      return true;
    case 't':
      out += run == 1 ? (v.hour < 12 ? "A" : "P") : (v.hour < 12 ? "AM" : "PM");
      return true;
    default:
      return false;
  }
}

std::string format(const std::string& pattern, const DateTime& value, Fields fields) {
  std::string out;
  std::size_t pos = 0;
  while (pos < pattern.size()) {
    const char c = pattern[pos];
    if (c == '\'' || c == '"') {
      // Quoted text is copied; a doubled quote inside stands for the quote itself.
      ++pos;
      while (pos < pattern.size()) {
        if (pattern[pos] == c) {
          if (pos + 1 < pattern.size() && pattern[pos + 1] == c) {
            out += c;
            pos += 2;
            continue;
          }
          ++pos;
          break;
        }
        out += pattern[pos++];
      }
      continue;
    }
    if (fields == Fields::Time && startsWithAmPm(pattern, pos)) {
      const bool lower = pattern[pos] == 'a';
      out += value.hour < 12 ? (lower ? "am" : "AM") : (lower ? "pm" : "PM");
      pos += 5;
      continue;
    }
    std::size_t run = 1;
    while (pos + run < pattern.size() && pattern[pos + run] == c) ++run;
    if (!expandRun(c, run, fields, value, out)) out.append(pattern, pos, run);
    pos += run;
  }
  return out;
}

}  // namespace

RegionalFormats RegionalFormats::russian() { return {',', "dd.MM.yyyy", "H:mm:ss"}; }

RegionalFormats RegionalFormats::fullStop() { return {'.', "dd.MM.yyyy", "H:mm:ss"}; }

DateTime DateTime::fromTm(const std::tm& tm) {
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string formatDate(const std::string& pattern, const DateTime& value) {
  return format(pattern, value, Fields::Date);
}

std::string formatTime(const std::string& pattern, const DateTime& value) {
  return format(pattern, value, Fields::Time);
}

}  // namespace lk40::platform
