#include "platform/windows_1251.h"

#include <gtest/gtest.h>

namespace lk40::platform {
namespace {

TEST(Windows1251, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = windows1251ToUtf8(all);
  EXPECT_EQ(utf8ToWindows1251(utf8), all);
  // Distinct bytes must give distinct characters, or the round trip above
  // could only hold by accident of the reverse lookup.
  for (int b = 0x80; b < 256; ++b)
    for (int c = b + 1; c < 256; ++c)
      ASSERT_NE(windows1251ToUtf8(std::string(1, static_cast<char>(b))), windows1251ToUtf8(std::string(1, static_cast<char>(c))))
          << b << " " << c;
}

TEST(Windows1251, CyrillicAndSigns) {
  EXPECT_EQ(utf8ToWindows1251("А"), "\xC0");
  EXPECT_EQ(utf8ToWindows1251("я"), "\xFF");
  EXPECT_EQ(utf8ToWindows1251("Ё"), "\xA8");
  EXPECT_EQ(utf8ToWindows1251("ё"), "\xB8");
  EXPECT_EQ(utf8ToWindows1251("№"), "\xB9");
  EXPECT_EQ(utf8ToWindows1251("€—«»"), "\x88\x97\xAB\xBB");
  EXPECT_EQ(windows1251ToUtf8("\xC2\xE5\xF1 \xED\xE5\xF2\xF2\xEE"), "Вес нетто");
  EXPECT_EQ(windows1251ToUtf8("\x98"), "\xC2\x98");  // the unassigned byte: U+0098
  const std::string caption = "Тест драйвера весового модуля ЛК-40";
  const std::string bytes = utf8ToWindows1251(caption);
  EXPECT_EQ(bytes.size(), 35u);
  EXPECT_EQ(windows1251ToUtf8(bytes), caption);
}

TEST(Windows1251, CharactersWithoutAByteBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToWindows1251("a\xC3\xA9z"), "a?z");        // é
  EXPECT_EQ(utf8ToWindows1251("\xE4\xB8\xAD"), "?");         // a CJK character
  EXPECT_EQ(utf8ToWindows1251("\xF0\x9F\x98\x80!"), "?!");   // outside the BMP
  EXPECT_EQ(utf8ToWindows1251("\xC2\x80"), "?");             // C1 control without a byte of its own
}

TEST(Windows1251, MalformedUtf8GivesOneMarkPerBadSequence) {
  EXPECT_EQ(utf8ToWindows1251("\x80"), "?");                  // stray continuation
  EXPECT_EQ(utf8ToWindows1251("\xD0"), "?");                  // truncated at the end
  EXPECT_EQ(utf8ToWindows1251("\xD0Z"), "?Z");                // truncated before ASCII
  EXPECT_EQ(utf8ToWindows1251("\xE2\x84"), "?");              // three-byte lead with one continuation
  EXPECT_EQ(utf8ToWindows1251("\xC0\xAF"), "??");             // overlong '/'
  EXPECT_EQ(utf8ToWindows1251("\xED\xA0\x80"), "???");        // a surrogate
  EXPECT_EQ(utf8ToWindows1251("\xF4\x90\x80\x80"), "????");   // past U+10FFFF
  EXPECT_EQ(utf8ToWindows1251("\xFF\xFE"), "??");
  EXPECT_EQ(utf8ToWindows1251("\xD0\xD0\x90"), "?\xC0");      // bad lead, then А
}

}  // namespace
}  // namespace lk40::platform
