#include "core/text_pattern.h"

#include <re2/re2.h>

namespace lk40::core {

namespace {

// Letters and digits of every script, as an operator reads "a word character".
constexpr std::string_view kWordChars = "\\p{L}\\p{N}_";

// The pattern with `\w` and `\W` in RE2's terms for any script; nothing, with
// the reason, for what RE2 would take in the Latin sense only.
std::optional<std::string> unicodeWords(std::string_view pattern, std::string& why) {
  std::string out;
  out.reserve(pattern.size() + 16);
  bool inClass = false;
  for (std::size_t i = 0; i < pattern.size();) {
    const char ch = pattern[i];
    if (ch == '\\' && i + 1 < pattern.size()) {
      const char escaped = pattern[i + 1];
      if (escaped == 'Q') {  // literal text up to \E, taken as it stands
        const std::size_t end = pattern.find("\\E", i + 2);
        const std::size_t stop = end == std::string_view::npos ? pattern.size() : end + 2;
        out.append(pattern.substr(i, stop - i));
        i = stop;
        continue;
      }
      if (escaped == 'w') {
        out += inClass ? std::string(kWordChars) : "[" + std::string(kWordChars) + "]";
      } else if (escaped == 'W') {
        if (inClass) {
          why = "\\W внутри [...] не поддерживается";
          return std::nullopt;
        }
        out += "[^" + std::string(kWordChars) + "]";
      } else if ((escaped == 'b' || escaped == 'B') && !inClass) {
        why = "\\b и \\B не поддерживаются: граница слова не видна в кириллице";
        return std::nullopt;
      } else {
        out.append(pattern.substr(i, 2));
      }
      i += 2;
      continue;
    }
    out += ch;
    ++i;
    if (!inClass && ch == '[') {
      inClass = true;
      // A "]" first in a class is one of its characters.
      if (i < pattern.size() && pattern[i] == '^') out += pattern[i++];
      if (i < pattern.size() && pattern[i] == ']') out += pattern[i++];
    } else if (inClass && ch == '[' && i < pattern.size() && pattern[i] == ':') {
      const std::size_t end = pattern.find(":]", i + 1);  // [:alpha:] inside a class
      if (end != std::string_view::npos) {
        out.append(pattern.substr(i, end + 2 - i));
        i = end + 2;
      }
    } else if (inClass && ch == ']') {
      inClass = false;
    }
  }
  return out;
}

std::string_view reasonOf(re2::RE2::ErrorCode code) {
  switch (code) {
    case re2::RE2::ErrorBadEscape: return "неверная последовательность после \\";
    case re2::RE2::ErrorBadCharClass: return "неверный класс символов";
    case re2::RE2::ErrorBadCharRange: return "неверный диапазон символов";
    case re2::RE2::ErrorMissingBracket: return "не закрыта ]";
    case re2::RE2::ErrorMissingParen: return "не закрыта (";
    case re2::RE2::ErrorUnexpectedParen: return "лишняя )";
    case re2::RE2::ErrorTrailingBackslash: return "\\ в конце выражения";
    case re2::RE2::ErrorRepeatArgument: return "повтор без того, что повторять";
    case re2::RE2::ErrorRepeatSize: return "неверное число повторов";
    case re2::RE2::ErrorRepeatOp: return "неверный повтор";
    case re2::RE2::ErrorBadPerlOp: return "неверная конструкция (?";
    case re2::RE2::ErrorBadUTF8: return "не UTF-8";
    case re2::RE2::ErrorBadNamedCapture: return "неверное имя группы";
    case re2::RE2::ErrorPatternTooLarge: return "выражение слишком велико";
    default: return "выражение не разобрано";
  }
}

}  // namespace

std::optional<TextPattern> TextPattern::compile(std::string_view pattern, std::string& why) {
  const std::optional<std::string> rewritten = unicodeWords(pattern, why);
  if (!rewritten) return std::nullopt;
  re2::RE2::Options options;
  options.set_log_errors(false);  // the reason goes into the report instead
  options.set_never_capture(true);
  auto compiled = std::make_shared<const re2::RE2>(*rewritten, options);
  if (!compiled->ok()) {
    why = std::string(reasonOf(compiled->error_code()));
    if (!compiled->error_arg().empty()) why += ": «" + compiled->error_arg() + "»";
    return std::nullopt;
  }
  return TextPattern(std::move(compiled));
}

bool TextPattern::foundIn(std::string_view utf8) const {
  return re2::RE2::PartialMatch(re2::StringPiece(utf8.data(), utf8.size()), *compiled_);
}

}  // namespace lk40::core
