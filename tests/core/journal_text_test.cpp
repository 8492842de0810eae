#include "core/journal_text.h"

#include <gtest/gtest.h>

namespace lk40::core {
namespace {

KeptView keep(std::string& bytes, std::string_view text, std::size_t cap) {
  bytes.clear();
  appendKept(bytes, text, cap);
  std::size_t pos = 0;
  const KeptView kept = readKept(bytes, pos);
  EXPECT_EQ(pos, bytes.size()) << text;
  return kept;
}

TEST(JournalText, APlainDumpIsKeptAsBytesAndComesBackExactly) {
  const struct {
    std::string_view text;
    KeptKind kind;
  } cases[] = {
      {"02 0A FC 00", KeptKind::HexUpper}, {"02 0a fc 00", KeptKind::HexLower}, {"7F", KeptKind::HexUpper},
      {"00 19", KeptKind::HexUpper},
      // Not plain dumps: kept as they are.
      {"02 0a FC", KeptKind::Text}, {"02  0A", KeptKind::Text}, {"02 0A ", KeptKind::Text}, {" 02", KeptKind::Text},
      {"0G", KeptKind::Text}, {"02-0A", KeptKind::Text}, {"Нет связи", KeptKind::Text}, {"", KeptKind::Empty},
  };
  std::string bytes;
  for (const auto& c : cases) {
    const KeptView kept = keep(bytes, c.text, 1000);
    EXPECT_EQ(kept.kind, c.kind) << c.text;
    EXPECT_EQ(shownText(kept), c.text);
    EXPECT_FALSE(kept.cut);
    // A dump costs a byte a frame byte, and two for its kind and length.
    if (c.kind == KeptKind::HexUpper || c.kind == KeptKind::HexLower) {
      EXPECT_EQ(bytes.size(), 2 + (c.text.size() + 1) / 3);
    }
  }
}

TEST(JournalText, ALongTextIsCutWithItsFullLengthAndExcerptsSaySo) {
  const std::string tenBytes = "02 A5 A5 A5 A5 A5 A5 A5 A5 A5";
  const struct {
    std::string_view text;
    std::size_t cap, excerptChars;
    std::string shown, excerpt;
  } cases[] = {
      {tenBytes, 8, 100, "02 A5 A5 … [обрезано, байт: 10]", "02 A5 A5 … [обрезано, байт: 10]"},
      {tenBytes, 1000, 8, tenBytes, "02 A5 A5 … [байт: 10]"},
      {tenBytes, 1000, 29, tenBytes, tenBytes},
      // Cut between characters, never inside one; counted in characters.
      {"абвгд", 5, 100, "аб … [обрезано, знаков: 5]", "аб … [обрезано, знаков: 5]"},
      {"абвгд", 1000, 3, "абвгд", "абв … [знаков: 5]"},
      {"абвгд", 1000, 5, "абвгд", "абвгд"},
  };
  std::string bytes;
  for (const auto& c : cases) {
    const KeptView kept = keep(bytes, c.text, c.cap);
    EXPECT_EQ(shownText(kept), c.shown) << c.text << " " << c.cap;
    EXPECT_EQ(excerptText(kept, c.excerptChars), c.excerpt) << c.text << " " << c.excerptChars;
  }
}

TEST(JournalText, TooltipLinesBreakAtBlanksOrWhereTheyMust) {
  const struct {
    std::string_view text;
    std::size_t width;
    std::string_view lines;
  } cases[] = {
      {"aa bb cc dd", 5, "aa bb\ncc dd"}, {"aa bb cc dd", 7, "aa bb\ncc dd"}, {"abcdefgh", 3, "abc\ndef\ngh"},
      {"ааа ббб", 3, "ааа\nббб"},        {"a\nbb cc", 4, "a\nbb\ncc"},       {"short", 80, "short"},
  };
  for (const auto& c : cases) EXPECT_EQ(wrappedText(c.text, c.width), c.lines) << c.text << " " << c.width;
}

}  // namespace
}  // namespace lk40::core
