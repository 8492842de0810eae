// The system's ANSI code page: Windows-1251 on POSIX, whatever the system
// has on Windows; either way every byte survives a round trip.
#include "platform/code_page.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "platform/windows_1251.h"
#endif

namespace lk40::platform {
namespace {

TEST(CodePage, EveryByteRoundTripsThroughDistinctCharacters) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf8ToAnsi(ansiToUtf8(all)), all);
  for (int b = 0x80; b < 256; ++b)
    for (int c = b + 1; c < 256; ++c)
      ASSERT_NE(ansiToUtf8(std::string(1, static_cast<char>(b))), ansiToUtf8(std::string(1, static_cast<char>(c))))
          << b << " " << c;
#ifndef _WIN32
  EXPECT_EQ(ansiToUtf8(all), windows1251ToUtf8(all));
#endif
}

TEST(CodePage, MalformedUtf8AndMissingCharactersBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToAnsi("\x80"), "?");
  EXPECT_EQ(utf8ToAnsi("\xD0Z"), "?Z");
  EXPECT_EQ(utf8ToAnsi("\xED\xA0\x80"), "???");
  EXPECT_EQ(utf8ToAnsi("\xE4\xB8\xAD!"), "?!");  // a CJK character
}

}  // namespace
}  // namespace lk40::platform
