#include "core/run_script.h"

#include <algorithm>
#include <utility>

#include "platform/utf8.h"

namespace lk40::core {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t";

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool validUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const platform::Utf8Step step = platform::decodeUtf8(text, pos);
    if (!step.valid) return false;
    pos += step.length;
  }
  return true;
}

// A line's error, thrown inside the parse of that line only.
struct LineError {
  std::string message;
};

// The line without its comment. A quote opens a quoted word only at the start
// of a word, as the word readers below take it.
std::string_view withoutComment(std::string_view line) {
  bool quoted = false;
  bool wordStart = true;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char ch = line[i];
    if (quoted) {
      if (ch == '"') {
        if (i + 1 < line.size() && line[i + 1] == '"')
          ++i;
        else
          quoted = false;
      }
      continue;
    }
    if (isBlank(ch)) {
      wordStart = true;
      continue;
    }
    if (wordStart && ch == '#') return line.substr(0, i);
    quoted = wordStart && ch == '"';
    wordStart = false;
  }
  if (quoted) throw LineError{"кавычка не закрыта"};
  return line;
}

// Reads a quoted text at the start of `text`; returns it and what follows it.
std::pair<std::string, std::string_view> quotedWord(std::string_view text) {
  std::string word;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] != '"') {
      word += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '"') {
      word += '"';
      ++i;
    } else {
      const std::string_view after = text.substr(i + 1);
      if (!after.empty() && !isBlank(after[0])) throw LineError{"после закрывающей кавычки нужен пробел"};
      return {word, trimmed(after)};
    }
  }
  throw LineError{"кавычка не закрыта"};  // withoutComment has seen to it already
}

// The first word of `text` (trimmed, not empty) and the rest after it.
std::pair<std::string, std::string_view> firstWord(std::string_view text) {
  if (text[0] == '"') return quotedWord(text);
  const std::size_t end = std::min(text.find_first_of(kBlanks), text.size());
  return {std::string(text.substr(0, end)), trimmed(text.substr(end))};
}

// The rest of the line as one argument: as it stands, or one quoted text.
std::optional<std::string> restArgument(std::string_view rest) {
  if (rest.empty()) return std::nullopt;
  if (rest[0] != '"') return std::string(rest);
  auto [word, after] = quotedWord(rest);
  if (!after.empty()) throw LineError{"после текста в кавычках лишнее: " + std::string(after)};
  return std::move(word);
}

std::string required(std::string_view rest, const char* missing) {
  std::optional<std::string> argument = restArgument(rest);
  if (!argument) throw LineError{missing};
  return std::move(*argument);
}

uint32_t milliseconds(std::string_view keyword, std::string_view rest) {
  const std::string bad = std::string(keyword) + ": нужно число миллисекунд от 0 до " + std::to_string(kMaxStepMs);
  if (rest.empty() || rest.size() > 10 || rest.find_first_not_of("0123456789") != std::string_view::npos)
    throw LineError{bad};
  uint64_t value = 0;
  for (const char digit : rest) value = value * 10 + static_cast<uint64_t>(digit - '0');
  if (value > kMaxStepMs) throw LineError{bad};
  return static_cast<uint32_t>(value);
}

// FIELD then TEXT or "~ REGEX", for expect.
void readExpectation(Step& step, std::string_view rest) {
  if (rest.empty()) throw LineError{"expect: не указано поле"};
  auto [field, after] = firstWord(rest);
  step.target = std::move(field);
  step.kind = step.target == "box" ? StepKind::ExpectBox : StepKind::Expect;
  if (!after.empty() && after[0] == '~' && (after.size() == 1 || isBlank(after[1]))) {
    std::optional<std::string> pattern = restArgument(trimmed(after.substr(1)));
    if (!pattern) throw LineError{"expect: после ~ не указано выражение"};
    std::string why;
    step.pattern = TextPattern::compile(*pattern, why);
    if (!step.pattern) throw LineError{"expect: неверное выражение «" + *pattern + "»: " + why};
    step.text = std::move(*pattern);
    return;
  }
  step.text = required(after, "expect: не указан текст (пустой текст пишется как \"\")");
}

Step parseLine(std::size_t number, std::string_view line) {
  if (!validUtf8(line)) throw LineError{"строка не в кодировке UTF-8"};
  const std::string_view source = trimmed(withoutComment(line));
  Step step;
  step.line = number;
  step.source = std::string(source);
  if (source.empty()) return step;  // a comment line
  auto [keyword, rest] = firstWord(source);
  if (keyword == "page") {
    step.kind = StepKind::Page;
    step.target = required(rest, "page: не указана страница");
  } else if (keyword == "press") {
    step.kind = StepKind::Press;
    step.target = required(rest, "press: не указана кнопка");
  } else if (keyword == "set") {
    step.kind = StepKind::Set;
    if (rest.empty()) throw LineError{"set: не указано поле"};
    auto [field, after] = firstWord(rest);
    step.target = std::move(field);
    step.text = required(after, "set: не указан текст (пустой текст пишется как \"\")");
  } else if (keyword == "expect") {
    readExpectation(step, rest);
  } else if (keyword == "wait") {
    step.kind = StepKind::Wait;
    step.ms = milliseconds(keyword, rest);
  } else if (keyword == "display") {
    step.kind = StepKind::Display;
    step.ms = milliseconds(keyword, rest);
  } else {
    throw LineError{"неизвестный шаг «" + keyword + "»: page, set, press, expect, wait или display"};
  }
  return step;
}

}  // namespace

bool Step::accepts(const std::string& seen) const {
  return pattern ? pattern->foundIn(seen) : seen == text;
}

Script parseScript(std::string_view utf8) {
  if (utf8.substr(0, kBom.size()) == kBom) utf8.remove_prefix(kBom.size());
  Script script;
  std::size_t number = 0;
  while (!utf8.empty()) {
    ++number;
    const std::size_t end = std::min(utf8.find('\n'), utf8.size());
    std::string_view line = utf8.substr(0, end);
    utf8.remove_prefix(std::min(end + 1, utf8.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    try {
      Step step = parseLine(number, line);
      if (!step.source.empty()) script.steps.push_back(std::move(step));
    } catch (const LineError& error) {
      script.errors.push_back({number, error.message});
    }
  }
  // Nothing to run passes nothing: most likely the wrong file.
  if (script.steps.empty() && script.errors.empty()) script.errors.push_back({0, "в сценарии нет ни одного шага"});
  return script;
}

bool expectsBoxes(const std::vector<Step>& steps, std::size_t from) {
  for (std::size_t i = from; i < steps.size(); ++i) {
    if (steps[i].kind == StepKind::ExpectBox) return true;
    if (steps[i].kind != StepKind::Expect) return false;
  }
  return false;
}

std::optional<bool> checkBoxValue(std::string_view text) {
  if (text == "да") return true;
  if (text == "нет") return false;
  return std::nullopt;
}

}  // namespace lk40::core
