#include "core/run_script.h"

#include <algorithm>
#include <filesystem>
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
// With `suffix`, an aspect or a cell may follow the closing quote at once
// ("Показания АЦП".enabled) and is kept with the word.
std::pair<std::string, std::string_view> quotedWord(std::string_view text, bool suffix = false) {
  std::string word;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] != '"') {
      word += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '"') {
      word += '"';
      ++i;
    } else {
      std::string_view after = text.substr(i + 1);
      if (suffix && !after.empty() && (after[0] == '.' || after[0] == '[')) {
        const std::size_t end = std::min(after.find_first_of(kBlanks), after.size());
        word += after.substr(0, end);
        after.remove_prefix(end);
      }
      if (!after.empty() && !isBlank(after[0])) throw LineError{"после закрывающей кавычки нужен пробел"};
      return {word, trimmed(after)};
    }
  }
  throw LineError{"кавычка не закрыта"};  // withoutComment has seen to it already
}

// The first word of `text` (trimmed, not empty) and the rest after it.
std::pair<std::string, std::string_view> firstWord(std::string_view text, bool suffix = false) {
  if (text[0] == '"') return quotedWord(text, suffix);
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

uint32_t decimal(std::string_view rest, uint64_t low, uint64_t high, const std::string& bad) {
  if (rest.empty() || rest.size() > 10 || rest.find_first_not_of("0123456789") != std::string_view::npos)
    throw LineError{bad};
  uint64_t value = 0;
  for (const char digit : rest) value = value * 10 + static_cast<uint64_t>(digit - '0');
  if (value < low || value > high) throw LineError{bad};
  return static_cast<uint32_t>(value);
}

uint32_t milliseconds(std::string_view keyword, std::string_view rest) {
  return decimal(rest, 0, kMaxStepMs,
                std::string(keyword) + ": нужно число миллисекунд от 0 до " + std::to_string(kMaxStepMs));
}

bool endsWith(std::string_view text, std::string_view tail) {
  return text.size() > tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// "12" as a row or column number; anything else is no number.
std::optional<int> index(std::string_view text) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  return std::stoi(std::string(text));
}

// The field of an expectation: NAME, NAME.caption, NAME.enabled, NAME.bulb,
// NAME[ROW], NAME[ROW,COL], or the word caption for the window's own.
void readTarget(Step& step, std::string name) {
  if (name == "caption") {
    step.aspect = Aspect::WindowCaption;
    return;
  }
  const std::pair<std::string_view, Aspect> aspects[] = {
      {".caption", Aspect::Caption}, {".enabled", Aspect::Enabled}, {".bulb", Aspect::Bulb}};
  for (const auto& [tail, aspect] : aspects) {
    if (endsWith(name, tail)) {
      step.aspect = aspect;
      name.resize(name.size() - tail.size());
      if (!name.empty() && name.back() == ']')
        throw LineError{"expect: .caption, .enabled и .bulb пишутся у элемента без строки"};
      step.target = std::move(name);
      return;
    }
  }
  const std::size_t open = name.rfind('[');
  if (!name.empty() && name.back() == ']' && open != std::string::npos && open > 0) {
    const std::string_view cell = std::string_view(name).substr(open + 1, name.size() - open - 2);
    const std::size_t comma = cell.find(',');
    const std::optional<int> row = index(trimmed(cell.substr(0, comma)));
    const std::optional<int> column =
        comma == std::string_view::npos ? std::optional<int>(-1) : index(trimmed(cell.substr(comma + 1)));
    if (!row || !column) throw LineError{"expect: строка и столбец пишутся числами: " + name};
    step.row = *row;
    step.column = *column;
    name.resize(open);
  }
  step.target = std::move(name);
}

// FIELD then TEXT or "~ REGEX", for expect; "time < MS".
void readExpectation(Step& step, std::string_view rest) {
  if (rest.empty()) throw LineError{"expect: не указано поле"};
  auto [field, after] = firstWord(rest, true);
  if (field == "time" && !after.empty() && after[0] == '<') {
    step.kind = StepKind::ExpectTime;
    step.ms = decimal(trimmed(after.substr(1)), 1, kMaxStepMs,
                     "expect time: нужно «< миллисекунд», от 1 до " + std::to_string(kMaxStepMs));
    return;
  }
  step.kind = field == "box" ? StepKind::ExpectBox : StepKind::Expect;
  if (step.kind == StepKind::ExpectBox)
    step.target = std::move(field);
  else
    readTarget(step, std::move(field));
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
  if (step.aspect == Aspect::Enabled && !checkBoxValue(step.text))
    throw LineError{"expect: .enabled сравнивается со словом «да» или «нет»"};
}

// A line: a step, or the file an include names (in `include`).
Step parseLine(std::size_t number, std::string_view line, std::string& include) {
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
  } else if (keyword == "repeat") {
    step.kind = StepKind::Repeat;
    step.count = decimal(rest, 1, kMaxRepeat, "repeat: нужно число повторов от 1 до " + std::to_string(kMaxRepeat));
  } else if (keyword == "end") {
    if (!rest.empty()) throw LineError{"end: после end лишнее: " + std::string(rest)};
    step.kind = StepKind::End;
  } else if (keyword == "include") {
    include = required(rest, "include: не указан файл");
  } else {
    throw LineError{"неизвестный шаг «" + keyword +
                    "»: page, set, press, expect, wait, display, repeat, end или include"};
  }
  return step;
}

