#include "core/journal_text.h"

#include <algorithm>

namespace lk40::core {

namespace {

constexpr uint8_t kKindBits = 0x07;
constexpr uint8_t kCutFlag = 0x08;

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

uint64_t characters(std::string_view text) {
  uint64_t count = 0;
  for (const char c : text) count += isContinuation(c) ? 0 : 1;
  return count;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Whether text is a plain dump: "02 0A FC", one case throughout.
bool isPlainDump(std::string_view text, bool& lower) {
  if (text.empty() || (text.size() + 1) % 3 != 0) return false;
  // A byte at a time: a driver's dump may run to megabytes.
  unsigned letters = 0;  // bit 0: a capital seen, bit 1: a small letter
  const char* p = text.data();
  const char* const end = p + text.size();
  for (;; p += 3) {
    for (const char c : {p[0], p[1]}) {
      if (c >= '0' && c <= '9') continue;
      if (c >= 'A' && c <= 'F')
        letters |= 1;
      else if (c >= 'a' && c <= 'f')
        letters |= 2;
      else
        return false;
    }
    if (p + 2 == end) break;
    if (p[2] != ' ') return false;
  }
  lower = letters == 2;
  return letters != 3;
}

void appendDump(std::string& out, std::string_view bytes, bool lower) {
  const char* digits = lower ? "0123456789abcdef" : "0123456789ABCDEF";
  out.reserve(out.size() + bytes.size() * 3);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) out += ' ';
    const auto b = static_cast<unsigned char>(bytes[i]);
    out += digits[b >> 4];
    out += digits[b & 0x0F];
  }
}

bool isDump(KeptKind kind) { return kind == KeptKind::HexUpper || kind == KeptKind::HexLower; }

void appendMark(std::string& out, const KeptView& kept, uint64_t length) {
  out += " … [";
  if (kept.cut) out += "обрезано, ";
  out += isDump(kept.kind) ? "байт: " : "знаков: ";
  out += std::to_string(length);
  out += ']';
}

// The start of text that fits in limit bytes without splitting a character.
std::string_view startOf(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t end = limit;
  while (end > 0 && isContinuation(text[end])) --end;
  return text.substr(0, end);
}

}  // namespace

void appendVarint(std::string& out, uint64_t value) {
  while (value >= 0x80) {
    out += static_cast<char>(static_cast<uint8_t>(value) | 0x80);
    value >>= 7;
  }
  out += static_cast<char>(value);
}

uint64_t readVarint(std::string_view bytes, std::size_t& pos) {
  uint64_t value = 0;
  for (int shift = 0; pos < bytes.size() && shift < 64; shift += 7) {
    const auto b = static_cast<uint8_t>(bytes[pos++]);
    value |= static_cast<uint64_t>(b & 0x7F) << shift;
    if (!(b & 0x80)) break;
  }
  return value;
}

void appendKept(std::string& out, std::string_view text, std::size_t cap) {
  if (text.empty()) {
    out += static_cast<char>(KeptKind::Empty);
    return;
  }
  bool lower = false;
  if (isPlainDump(text, lower)) {
    const std::size_t bytes = (text.size() + 1) / 3;
    const std::size_t kept = text.size() > cap ? (cap + 1) / 3 : bytes;
    const KeptKind kind = lower ? KeptKind::HexLower : KeptKind::HexUpper;
    out += static_cast<char>(static_cast<uint8_t>(kind) | (kept < bytes ? kCutFlag : 0));
    appendVarint(out, kept);
    for (std::size_t i = 0; i < kept; ++i)
      out += static_cast<char>(hexDigit(text[3 * i]) << 4 | hexDigit(text[3 * i + 1]));
    if (kept < bytes) appendVarint(out, bytes);
    return;
  }
  const std::string_view kept = startOf(text, cap);
  const bool cut = kept.size() < text.size();
  out += static_cast<char>(static_cast<uint8_t>(KeptKind::Text) | (cut ? kCutFlag : 0));
  appendVarint(out, kept.size());
  out.append(kept);
  if (cut) appendVarint(out, characters(text));
}

