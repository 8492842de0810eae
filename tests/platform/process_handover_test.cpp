#include "platform/process_handover.h"

#include <gtest/gtest.h>

#include <string_view>

namespace lk40::platform {
namespace {

TEST(ProcessHandover, TheArgumentsAfterTheProgramStayAsTheyStand) {
  const struct {
    std::string_view line, rest;
  } cases[] = {
      {R"("C:\Program Files\lk40-drvtest\bin\lk40-drvtest.exe" -t)", " -t"},
      {R"("C:\a b\x.exe"   --run "my script.txt"  --report=r.txt)", R"(   --run "my script.txt"  --report=r.txt)"},
      {R"(C:\bin\x.exe log.txt 200 5 -t)", " log.txt 200 5 -t"},
      {"x.exe\t\"a\\\"b\"", "\t\"a\\\"b\""},
      {R"("C:\bin\x.exe")", ""},
      {"x.exe", ""},
      {R"("unclosed name -t)", ""},  // no closing quote: all of it is the name
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(argumentsAfterProgram(c.line), c.rest) << c.line;
  EXPECT_EQ(argumentsAfterProgram(std::wstring_view(L"\"x y.exe\" -t")), L" -t");
}

}  // namespace
}  // namespace lk40::platform
