// A scripted run of the main window: the steps of its script as read from
// the script's text, with its loops and the files it includes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_pattern.h"

namespace lk40::core {

enum class StepKind {
  Page,        // page NAME
  Set,         // set FIELD TEXT
  Press,       // press BUTTON
  Expect,      // expect FIELD TEXT, expect FIELD ~ REGEX, with the aspects below
  ExpectBox,   // expect box TEXT, expect box ~ REGEX: against the message boxes
               // raised since the previous one, a line each (none: the empty text)
  ExpectTime,  // expect time < MS: the last framed call's execution time
  Wait,        // wait MS
  Display,     // display MS
  Repeat,      // repeat N: the steps up to its `end` N times
  End,         // end of a repeat
};

// What of a control an expectation reads.
enum class Aspect {
  Text,           // FIELD: the text it shows; GRID[ROW,COL], LIST[ROW], LIST[ROW,COL]: a cell or a row
  Caption,        // NAME.caption: the caption it carries
  Enabled,        // NAME.enabled: "да" or "нет"
  Bulb,           // LIST.bulb: the row with the mark, "" for none
  WindowCaption,  // caption: the caption of the window the steps act on
};

// A script is read up to this size, its included files counted in; a
// larger one is refused.
inline constexpr std::size_t kMaxScriptBytes = std::size_t{16} << 20;

// Waits are bounded, so a typo cannot hang a run for ever: 24 h at most.
inline constexpr uint32_t kMaxStepMs = 24u * 60 * 60 * 1000;
inline constexpr uint32_t kMaxRepeat = 1000000;
// Loops and includes nest at most this deep.
inline constexpr std::size_t kMaxNesting = 32;

struct Step {
  std::size_t line = 0;  // 1-based, in its file
  std::string file;      // the included file it comes from; empty: the script itself
  StepKind kind = StepKind::Page;
  std::string source;  // the line as written, without its comment and outer blanks
  std::string target;  // the page caption, the field (without its aspect or cell) or the button
  std::string text;    // set: what is typed; expect: the text or the pattern as written
  std::optional<TextPattern> pattern;  // expect ... ~: found anywhere in what is read
  Aspect aspect = Aspect::Text;
  int row = -1;     // GRID[ROW,COL], LIST[ROW]: counted from 0; -1 none
  int column = -1;  // -1: the whole row
  uint32_t ms = 0;  // wait, display, expect time
  uint32_t count = 0;        // repeat
  std::size_t partner = 0;   // repeat: the index of its end; end: of its repeat

  // Whether what was read (UTF-8) meets the expectation: equal to the text,
  // or the pattern found in it.
  bool accepts(const std::string& seen) const;
  bool isExpectation() const {
    return kind == StepKind::Expect || kind == StepKind::ExpectBox || kind == StepKind::ExpectTime;
  }
  // The time the step takes by its own nature: a wait's or a display's.
  uint32_t ownMs() const { return kind == StepKind::Wait || kind == StepKind::Display ? ms : 0; }
  // Whether it acts on the window (page, set, press, wait, display).
  bool acts() const { return !isExpectation() && kind != StepKind::Repeat && kind != StepKind::End; }
};

struct ScriptError {
  std::size_t line = 0;  // 0: the file as a whole
  std::string message;
  std::string file;  // the included file it is in; empty: the script itself
};

struct Script {
  // In the order written, includes put in place of their line, each repeat
  // and end as a step of its own (StepCursor walks them).
  std::vector<Step> steps;
  std::vector<ScriptError> errors;  // every bad line; a script with any is not run
};

// Reads an included file: its bytes, and a key that is the same for every
// name of the same file (to find cycles); false with the reason in `error`.
// At most `limit` bytes; a larger file is an error.
using IncludeReader =
    std::function<bool(const std::string& path, std::size_t limit, std::string& bytes, std::string& key, std::string& error)>;

// The script's text is UTF-8 (a byte-order mark at its start is skipped), one
// step per line, "\n" or "\r\n" line ends; blank lines are skipped. Words are
// separated by blanks; a "#" at the start of a word outside double quotes
// begins a comment. FIELD is one word, or a text in double quotes when it has
// blanks ("" inside stands for one quote); NAME, BUTTON and TEXT are the rest
// of the line, or one text in double quotes to keep outer blanks, a "#" or an
// empty text (set Edit1 ""). MS is a decimal 0 .. kMaxStepMs, N 1 .. kMaxRepeat.
// A regex is a TextPattern, compiled here, so that a bad one is a bad line.
// `include FILE` names a file relative to the folder of the file it stands
// in (`name`), read by `read`; without a reader an include is a bad line, as
// is one that would include a file again inside itself.
Script parseScript(std::string_view utf8, const std::string& name = {}, const IncludeReader& read = {});

// The script in the file at `path`, read by `read` as its includes are. A
// file that cannot be read, or a script larger than kMaxScriptBytes with
// its includes, is an error of line 0.
Script loadScript(const std::string& path, const IncludeReader& read);

// The check box values a set takes: "да" true, "нет" false, else nothing.
std::optional<bool> checkBoxValue(std::string_view text);
std::string_view yesNo(bool value);

// The number in a text such as "Время выполнения 12 мс", or nothing.
std::optional<uint32_t> executionTimeMs(std::string_view text);

}  // namespace lk40::core
