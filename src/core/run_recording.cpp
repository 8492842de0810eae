#include "core/run_recording.h"

namespace lk40::core {

namespace {

std::string quotedText(std::string_view text) {
  std::string out = "\"";
  for (const char ch : text) {
    out += ch;
    if (ch == '"') out += '"';
  }
  return out + "\"";
}

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

bool hasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

std::string scriptWord(std::string_view text) {
  if (text.empty() || text.find_first_of(" \t\"#") != std::string_view::npos) return quotedText(text);
  return std::string(text);
}

std::string scriptRest(std::string_view text) {
  if (text.empty() || isBlank(text.front()) || isBlank(text.back()) || text.front() == '"' || text.front() == '~' ||
      text.find('#') != std::string_view::npos)
    return quotedText(text);
  return std::string(text);
}

std::string exactPattern(std::string_view text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out = "^";
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (ch == '\n') {
      out += "\\n";
    } else if (ch == '\r') {
      out += "\\r";
    } else if (ch == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      out += "\\x{";
      out += hex[byte >> 4];
      out += hex[byte & 15];
      out += "}";
    } else {
      if (std::string_view("\\.^$|?*+()[]{}").find(ch) != std::string_view::npos) out += '\\';
      out += ch;
    }
  }
  return out + "$";
}

ScriptRecording::ScriptRecording(std::vector<std::string> header) {
  for (std::string& line : header) lines_.push_back("# " + line);
  if (!lines_.empty()) lines_.emplace_back();
}

void ScriptRecording::add(In in, std::string line, bool step) {
  (in == In::Dialog ? dialog_ : lines_).push_back(std::move(line));
  if (step) ++steps_;
}

void ScriptRecording::page(std::string_view caption) { add(In::Window, "page " + scriptRest(caption)); }

bool ScriptRecording::set(In in, std::string_view field, std::string_view text) {
  if (hasLineBreak(text)) {
    comment(in, "set " + std::string(field) + ": текст в несколько строк не записан");
    return false;
  }
  add(in, "set " + scriptWord(field) + " " + scriptRest(text));
  return true;
}

void ScriptRecording::press(In in, std::string_view button) {
  add(in, "press " + scriptRest(button));
  if (in == In::Window) {
    lines_.insert(lines_.end(), dialog_.begin(), dialog_.end());
    dialog_.clear();
  }
}

void ScriptRecording::expect(In in, std::string_view field, std::string_view text) {
  const std::string value = hasLineBreak(text) ? "~ " + scriptRest(exactPattern(text)) : scriptRest(text);
  add(in, "expect " + scriptWord(field) + " " + value);
}

void ScriptRecording::boxes(In in, const std::vector<std::string>& boxes) {
  std::string text;
  for (const std::string& box : boxes) text += (text.empty() ? "" : "\n") + box;
  if (!boxes.empty()) expect(in, "box", text);
}

void ScriptRecording::wait(uint32_t ms) { add(In::Window, "wait " + std::to_string(ms)); }

void ScriptRecording::display(uint32_t ms) { add(In::Window, "display " + std::to_string(ms)); }

void ScriptRecording::comment(In in, std::string_view text) {
  std::string line = "# ";
  for (const char ch : text) line += ch == '\n' || ch == '\r' ? ' ' : ch;
  add(in, std::move(line), false);
}

std::string ScriptRecording::text() const {
  std::string out;
  for (const std::string& line : lines_) out += line + "\n";
  for (const std::string& line : dialog_) out += line + "\n";
  return out;
}

}  // namespace lk40::core
