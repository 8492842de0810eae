#include "core/run_script.h"

#include <gtest/gtest.h>

#include <chrono>

namespace lk40::core {
namespace {

struct Good {
  const char* line;
  StepKind kind;
  const char* target;
  const char* text;
  uint32_t ms;
};

TEST(RunScript, GoodLines) {
  const Good cases[] = {
      {"page Вес", StepKind::Page, "Вес", "", 0},
      {"  page   Весовые каналы  # the fifth", StepKind::Page, "Весовые каналы", "", 0},
      {"set Таймаут 200", StepKind::Set, "Таймаут", "200", 0},
      {"set\tEdit53\t 30\t", StepKind::Set, "Edit53", "30", 0},
      {"set \"Номер ЛУ\" 3", StepKind::Set, "Номер ЛУ", "3", 0},
      {"set Edit1 \"\"", StepKind::Set, "Edit1", "", 0},
      {"set Edit1 \" a \"\"#\"\" \"", StepKind::Set, "Edit1", " a \"#\" ", 0},
      {"set Edit1 a#b 5\"", StepKind::Set, "Edit1", "a#b 5\"", 0},
      {"press Прочитать вес", StepKind::Press, "Прочитать вес", "", 0},
      {"expect edtError 0: Ошибок нет", StepKind::Expect, "edtError", "0: Ошибок нет", 0},
      {"expect Label28 ~ ^Время выполнения [0-9]+ мс$", StepKind::Expect, "Label28", "^Время выполнения [0-9]+ мс$", 0},
      {"expect edtSend ~a", StepKind::Expect, "edtSend", "~a", 0},
      {"expect box Внимание: Файл не создан!", StepKind::ExpectBox, "box", "Внимание: Файл не создан!", 0},
      {"wait 0", StepKind::Wait, "", "", 0},
      {"display 86400000", StepKind::Display, "", "", kMaxStepMs},
  };
  for (const Good& c : cases) {
    const Script script = parseScript(c.line);
    ASSERT_TRUE(script.errors.empty()) << c.line << ": " << script.errors[0].message;
    ASSERT_EQ(script.steps.size(), 1u) << c.line;
    const Step& step = script.steps[0];
    EXPECT_EQ(step.kind, c.kind) << c.line;
    EXPECT_EQ(step.target, c.target) << c.line;
    EXPECT_EQ(step.text, c.text) << c.line;
    EXPECT_EQ(step.ms, c.ms) << c.line;
  }
}

TEST(RunScript, LinesNumberedFromOneOverBomCommentsAndBlankLines) {
  const Script script = parseScript("\xEF\xBB\xBFpage Вес\r\n\r\n# comment\n   \t\n  # indented\npress Button23\n");
  ASSERT_TRUE(script.errors.empty());
  ASSERT_EQ(script.steps.size(), 2u);
  EXPECT_EQ(script.steps[0].line, 1u);
  EXPECT_EQ(script.steps[0].target, "Вес");
  EXPECT_EQ(script.steps[1].line, 6u);
  EXPECT_EQ(script.steps[1].source, "press Button23");
}

TEST(RunScript, BadLinesEachWithItsNumber) {
  const std::pair<const char*, const char*> cases[] = {
      {"Page Вес", "неизвестный шаг «Page»: page, set, press, expect, wait, display, repeat, end или include"},
      {"page", "page: не указана страница"},
      {"page   # nothing", "page: не указана страница"},
      {"press", "press: не указана кнопка"},
      {"set", "set: не указано поле"},
      {"set Edit1", "set: не указан текст (пустой текст пишется как \"\")"},
      {"set \"Номер ЛУ 3", "кавычка не закрыта"},
      {"set \"Номер ЛУ\"3", "после закрывающей кавычки нужен пробел"},
      {"press \"Пуск\" сейчас", "после текста в кавычках лишнее: сейчас"},
      {"expect", "expect: не указано поле"},
      {"expect edtError", "expect: не указан текст (пустой текст пишется как \"\")"},
      {"expect edtError ~", "expect: после ~ не указано выражение"},
      {"wait", "wait: нужно число миллисекунд от 0 до 86400000"},
      {"wait -1", "wait: нужно число миллисекунд от 0 до 86400000"},
      {"wait 1.5", "wait: нужно число миллисекунд от 0 до 86400000"},
      {"wait 10 20", "wait: нужно число миллисекунд от 0 до 86400000"},
      {"display 86400001", "display: нужно число миллисекунд от 0 до 86400000"},
      {"display 99999999999999999999", "display: нужно число миллисекунд от 0 до 86400000"},
      {"page \xC2\xC5\xD1", "строка не в кодировке UTF-8"},
  };
  for (const auto& [line, message] : cases) {
    const Script script = parseScript(std::string("page Вес\n") + line + "\npress Button23");
    ASSERT_EQ(script.errors.size(), 1u) << line;
    EXPECT_EQ(script.errors[0].line, 2u) << line;
    EXPECT_EQ(script.errors[0].message, message) << line;
    EXPECT_EQ(script.steps.size(), 2u) << line;
  }
  // A script with nothing to run is a bad one, not a passed one.
  for (const char* empty : {"", "\n  \n", "# only\n   # comments\n"}) {
    const Script script = parseScript(empty);
    ASSERT_EQ(script.errors.size(), 1u) << empty;
    EXPECT_EQ(script.errors[0].line, 0u);
    EXPECT_EQ(script.errors[0].message, "в сценарии нет ни одного шага");
  }
  const Script regex = parseScript("expect edtError ~ 0: (Ошибок");
  ASSERT_EQ(regex.errors.size(), 1u);
  EXPECT_EQ(regex.errors[0].message.rfind("expect: неверное выражение «0: (Ошибок»: ", 0), 0u) << regex.errors[0].message;
}

TEST(RunScript, ExpectationsCompareWholeOrSearch) {
  const Script script = parseScript("expect edtError 0: Ошибок нет\nexpect edtError ~ ^-?[0-9]+: \n");
  ASSERT_EQ(script.steps.size(), 2u);
  const Step& exact = script.steps[0];
  EXPECT_TRUE(exact.accepts("0: Ошибок нет"));
  EXPECT_FALSE(exact.accepts("0: Ошибок нет "));
  EXPECT_FALSE(exact.accepts("10: Ошибок нет"));
  const Step& pattern = script.steps[1];
  EXPECT_TRUE(pattern.accepts("-1: Нет связи"));
  EXPECT_FALSE(pattern.accepts("Ошибок нет"));
  EXPECT_EQ(checkBoxValue("да"), true);
  EXPECT_EQ(checkBoxValue("нет"), false);
  EXPECT_EQ(checkBoxValue("Да"), std::nullopt);
}

// A driver decides what a field holds: no text and no pattern may crash the
// run or stall it, and the pattern works on characters, not on bytes.
TEST(RunScript, PatternsOverCharactersInLinearTime) {
  const std::string longLine(40000, 'a');
  std::string alternating;
  for (int i = 0; i < 10000; ++i) alternating += "ab";
  // Nested deeper than a parser that recursed could go.
  const std::string deep = std::string(30000, '(') + "a" + std::string(30000, ')');
  struct Case {
    std::string pattern;
    std::string text;
    bool found;
  };
  const Case cases[] = {
      {"^.*$", longLine, true},
      {"(a|b)*c", alternating, false},
      {"^(a|b)*$", alternating, true},
      {"^0: (a*)*b$", "0: " + std::string(30, 'a'), false},
      {"^(a*)*b$", std::string(18, 'a'), false},
      {"^0: [Я]", "0: Ошибок нет", false},
      {"^0: [А-Я]", "0: Ошибок нет", true},
      {"^.{6} нет$", "Ошибок нет", true},
      {"^\\w+ \\w+$", "Ошибок нет", true},
      {"^[\\w,]+$", "Ошибок,нет", true},
      {"\\W", "Ошибок", false},
      {"(?i)^ошибок", "ОШИБОК НЕТ", true},
      {"\\Q\\w+\\E", "a\\w+", true},
      {"\\Q\\w+\\E", "aa", false},
      {"^[]\\w]+$", "]я]", true},
      {"[[:digit:]]", "нет", false},
      {deep, "xa", true},
  };
  const auto started = std::chrono::steady_clock::now();
  for (const Case& c : cases) {
    const Script script = parseScript("expect edtRecieve ~ " + c.pattern);
    ASSERT_TRUE(script.errors.empty()) << c.pattern.substr(0, 40) << ": " << script.errors[0].message.substr(0, 80);
    EXPECT_EQ(script.steps.at(0).accepts(c.text), c.found) << c.pattern.substr(0, 40);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));

  for (const std::string& bad : {std::string("\\bнет"), std::string("[\\W]"), std::string("0: (Ошибок")}) {
    const Script script = parseScript("expect edtError ~ " + bad);
    ASSERT_EQ(script.errors.size(), 1u) << bad.substr(0, 20);
    EXPECT_EQ(script.errors[0].message.rfind("expect: неверное выражение «", 0), 0u) << script.errors[0].message.substr(0, 80);
  }
}

}  // namespace
}  // namespace lk40::core
