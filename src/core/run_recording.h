// A script recorded from the operator's hands: the step lines, written so
// that parseScript reads back exactly the names and texts they were made
// from, and the order in which a dialog's steps join the press that opened
// it. The window side (src/app/script_record) says what happened; this says
// how it is written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lk40::core {

// A name or a text as one word (FIELD): as it is, or in double quotes when
// it has a blank, a quote, a "#" or nothing.
std::string scriptWord(std::string_view text);
// A text as the rest of a line (NAME, TEXT): as it is, or in double quotes
// when it has outer blanks, a "#" or nothing, or begins with a quote or "~".
std::string scriptRest(std::string_view text);
// An RE2 pattern that matches exactly this text and nothing else; a line
// break is written "\n", so the pattern stays on one line.
std::string exactPattern(std::string_view text);

class ScriptRecording {
 public:
  // Comment lines at the top ("# ..."), each without its "#".
  explicit ScriptRecording(std::vector<std::string> header = {});

  // Where a step was taken: the main window, or the dialog a press of the
  // main window opened. A dialog's steps wait for that press, which is
  // recorded once the dialog has closed, and follow it.
  enum class In { Window, Dialog };

  void page(std::string_view caption);
  // A text with a line break cannot be typed by a script line: false, and
  // a comment says what was not recorded.
  bool set(In in, std::string_view field, std::string_view text);
  // A main window's press takes the dialog steps that wait for it.
  void press(In in, std::string_view button);
  // expect FIELD TEXT, or FIELD ~ ^...$ when the text has a line break.
  void expect(In in, std::string_view field, std::string_view text);
  // The message boxes a step raised, caption: text each, as `expect box`.
  void boxes(In in, const std::vector<std::string>& boxes);
  void wait(uint32_t ms);
  void display(uint32_t ms);
  void comment(In in, std::string_view text);

  // Lines recorded so far, comments and the header not counted.
  std::size_t steps() const { return steps_; }
  // The script: the header, the lines, any dialog lines still waiting; "\n"
  // after each line.
  std::string text() const;

 private:
  void add(In in, std::string line, bool step = true);

  std::vector<std::string> lines_;
  std::vector<std::string> dialog_;  // waiting for the press that opened the dialog
  std::size_t steps_ = 0;
};

}  // namespace lk40::core
