#include "core/run_recording.h"

#include <gtest/gtest.h>

#include "core/run_script.h"

namespace lk40::core {
namespace {

// What the recording writes, the parser reads back as it was.
TEST(RunRecording, LinesReadBackAsRecorded) {
  const char* const texts[] = {"200", "0: Ошибок нет", "", " a ", "a#b", "\"q\"", "~ 5", "Устан. цену, тип и кол-во"};
  const char* const names[] = {"Таймаут", "Тип товара", "\"", "#1", "Edit53"};
  ScriptRecording recording;
  for (const char* name : names)
    for (const char* text : texts) {
      recording.set(ScriptRecording::In::Window, name, text);
      recording.expect(ScriptRecording::In::Window, name, text);
    }
  for (const char* text : texts) {
    if (*text) recording.press(ScriptRecording::In::Window, text);
  }
  const Script script = parseScript(recording.text());
  ASSERT_TRUE(script.errors.empty()) << script.errors[0].line << ": " << script.errors[0].message << "\n"
                                     << recording.text();
  std::size_t i = 0;
  for (const char* name : names)
    for (const char* text : texts) {
      for (const StepKind kind : {StepKind::Set, StepKind::Expect}) {
        const Step& step = script.steps.at(i++);
        EXPECT_EQ(step.kind, kind) << step.source;
        EXPECT_EQ(step.target, name) << step.source;
        EXPECT_EQ(step.text, text) << step.source;
        EXPECT_FALSE(step.pattern) << step.source;
      }
    }
  for (const char* text : texts) {
    if (*text) {
      EXPECT_EQ(script.steps.at(i++).target, text);
    }
  }
  EXPECT_EQ(recording.steps(), script.steps.size());
}

// Texts of several lines (boxes, memos) are expected by a pattern that takes
// them and nothing else; they cannot be typed by a line.
TEST(RunRecording, SeveralLinesAsAnExactPattern) {
  ScriptRecording recording;
  recording.boxes(ScriptRecording::In::Window, {"Внимание: Файл не создан!", "Ошибка: a.b (c)*\t[x]"});
  EXPECT_FALSE(recording.set(ScriptRecording::In::Window, "Memo2", "раз\nдва"));
  const Script script = parseScript(recording.text());
  ASSERT_TRUE(script.errors.empty()) << recording.text();
  ASSERT_EQ(script.steps.size(), 1u) << recording.text();
  const Step& box = script.steps[0];
  EXPECT_EQ(box.kind, StepKind::ExpectBox);
  EXPECT_TRUE(box.accepts("Внимание: Файл не создан!\nОшибка: a.b (c)*\t[x]"));
  EXPECT_FALSE(box.accepts("Внимание: Файл не создан!\nОшибка: aXb (c)*\t[x]"));
  EXPECT_FALSE(box.accepts("Внимание: Файл не создан!\nОшибка: a.b (c)*\t[x]!"));
  EXPECT_NE(recording.text().find("# set Memo2: текст в несколько строк не записан\n"), std::string::npos);
  EXPECT_EQ(exactPattern(std::string("a\x01", 2)), "^a\\x{01}$");
}

// A dialog's steps are taken while the press that opened it still runs, and
// follow that press.
TEST(RunRecording, DialogStepsFollowThePressThatOpenedIt) {
  ScriptRecording recording({"Записано"});
  using In = ScriptRecording::In;
  recording.page("Весовые каналы");
  recording.set(In::Dialog, "НПВ", "15000");
  recording.press(In::Dialog, "расчет");
  recording.expect(In::Dialog, "Степень", "-1");
  recording.press(In::Dialog, "Записать");
  recording.press(In::Window, "Записать хар-ки канала...");
  recording.expect(In::Window, "edtError", "0: Ошибок нет");
  recording.wait(1500);
  recording.display(300);
  EXPECT_EQ(recording.text(),
            "# Записано\n\npage Весовые каналы\npress Записать хар-ки канала...\nset НПВ 15000\npress расчет\n"
            "expect Степень -1\npress Записать\nexpect edtError 0: Ошибок нет\nwait 1500\ndisplay 300\n");
}

}  // namespace
}  // namespace lk40::core