void appendKeptId(std::string& out, KeptKind kind, uint32_t id) {
  out += static_cast<char>(kind);
  appendVarint(out, id);
}

KeptView readKept(std::string_view bytes, std::size_t& pos) {
  KeptView kept;
  if (pos >= bytes.size()) return kept;
  const auto tag = static_cast<uint8_t>(bytes[pos++]);
  kept.kind = static_cast<KeptKind>(tag & kKindBits);
  kept.cut = (tag & kCutFlag) != 0;
  switch (kept.kind) {
    case KeptKind::Empty: break;
    case KeptKind::Table:
    case KeptKind::Shared: kept.id = static_cast<uint32_t>(readVarint(bytes, pos)); break;
    case KeptKind::Text:
    case KeptKind::HexUpper:
    case KeptKind::HexLower: {
      const auto length = static_cast<std::size_t>(readVarint(bytes, pos));
      kept.data = bytes.substr(pos, length);
      pos += kept.data.size();
      if (kept.cut) kept.fullLength = readVarint(bytes, pos);
      break;
    }
  }
  return kept;
}

std::string_view keptBytes(std::string_view bytes, std::size_t& pos) {
  const std::size_t begin = pos;
  readKept(bytes, pos);
  return bytes.substr(begin, pos - begin);
}

std::string shownText(const KeptView& kept) {
  std::string out;
  if (isDump(kept.kind))
    appendDump(out, kept.data, kept.kind == KeptKind::HexLower);
  else
    out.assign(kept.data);
  if (kept.cut) appendMark(out, kept, kept.fullLength);
  return out;
}

std::string excerptText(const KeptView& kept, std::size_t maxChars) {
  std::string out;
  if (isDump(kept.kind)) {
    const std::size_t shown = std::min(kept.data.size(), (maxChars + 1) / 3);
    appendDump(out, kept.data.substr(0, shown), kept.kind == KeptKind::HexLower);
    if (shown < kept.data.size() || kept.cut) appendMark(out, kept, kept.cut ? kept.fullLength : kept.data.size());
    return out;
  }
  std::size_t end = 0;
  for (std::size_t chars = 0; end < kept.data.size() && chars < maxChars; ++chars) {
    ++end;
    while (end < kept.data.size() && isContinuation(kept.data[end])) ++end;
  }
  out.assign(kept.data.substr(0, end));
  if (end < kept.data.size() || kept.cut) appendMark(out, kept, kept.cut ? kept.fullLength : characters(kept.data));
  return out;
}

std::string wrappedText(std::string_view text, std::size_t lineChars) {
  std::string out;
  out.reserve(text.size() + text.size() / (lineChars ? lineChars : 1) + 1);
  std::size_t chars = 0;                    // in the line being built
  std::size_t blank = std::string::npos;    // the line's last blank, in out
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 1;
    while (i + length < text.size() && isContinuation(text[i + length])) ++length;
    if (text[i] == '\n') {
      out += '\n';
      chars = 0;
      blank = std::string::npos;
      ++i;
      continue;
    }
    if (lineChars > 0 && chars >= lineChars && text[i] == ' ') {
      out += '\n';
      chars = 0;
      blank = std::string::npos;
      ++i;
      continue;
    }
    if (lineChars > 0 && chars >= lineChars) {
      if (blank != std::string::npos) {
        out[blank] = '\n';
        chars = characters(std::string_view(out).substr(blank + 1));
      } else {
        out += '\n';
        chars = 0;
      }
      blank = std::string::npos;
    }
    if (text[i] == ' ') blank = out.size();
    out.append(text.substr(i, length));
    ++chars;
    i += length;
  }
  return out;
}

}  // namespace lk40::core
