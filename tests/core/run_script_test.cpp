#include "core/run_script.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "core/run_cursor.h"
#include "core/run_report.h"

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

namespace lk40::core {
namespace {

TEST(RunScript, WhatAnExpectationReads) {
  struct Case {
    const char* line;
    StepKind kind;
    const char* target;
    Aspect aspect;
    int row, column;
    const char* text;
  };
  const Case cases[] = {
      {"expect StringGrid1[3,1] 5", StepKind::Expect, "StringGrid1", Aspect::Text, 3, 1, "5"},
      {"expect ListView1[0] ~ Весы", StepKind::Expect, "ListView1", Aspect::Text, 0, -1, "Весы"},
      {"expect ListView1[2,0] 1", StepKind::Expect, "ListView1", Aspect::Text, 2, 0, "1"},
      {"expect ListView1.bulb \"\"", StepKind::Expect, "ListView1", Aspect::Bulb, -1, -1, ""},
      {"expect Button17.caption Стор", StepKind::Expect, "Button17", Aspect::Caption, -1, -1, "Стор"},
      {"expect \"Показания АЦП\".enabled нет", StepKind::Expect, "Показания АЦП", Aspect::Enabled, -1, -1, "нет"},
      {"expect caption ~ \\(COM1\\)$", StepKind::Expect, "", Aspect::WindowCaption, -1, -1, "\\(COM1\\)$"},
      {"expect Измерений: 5", StepKind::Expect, "Измерений:", Aspect::Text, -1, -1, "5"},
      {"expect \"Кол-во градуир. точек\" 4", StepKind::Expect, "Кол-во градуир. точек", Aspect::Text, -1, -1, "4"},
      {"expect time < 500", StepKind::ExpectTime, "", Aspect::Text, -1, -1, ""},
      {"expect time 5", StepKind::Expect, "time", Aspect::Text, -1, -1, "5"},
  };
  for (const Case& c : cases) {
    const Script script = parseScript(c.line);
    ASSERT_TRUE(script.errors.empty()) << c.line << ": " << script.errors[0].message;
    const Step& step = script.steps.at(0);
    EXPECT_EQ(step.kind, c.kind) << c.line;
    EXPECT_EQ(step.target, c.target) << c.line;
    EXPECT_EQ(step.aspect, c.aspect) << c.line;
    EXPECT_EQ(step.row, c.row) << c.line;
    EXPECT_EQ(step.column, c.column) << c.line;
    EXPECT_EQ(step.text, c.text) << c.line;
  }
  const Step time = parseScript("expect time < 500").steps.at(0);
  EXPECT_EQ(time.ms, 500u);
  EXPECT_TRUE(time.accepts("Время выполнения 499 мс"));
  EXPECT_FALSE(time.accepts("Время выполнения 500 мс"));
  EXPECT_FALSE(time.accepts(""));  // no framed call yet, or one still running
  EXPECT_EQ(time.ownMs(), 0u);
}

TEST(RunScript, BadLoopsAndTargets) {
  const std::pair<const char*, std::vector<std::pair<std::size_t, const char*>>> cases[] = {
      {"repeat 0\npress A\nend", {{1, "repeat: нужно число повторов от 1 до 1000000"}, {3, "end без repeat"}}},
      {"repeat 2\npress A", {{1, "repeat без end"}}},
      {"press A\nend", {{2, "end без repeat"}}},
      {"repeat 2\nrepeat 3\nend\nend", {{3, "end: в повторе нет ни одного шага"}, {4, "end: в повторе нет ни одного шага"}}},
      {"repeat 2\npress A\nend now", {{3, "end: после end лишнее: now"}, {1, "repeat без end"}}},
      {"expect Button22.enabled может", {{1, "expect: .enabled сравнивается со словом «да» или «нет»"}}},
      {"expect StringGrid1[a,1] 5", {{1, "expect: строка и столбец пишутся числами: StringGrid1[a,1]"}}},
      {"expect ListView1[1].bulb 1", {{1, "expect: .caption, .enabled и .bulb пишутся у элемента без строки"}}},
      {"expect time < 0", {{1, "expect time: нужно «< миллисекунд», от 1 до 86400000"}}},
      {"include common.txt", {{1, "include: вставлять можно только в сценарий из файла"}}},
  };
  for (const auto& [text, errors] : cases) {
    const Script script = parseScript(text);
    ASSERT_EQ(script.errors.size(), errors.size()) << text;
    for (std::size_t i = 0; i < errors.size(); ++i) {
      EXPECT_EQ(script.errors[i].line, errors[i].first) << text;
      EXPECT_EQ(script.errors[i].message, errors[i].second) << text;
    }
  }
}

// Files in memory: name -> text; every name of a file is its own key but
// "./x", which is x again.
struct Files {
  std::map<std::string, std::string> texts;
  std::vector<std::string> asked;
  IncludeReader reader() {
    return [this](const std::string& path, std::size_t limit, std::string& bytes, std::string& key, std::string& error) {
      asked.push_back(path);
      const auto found = texts.find(path);
      if (found == texts.end()) {
        error = "нет файла";
        return false;
      }
      bytes = found->second.substr(0, limit + 1);
      key = path;
      return true;
    };
  }
};

TEST(RunScript, IncludesRelativeToTheirFileWithoutCycles) {
  Files files;
  files.texts = {{"dir/main.txt", "press A\ninclude sub/one.txt\npress C\n"},
                 {"dir/sub/one.txt", "# one\nrepeat 2\n  include two.txt\nend\n"},
                 {"dir/sub/two.txt", "press B\n"},
                 {"loop/a.txt", "press A\ninclude b.txt\n"},
                 {"loop/b.txt", "press B\ninclude ../loop/a.txt\n"},
                 {"bad/main.txt", "include bad.txt\ninclude missing.txt\n"},
                 {"bad/bad.txt", "press B\nwait x\nrepeat 2\n"}};
  const Script script = loadScript("dir/main.txt", files.reader());
  ASSERT_TRUE(script.errors.empty()) << script.errors[0].message;
  std::vector<std::string> walked;
  for (StepCursor cursor(script.steps); cursor.step(); cursor.next())
    walked.push_back(cursor.place() + ": " + cursor.step()->source);
  EXPECT_EQ(walked, (std::vector<std::string>{"строка 1: press A", "dir/sub/two.txt, строка 1, повтор 1 из 2: press B",
                                             "dir/sub/two.txt, строка 1, повтор 2 из 2: press B", "строка 3: press C"}));

  const Script cycle = loadScript("loop/a.txt", files.reader());
  ASSERT_EQ(cycle.errors.size(), 1u);
  EXPECT_EQ(cycle.errors[0].file, "loop/b.txt");
  EXPECT_EQ(cycle.errors[0].line, 2u);
  EXPECT_EQ(cycle.errors[0].message, "include: «loop/a.txt» вставляет сам себя");

  const Script bad = loadScript("bad/main.txt", files.reader());
  EXPECT_EQ(scriptErrorsReport("bad/main.txt", bad.errors),
            "bad/bad.txt:2: wait: нужно число миллисекунд от 0 до 86400000\n"
            "bad/bad.txt:3: repeat без end\n"
            "bad/main.txt:2: include: «bad/missing.txt» не прочитан: нет файла\n");
  EXPECT_EQ(loadScript("none.txt", files.reader()).errors.at(0).message, "сценарий не прочитан: нет файла");

  // The script and its includes share one limit.
  Files big;
  big.texts = {{"m.txt", "include a.txt\ninclude a.txt\n"}, {"a.txt", std::string(kMaxScriptBytes / 2, '#')}};
  const Script tooBig = loadScript("m.txt", big.reader());
  ASSERT_EQ(tooBig.errors.size(), 1u);
  EXPECT_EQ(tooBig.errors[0].line, 2u);
  EXPECT_EQ(tooBig.errors[0].message, "include: сценарий со вставками больше 16 МиБ");
}

TEST(RunScript, CursorWalksLoopsAndLooksAheadForBoxes) {
  const Script script = parseScript(
      "repeat 2\n press A\n repeat 2\n  press B\n  expect x 1\n end\nend\nexpect box \"\"\n"
      "repeat 1000000\n expect y 1\nend\npress C\n");
  ASSERT_TRUE(script.errors.empty());
  std::vector<std::string> walked;
  std::vector<bool> boxNext;
  StepCursor cursor(script.steps);
  for (; cursor.step(); cursor.next()) {
    walked.push_back(cursor.place() + " " + cursor.step()->source);
    boxNext.push_back(cursor.boxExpectedNext());
    if (walked.size() == 12) break;  // into the long loop of expectations
  }
  EXPECT_EQ(walked, (std::vector<std::string>{
                        "строка 2, повтор 1 из 2 press A",
                        "строка 4, повтор 1 из 2, повтор 1 из 2 press B",
                        "строка 5, повтор 1 из 2, повтор 1 из 2 expect x 1",
                        "строка 4, повтор 1 из 2, повтор 2 из 2 press B",
                        "строка 5, повтор 1 из 2, повтор 2 из 2 expect x 1",
                        "строка 2, повтор 2 из 2 press A",
                        "строка 4, повтор 2 из 2, повтор 1 из 2 press B",
                        "строка 5, повтор 2 из 2, повтор 1 из 2 expect x 1",
                        "строка 4, повтор 2 из 2, повтор 2 из 2 press B",
                        "строка 5, повтор 2 из 2, повтор 2 из 2 expect x 1",
                        "строка 8 expect box \"\"",
                        "строка 10, повтор 1 из 1000000 expect y 1",
                    }));
  // Only the last pass's expectations run on past both loops' ends to the box.
  EXPECT_EQ(boxNext, (std::vector<bool>{false, false, false, false, false, false, false, false, true, true, false, false}));
  EXPECT_EQ(cursor.repeats(), 7u);
  // A million expectations ahead are not walked to find no box.
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(cursor.boxExpectedNext());
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(100));
  EXPECT_TRUE(StepCursor(parseScript("expect a 1\nexpect box x\npress A").steps).boxExpectedHere());
}

}  // namespace
}  // namespace lk40::core
