// How the exchange journal keeps a text in the bytes of a row: a frame that is
// a plain hex dump as the frame's bytes, any text longer than the cap cut with
// its full length, and the texts given back from them: whole and exact, with a
// mark where one was cut, or as an excerpt short enough for a list's cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lk40::core {

// What one kept text is, as the first byte of its encoding says.
enum class KeptKind : uint8_t {
  Empty,     // nothing follows
  Text,      // the text's bytes (UTF-8)
  HexUpper,  // a plain hex dump in capitals, as the frame's bytes
  HexLower,  // the same in small letters
  Table,     // an id into the journal's table of texts that repeat
  Shared,    // an id of a frame the journal keeps once for the rows that repeat it
};

// One kept text read back; for Table and Shared, id says which.
struct KeptView {
  KeptKind kind = KeptKind::Empty;
  std::string_view data;     // the text, or the frame's bytes
  bool cut = false;          // data holds the start only
  uint64_t fullLength = 0;   // when cut: bytes of the frame, or characters of the text
  uint32_t id = 0;
};

// Appends text as a row keeps it: a plain hex dump (two hex digits a byte in
// one case, one blank between bytes, nothing else) as its bytes, anything
// else as it is; a text longer than cap characters of text keeps its start
// and its full length.
void appendKept(std::string& out, std::string_view text, std::size_t cap);
// Appends a reference to an entry of the table or of the shared frames.
void appendKeptId(std::string& out, KeptKind kind, uint32_t id);
// Reads the kept text at pos and moves pos past it.
KeptView readKept(std::string_view bytes, std::size_t& pos);
// The bytes of the kept text at pos, as encoded, and pos moved past it.
std::string_view keptBytes(std::string_view bytes, std::size_t& pos);

// The text back exactly as it was given, with " … [обрезано, байт: N]" (a
// dump) or " … [обрезано, знаков: N]" after it when it was cut.
std::string shownText(const KeptView& kept);
// At most maxChars characters of the text; when there is more, " … [байт: N]"
// or " … [знаков: N]" (with "обрезано, " when the journal cut it) follow.
std::string excerptText(const KeptView& kept, std::size_t maxChars);
// The text in lines of at most lineChars characters, broken at a blank where
// there is one: a tooltip that stays on the screen.
std::string wrappedText(std::string_view text, std::size_t lineChars);

// Unsigned LEB128, for the lengths and ids inside a row's bytes.
void appendVarint(std::string& out, uint64_t value);
uint64_t readVarint(std::string_view bytes, std::size_t& pos);

}  // namespace lk40::core
