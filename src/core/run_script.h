// A scripted run of the main window: the steps of its script as read from
// the script's text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_pattern.h"

namespace lk40::core {

enum class StepKind {
  Page,       // page NAME
  Set,        // set FIELD TEXT
  Press,      // press BUTTON
  Expect,     // expect FIELD TEXT, expect FIELD ~ REGEX
  ExpectBox,  // expect box TEXT, expect box ~ REGEX: against the message boxes
              // raised since the previous one, a line each (none: the empty text)
  Wait,       // wait MS
  Display,    // display MS
};

// A script is read up to this size; a larger one is refused.
inline constexpr std::size_t kMaxScriptBytes = std::size_t{16} << 20;

// Waits are bounded, so a typo cannot hang a run for ever: 24 h at most.
inline constexpr uint32_t kMaxStepMs = 24u * 60 * 60 * 1000;

struct Step {
  std::size_t line = 0;  // 1-based
  StepKind kind = StepKind::Page;
  std::string source;  // the line as written, without its comment and outer blanks
  std::string target;  // the page caption, the field or the button
  std::string text;    // set: what is typed; expect: the text or the pattern as written
  std::optional<TextPattern> pattern;  // expect ... ~: found anywhere in the field's text
  uint32_t ms = 0;                    // wait, display

  // Whether a field's text (UTF-8) meets the expectation: equal to the text,
  // or the pattern found in it.
  bool accepts(const std::string& seen) const;
};

struct ScriptError {
  std::size_t line = 0;
  std::string message;
};

struct Script {
  std::vector<Step> steps;
  std::vector<ScriptError> errors;  // every bad line; a script with any is not run
};

// The script's text is UTF-8 (a byte-order mark at its start is skipped), one
// step per line, "\n" or "\r\n" line ends; blank lines are skipped. Words are
// separated by blanks; a "#" at the start of a word outside double quotes
// begins a comment. FIELD is one word, or a text in double quotes when it has
// blanks ("" inside stands for one quote); NAME, BUTTON and TEXT are the rest
// of the line, or one text in double quotes to keep outer blanks, a "#" or an
// empty text (set Edit1 ""). MS is a decimal 0 .. kMaxStepMs. A regex is a
// TextPattern, compiled here, so that a bad one is a bad line.
Script parseScript(std::string_view utf8);

// Whether an `expect box` stands among the expectations that begin at
// steps[from], before the next step that acts on the window: there a box
// raised by the step before `from` is expected.
bool expectsBoxes(const std::vector<Step>& steps, std::size_t from);

// The check box values a set takes: "да" true, "нет" false, else nothing.
std::optional<bool> checkBoxValue(std::string_view text);

}  // namespace lk40::core
