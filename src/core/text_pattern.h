// The regular expression of `expect ... ~ REGEX`: RE2's syntax over the
// characters of a UTF-8 text, searched in time linear in the text and without
// recursion, so that a driver's text of any length, or any pattern, can
// neither stall nor crash a run.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace re2 {
class RE2;
}

namespace lk40::core {

class TextPattern {
 public:
  // The pattern compiled, or nothing with the reason in `why`. `\w` is a
  // letter or digit of any script, or "_", and `\W` anything else; `\b` and
  // `\B` are refused, as RE2 knows only Latin words and a Cyrillic word would
  // have no border.
  static std::optional<TextPattern> compile(std::string_view pattern, std::string& why);

  // Whether the pattern matches somewhere in the text.
  bool foundIn(std::string_view utf8) const;

 private:
  explicit TextPattern(std::shared_ptr<const re2::RE2> compiled) : compiled_(std::move(compiled)) {}
  std::shared_ptr<const re2::RE2> compiled_;
};

}  // namespace lk40::core