// The text of one file into the script: its steps, its includes in their
// place, its loops closed within it.
class FileParser {
 public:
  FileParser(Script& script, const IncludeReader& read, std::size_t& budget)
      : script_(script), read_(read), budget_(budget) {}

  // `path` is where the file's includes are looked for, `shown` its name in
  // its steps and errors (empty for the script itself).
  void parse(std::string_view utf8, const std::string& path, const std::string& shown, std::vector<std::string>& keys,
             std::size_t depth);

 private:
  void include(const std::string& name, const std::string& from, std::vector<std::string>& keys, std::size_t depth);
  void error(std::size_t line, std::string message, const std::string& file) {
    script_.errors.push_back({line, std::move(message), file});
  }

  Script& script_;
  const IncludeReader& read_;
  std::size_t& budget_;  // bytes that may still be read
};

void FileParser::parse(std::string_view utf8, const std::string& path, const std::string& file,
                       std::vector<std::string>& keys, std::size_t depth) {
  if (utf8.substr(0, kBom.size()) == kBom) utf8.remove_prefix(kBom.size());
  std::vector<std::size_t> loops;  // the repeats open in this file
  std::size_t number = 0;
  while (!utf8.empty()) {
    ++number;
    const std::size_t end = std::min(utf8.find('\n'), utf8.size());
    std::string_view line = utf8.substr(0, end);
    utf8.remove_prefix(std::min(end + 1, utf8.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    try {
      std::string included;
      Step step = parseLine(number, line, included);
      if (!included.empty()) {
        include(included, path, keys, depth + loops.size());
        continue;
      }
      if (step.source.empty()) continue;
      step.file = file;
      const std::size_t at = script_.steps.size();
      if (step.kind == StepKind::Repeat) {
        if (depth + loops.size() >= kMaxNesting)
          throw LineError{"repeat: вложено глубже " + std::to_string(kMaxNesting)};
        loops.push_back(at);
      } else if (step.kind == StepKind::End) {
        if (loops.empty()) throw LineError{"end без repeat"};
        const std::size_t begin = loops.back();
        loops.pop_back();
        // A loop without a step would spin on its own markers.
        bool hasStep = false;
        for (std::size_t i = begin + 1; i < at && !hasStep; ++i)
          hasStep = script_.steps[i].kind != StepKind::Repeat && script_.steps[i].kind != StepKind::End;
        if (!hasStep) throw LineError{"end: в повторе нет ни одного шага"};
        script_.steps[begin].partner = at;
        step.partner = begin;
      }
      script_.steps.push_back(std::move(step));
    } catch (const LineError& e) {
      error(number, e.message, file);
    }
  }
  for (const std::size_t open : loops) error(script_.steps[open].line, "repeat без end", file);
}

void FileParser::include(const std::string& name, const std::string& from, std::vector<std::string>& keys,
                         std::size_t depth) {
  if (!read_) throw LineError{"include: вставлять можно только в сценарий из файла"};
  if (depth >= kMaxNesting) throw LineError{"include: вложено глубже " + std::to_string(kMaxNesting)};
  namespace fs = std::filesystem;
  // With "/" on every system, so that a name reads the same in every report.
  const fs::path named = fs::u8path(name);
  const std::string path =
      (named.is_absolute() ? named : fs::u8path(from).parent_path() / named).lexically_normal().generic_u8string();
  std::string bytes, key, why;
  if (!read_(path, budget_, bytes, key, why)) throw LineError{"include: «" + path + "» не прочитан: " + why};
  if (bytes.size() > budget_)
    throw LineError{"include: сценарий со вставками больше " + std::to_string(kMaxScriptBytes >> 20) + " МиБ"};
  if (std::find(keys.begin(), keys.end(), key) != keys.end())
    throw LineError{"include: «" + path + "» вставляет сам себя"};
  budget_ -= bytes.size();
  keys.push_back(key);
  parse(bytes, path, path, keys, depth + 1);
  keys.pop_back();
}

Script finished(Script script) {
  // Nothing to run passes nothing: most likely the wrong file.
  const bool any = std::any_of(script.steps.begin(), script.steps.end(), [](const Step& s) { return s.acts() || s.isExpectation(); });
  if (!any && script.errors.empty()) script.errors.push_back({0, "в сценарии нет ни одного шага", {}});
  return script;
}

}  // namespace

bool Step::accepts(const std::string& seen) const {
  if (kind == StepKind::ExpectTime) {
    const std::optional<uint32_t> taken = executionTimeMs(seen);
    return taken && *taken < ms;
  }
  return pattern ? pattern->foundIn(seen) : seen == text;
}

Script parseScript(std::string_view utf8, const std::string& name, const IncludeReader& read) {
  Script script;
  std::size_t budget = kMaxScriptBytes;
  std::vector<std::string> keys;
  FileParser(script, read, budget).parse(utf8, name, {}, keys, 0);
  return finished(std::move(script));
}

Script loadScript(const std::string& path, const IncludeReader& read) {
  Script script;
  std::string bytes, key, why;
  if (!read(path, kMaxScriptBytes, bytes, key, why)) {
    script.errors.push_back({0, "сценарий не прочитан: " + why, {}});
    return script;
  }
  if (bytes.size() > kMaxScriptBytes) {
    script.errors.push_back({0, "сценарий больше " + std::to_string(kMaxScriptBytes >> 20) + " МиБ", {}});
    return script;
  }
  std::size_t budget = kMaxScriptBytes - bytes.size();
  std::vector<std::string> keys{key};
  FileParser(script, read, budget).parse(bytes, path, {}, keys, 0);
  return finished(std::move(script));
}

std::optional<bool> checkBoxValue(std::string_view text) {
  if (text == "да") return true;
  if (text == "нет") return false;
  return std::nullopt;
}

std::string_view yesNo(bool value) { return value ? "да" : "нет"; }

std::optional<uint32_t> executionTimeMs(std::string_view text) {
  const std::size_t first = text.find_first_of("0123456789");
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t end = std::min(text.find_first_not_of("0123456789", first), text.size());
  if (end - first > 9) return std::nullopt;
  return static_cast<uint32_t>(std::stoul(std::string(text.substr(first, end - first))));
}

}  // namespace lk40::core
