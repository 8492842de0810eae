#include "platform/strftime_pattern.h"

namespace lk40::platform {
namespace {

const char* patternOf(char directive) {
  switch (directive) {
    case 'd': return "dd";
    case 'e': return "d";
    case 'm': return "MM";
    case 'Y': return "yyyy";
    case 'y': return "yy";
    case 'H': return "HH";
    case 'k': return "H";
    case 'I': return "hh";
    case 'l': return "h";
    case 'M': return "mm";
    case 'S': return "ss";
    case 'p': return "tt";
    case 'D': return "MM/dd/yy";
    case 'T': return "HH:mm:ss";
    case 'R': return "HH:mm";
    case 'F': return "yyyy-MM-dd";
    case 'r': return "hh:mm:ss tt";
    default: return nullptr;
  }
}

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

std::optional<std::string> patternFromStrftime(std::string_view format) {
  std::string out;
  std::string literal;  // pending text that the pattern must not read as letters
  const auto flushLiteral = [&] {
    if (literal.empty()) return;
    out += '\'';
    for (const char c : literal) out += c == '\'' ? std::string("''") : std::string(1, c);
    out += '\'';
    literal.clear();
  };
  const auto addText = [&](char c) {
    if (isAsciiLetter(c) || c == '\'' || c == '"') {
      literal += c;
    } else {
      flushLiteral();
      out += c;
    }
  };

  for (std::size_t pos = 0; pos < format.size(); ++pos) {
    if (format[pos] != '%') {
      addText(format[pos]);
      continue;
    }
    if (++pos == format.size()) return std::nullopt;
    // The E and O modifiers ask for alternative numerals or eras; the plain
    // directive is the nearest a pattern can say.
    if ((format[pos] == 'E' || format[pos] == 'O') && pos + 1 < format.size()) ++pos;
    if (format[pos] == '%') {
      addText('%');
      continue;
    }
    const char* pattern = patternOf(format[pos]);
    if (pattern == nullptr) return std::nullopt;
    flushLiteral();
    out += pattern;
  }
  flushLiteral();
  if (out.empty()) return std::nullopt;
  return out;
}

}  // namespace lk40::platform
