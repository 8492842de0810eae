#include "core/command_line.h"

#include <gtest/gtest.h>

namespace lk40::core {
namespace {

TEST(CommandLine, NothingOrTwoArgumentsChangeNothing) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"w.log", "200"}, {"-T"}, {"/t"}, {"x"}}) {
    const CommandLine line = parseCommandLine(args);
    EXPECT_EQ(line.loggingFile, "");
    EXPECT_EQ(line.loggingPeriod, 0);
    EXPECT_EQ(line.loggingStep, 0);
    EXPECT_FALSE(line.testPage);
  }
  EXPECT_TRUE(parseCommandLine({"-t"}).testPage);
}

TEST(CommandLine, LoggingSettings) {
  CommandLine line = parseCommandLine({"w.log", "20", "5"});
  EXPECT_EQ(line.loggingFile, "w.log");
  EXPECT_EQ(line.loggingPeriod, 50);
  EXPECT_EQ(line.loggingStep, 5);
  EXPECT_FALSE(line.testPage);

  line = parseCommandLine({"w.log", "200", "0", "-t"});
  EXPECT_EQ(line.loggingFile, "");
  EXPECT_EQ(line.loggingPeriod, 200);
  EXPECT_TRUE(line.testPage);

  // Invalid numbers read as -1: the period becomes 50, the step clears the file.
  line = parseCommandLine({"w.log", "abc", "x", "-T"});
  EXPECT_EQ(line.loggingPeriod, 50);
  EXPECT_EQ(line.loggingStep, -1);
  EXPECT_EQ(line.loggingFile, "");
  EXPECT_FALSE(line.testPage);

  // Decimal only: the input fields' blanks and hexadecimal forms are no numbers here.
  for (const char* text : {"0x64", "$A", "x64", " 100", "100 ", "$7FFFFFFF", "2147483648", "+", ""}) {
    line = parseCommandLine({"w.log", text, text});
    EXPECT_EQ(line.loggingPeriod, 50) << text;
    EXPECT_EQ(line.loggingStep, -1) << text;
  }
  EXPECT_EQ(parseCommandLine({"w.log", "+0100", "-1"}).loggingPeriod, 100);

  // Another negative step keeps the file; logging is still not in force.
  line = parseCommandLine({"w.log", "100", "-5"});
  EXPECT_EQ(line.loggingFile, "w.log");
  EXPECT_EQ(line.loggingStep, -5);
}

}  // namespace
}  // namespace lk40::core
