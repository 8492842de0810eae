#include "core/run_junit.h"

#include <gtest/gtest.h>

namespace lk40::core {
namespace {

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// As the file takes them: bytes written over in place, the file longer
// when a write runs past its end.
void applyPatches(std::string& file, const std::vector<FilePatch>& patches) {
  for (const FilePatch& patch : patches) {
    ASSERT_LE(patch.offset, file.size());
    if (patch.offset + patch.bytes.size() > file.size()) file.resize(patch.offset + patch.bytes.size());
    file.replace(patch.offset, patch.bytes.size(), patch.bytes);
  }
}

TEST(RunJunit, EscapedForXml) {
  const std::pair<std::string, std::string> text[] = {
      {"a<b>&\"c\"", "a&lt;b&gt;&amp;\"c\""},
      {std::string("a\0b\x1F", 4), "a\\x00b\\x1F"},
      {"строка\n\tдве", "строка\n\tдве"},
      {"\xC2\xC5\xD1", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const auto& [in, out] : text) EXPECT_EQ(xmlEscaped(in, false), out) << in;
  EXPECT_EQ(xmlEscaped("a\"b\nc\td\r", true), "a&quot;b&#10;c&#9;d&#13;");
}

// After every step the file is one whole document: the closing tags last,
// the counters in place, each step in one testcase's or the suite's output.
TEST(RunJunit, AWholeDocumentAfterEveryStep) {
  const Script script = parseScript(
      "press Установить соединение\nexpect edtError 0: Ошибок нет\npress A\nwait 5\nexpect Тип 7\npress B\n"
      "press C\nexpect box \"\"\npress D\n");
  ASSERT_TRUE(script.errors.empty());
  JunitReport report("examples/check.txt", "2026-12-01T09:30:00");
  std::string file = report.begin();
  const std::size_t headSize = file.find("  </testsuite>");
  const auto outcome = [](Outcome o, const char* seen, const char* reason) {
    StepResult r;
    r.outcome = o;
    r.seen = seen;
    r.reason = reason;
    r.elapsedMs = 250;
    return r;
  };
  const StepResult results[] = {outcome(Outcome::Done, "", ""),   outcome(Outcome::Passed, "0: Ошибок нет", ""),
                                outcome(Outcome::Done, "", ""),   outcome(Outcome::Done, "", ""),
                                outcome(Outcome::Failed, "4", ""), outcome(Outcome::Failed, "", "окно «О программе»"),
                                outcome(Outcome::Done, "", ""),   outcome(Outcome::Passed, "", ""),
                                outcome(Outcome::Done, "", "")};
  for (std::size_t i = 0; i < script.steps.size(); ++i) {
    const RunStep at = RunStep::of(script.steps[i]);
    applyPatches(file, report.step(at, results[i], stepReport(at, results[i]), 1000 + static_cast<uint32_t>(i)));
    ASSERT_EQ(file.substr(file.size() - 29), "  </testsuite>\n</testsuites>\n") << file;
    EXPECT_EQ(file.find(">\n", file.find("<testsuite ")) + 2, headSize) << "the head keeps its size: " << file;
    EXPECT_EQ(count(file, "<testcase "), count(file, "</testcase>"));
    EXPECT_LE(count(file, "<system-out>"), count(file, "</system-out>"));
  }
  EXPECT_EQ(report.tests(), 4u);
  EXPECT_EQ(report.failures(), 1u);
  EXPECT_EQ(report.errors(), 1u);
  EXPECT_NE(file.find("<testsuite name=\"examples/check.txt\" tests=\"4\""), std::string::npos) << file;
  EXPECT_NE(file.find("failures=\"1\""), std::string::npos);
  EXPECT_NE(file.find("time=\"1.008\""), std::string::npos);
  // The steps before an expectation are its output; its time is theirs too.
  EXPECT_NE(file.find("<testcase name=\"строка 5: expect Тип 7\" classname=\"check\" time=\"0.750\">\n"
                      "      <failure type=\"expect\" message=\"ожидалось «7», получено «4»\">строка 5: expect Тип 7"),
            std::string::npos)
      << file;
  EXPECT_NE(file.find("<error type=\"step\" message=\"окно «О программе»\">строка 6: press B"), std::string::npos);
  // The press after the last expectation waits in the suite's output.
  const std::size_t last = file.rfind("</testcase>");
  EXPECT_NE(file.find("    <system-out>строка 9: press D — выполнено", last), std::string::npos) << file;

  const JunitReport::Finished finished = report.finish({{"steps", "9"}, {"GetMode.code.0", "3"}}, 2500);
  const std::string whole = finished.head + file.substr(finished.bodyBegin, finished.bodyEnd - finished.bodyBegin) +
                            finished.tail;
  EXPECT_NE(whole.find("time=\"2.500\" skipped=\"0\" timestamp=\"2026-12-01T09:30:00\">\n    <properties>\n"
                       "      <property name=\"steps\" value=\"9\"/>\n      <property name=\"GetMode.code.0\" value=\"3\"/>\n"
                       "    </properties>\n    <testcase name=\"строка 2:"),
            std::string::npos)
      << whole;
  EXPECT_EQ(whole.substr(whole.size() - 29), "  </testsuite>\n</testsuites>\n");
  EXPECT_NE(whole.find("строка 9: press D"), std::string::npos);
  EXPECT_EQ(count(whole, "<testcase "), 4u);

  // A time limit passed, or no driver: an error testcase of its own.
  applyPatches(file, report.error("строка 10: wait 5", "timeout", "шаг идёт дольше 1 с", "строка 10 — ВРЕМЯ ВЫШЛО", 3000));
  EXPECT_NE(file.find("<testcase name=\"строка 10: wait 5\" classname=\"check\" time=\"0.250\">\n"
                      "      <error type=\"timeout\" message=\"шаг идёт дольше 1 с\">"),
            std::string::npos);
  EXPECT_EQ(report.errors(), 2u);
}

}  // namespace
}  // namespace lk40::core
