#include "platform/reg_file.h"

#include <cstdio>
#include <optional>
#include <stdexcept>

#include "platform/ascii_text.h"
#include "platform/utf8.h"

namespace lk40::platform {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kBom = "\xEF\xBB\xBF";

// A byte of a string that is not UTF-8 is kept in a hex(1) string as the unit
// kEscapedByte + byte (U+DC80 to U+DCFF for the bytes 0x80 to 0xFF).
constexpr char32_t kEscapedByte = 0xDC00;

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = foldAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A quoted string at the front of text, unescaped; the rest of text is left in
// it. Only \\ and \" are escapes: anything else, or no closing quote, fails.
std::optional<std::string> takeQuoted(std::string_view& text) {
  if (text.empty() || text.front() != '"') return std::nullopt;
  std::string out;
  for (std::size_t pos = 1; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '"') {
      text.remove_prefix(pos + 1);
      return out;
    }
    if (c == '\\') {
      if (++pos == text.size() || (text[pos] != '\\' && text[pos] != '"')) return std::nullopt;
      out += text[pos];
      continue;
    }
    out += c;
  }
  return std::nullopt;
}

std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

bool hasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// "hex:" or "hex(N):" with N in hex digits; the length of that prefix, or 0.
std::size_t hexTypePrefix(std::string_view data) {
  if (startsWithIgnoringAsciiCase(data, "hex:")) return 4;
  if (!startsWithIgnoringAsciiCase(data, "hex(")) return 0;
  std::size_t pos = 4;
  while (pos < data.size() && hexDigit(data[pos]) >= 0) ++pos;
  if (pos == 4 || data.substr(pos, 2) != "):") return 0;
  return pos + 2;
}

// The string in the bytes of a hex(1) value (UTF-16LE, up to its terminating NUL).
std::optional<std::string> stringFromHex(std::string_view bytesText) {
  std::vector<unsigned char> bytes;
  std::size_t pos = 0;
  while (pos < bytesText.size()) {
    const std::size_t comma = bytesText.find(',', pos);
    const std::string_view item = trimBlanks(bytesText.substr(pos, comma == std::string_view::npos ? comma : comma - pos));
    if (item.empty() || item.size() > 2 || hexDigit(item[0]) < 0 || (item.size() == 2 && hexDigit(item[1]) < 0))
      return std::nullopt;
    bytes.push_back(static_cast<unsigned char>(item.size() == 1 ? hexDigit(item[0])
                                                                : hexDigit(item[0]) * 16 + hexDigit(item[1])));
    if (comma == std::string_view::npos) break;
    pos = comma + 1;
  }
  if (bytes.size() % 2 != 0) return std::nullopt;
  // The data ends in one terminating NUL; NULs before it belong to the string.
  std::size_t end = bytes.size();
  if (end >= 2 && bytes[end - 2] == 0 && bytes[end - 1] == 0) end -= 2;
  std::string out;
  for (std::size_t i = 0; i < end; i += 2) {
    char32_t unit = bytes[i] | (bytes[i + 1] << 8);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < end) {
      const char32_t next = bytes[i + 2] | (bytes[i + 3] << 8);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
        i += 2;
      }
    }
    if (unit >= kEscapedByte + 0x80 && unit <= kEscapedByte + 0xFF) {
      out += static_cast<char>(unit - kEscapedByte);
      continue;
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) unit = 0xFFFD;
    appendUtf8(out, unit);
  }
  return out;
}

// A string value with line breaks cannot stand between quotes on one line; the
// registry's own hex form of a string (UTF-16 units, a NUL at the end) holds
// it, NULs inside included.
std::string hexOfString(std::string_view utf8) {
  std::string out = "hex(1):";
  const auto addUnit = [&out](char32_t unit) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02x,%02x,", static_cast<unsigned>(unit & 0xFF),
                  static_cast<unsigned>((unit >> 8) & 0xFF));
    out += buffer;
  };
  for (std::size_t pos = 0; pos < utf8.size();) {
    const Utf8Step step = decodeUtf8(utf8, pos);
    if (!step.valid) {
      // Bytes that are not UTF-8 cannot be UTF-16 characters; each stands as
      // an unpaired low surrogate, which no UTF-8 text can produce.
      for (std::size_t k = 0; k < step.length; ++k)
        addUnit(kEscapedByte + static_cast<unsigned char>(utf8[pos + k]));
      pos += step.length;
      continue;
    }
    const char32_t cp = step.codePoint;
    pos += step.length;
    if (cp >= 0x10000) {
      addUnit(0xD800 + ((cp - 0x10000) >> 10));
      addUnit(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      addUnit(cp);
    }
  }
  out += "00,00";
  return out;
}

std::string valueName(const std::string& name) {
  if (hasLineBreak(name)) throw std::invalid_argument("a settings value name cannot hold a line break");
  return name.empty() ? std::string("@") : quoted(name);
}

}  // namespace

RegFile::RegFile() { entries_.push_back(Entry::line(std::string(kHeader))); }

RegFile RegFile::parse(std::string_view bytes) {
  if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
  std::vector<std::string> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
  }

  RegFile file;
  if (lines.empty() || trimBlanks(lines.front()) != kHeader) return file;

  for (std::size_t i = 1; i < lines.size(); ++i) {
    Entry entry = Entry::line(lines[i]);
    std::string_view text = trimBlanks(lines[i]);
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
      entry.kind = Kind::Section;
      entry.name = text.substr(1, text.size() - 2);
      file.entries_.push_back(std::move(entry));
      continue;
    }

    std::optional<std::string> name;
    if (!text.empty() && text.front() == '@') {
      name = std::string();
      text.remove_prefix(1);
    } else {
      name = takeQuoted(text);
    }
    text = trimBlanks(text);
    if (name && !text.empty() && text.front() == '=') {
      const std::string_view data = trimBlanks(text.substr(1));
      std::string_view rest = data;
      if (const auto string = takeQuoted(rest); string && rest.empty()) {
        entry.kind = Kind::Value;
        entry.type = Type::String;
        entry.string = *string;
      } else if (startsWithIgnoringAsciiCase(data, "dword:") && data.size() > 6 && data.size() <= 14) {
        uint32_t value = 0;
        bool digits = true;
        for (const char c : data.substr(6)) {
          digits = digits && hexDigit(c) >= 0;
          value = value << 4 | static_cast<uint32_t>(hexDigit(c) & 0xF);
        }
        if (digits) {
          entry.kind = Kind::Value;
          entry.type = Type::Dword;
          entry.dword = value;
        }
      } else if (const std::size_t prefix = hexTypePrefix(data)) {
        entry.kind = Kind::Value;
        // Binary values go on over lines that end in a backslash: each such
        // line takes exactly the next one, whatever the lines before it ended
        // in. The end of the file stands for an empty line, and one is kept
        // there: whatever a save writes after the value then follows a line
        // that ends it, and the value reads the same before and after.
        std::string bytesText(data.substr(prefix));
        std::string_view last = data;
        while (!last.empty() && last.back() == '\\') {
          bytesText.pop_back();
          if (i + 1 < lines.size()) {
            entry.lines.push_back(lines[++i]);
          } else {
            entry.lines.emplace_back();
          }
          last = trimBlanks(entry.lines.back());
          bytesText += last;
        }
        if (equalsIgnoringAsciiCase(data.substr(0, prefix), "hex(1):")) {
          if (auto string = stringFromHex(bytesText)) {
            entry.type = Type::String;
            entry.string = std::move(*string);
          }
        }
      }
      if (entry.kind == Kind::Value) entry.name = std::move(*name);
    }
    file.entries_.push_back(std::move(entry));
  }
  return file;
}

std::string RegFile::serialise() const {
  std::string out;
  for (const Entry& entry : entries_)
    for (const std::string& line : entry.lines) out.append(line).append("\r\n");
  return out;
}

bool RegFile::hasKey(std::string_view keyName) const {
  for (const Entry& entry : entries_)
    if (entry.kind == Kind::Section && equalsIgnoringAsciiCase(entry.name, keyName)) return true;
  return false;
}

void RegFile::addKey(const std::string& keyName) {
  if (hasKey(keyName)) return;
  if (hasLineBreak(keyName)) throw std::invalid_argument("a settings key name cannot hold a line break");
  if (!trimBlanks(entries_.back().lines.back()).empty()) entries_.push_back(Entry::line({}));
  entries_.push_back(Entry::line("[" + keyName + "]", Kind::Section, keyName));
  entries_.push_back(Entry::line({}));
}

const RegFile::Entry* RegFile::find(std::string_view keyName, std::string_view name) const {
  const Entry* found = nullptr;
  bool inKey = false;
  for (const Entry& entry : entries_) {
    if (entry.kind == Kind::Section) inKey = equalsIgnoringAsciiCase(entry.name, keyName);
    // As on import, a later value of the same name wins.
    if (inKey && entry.kind == Kind::Value && equalsIgnoringAsciiCase(entry.name, name)) found = &entry;
  }
  return found;
}

ReadResult RegFile::readString(std::string_view keyName, std::string_view name, std::string& value) const {
  const Entry* entry = find(keyName, name);
  if (entry == nullptr) return ReadResult::Missing;
  if (entry->type != Type::String) return ReadResult::WrongType;
  value = entry->string;
  return ReadResult::Ok;
}

ReadResult RegFile::readInteger(std::string_view keyName, std::string_view name, int32_t& value) const {
  const Entry* entry = find(keyName, name);
  if (entry == nullptr) return ReadResult::Missing;
  if (entry->type != Type::Dword) return ReadResult::WrongType;
  value = static_cast<int32_t>(entry->dword);
  return ReadResult::Ok;
}

void RegFile::writeString(const std::string& keyName, const std::string& name, const std::string& value) {
  Entry entry = Entry::line(valueName(name) + "=" + (hasLineBreak(value) ? hexOfString(value) : quoted(value)),
                            Kind::Value, name);
  entry.type = Type::String;
  entry.string = value;
  write(keyName, std::move(entry));
}

void RegFile::writeInteger(const std::string& keyName, const std::string& name, int32_t value) {
  const auto dword = static_cast<uint32_t>(value);
  char data[16];
  std::snprintf(data, sizeof data, "dword:%08x", static_cast<unsigned>(dword));
  Entry entry = Entry::line(valueName(name) + "=" + data, Kind::Value, name);
  entry.type = Type::Dword;
  entry.dword = dword;
  write(keyName, std::move(entry));
}

void RegFile::write(const std::string& keyName, Entry entry) {
  if (const Entry* existing = find(keyName, entry.name)) {
    entries_[static_cast<std::size_t>(existing - entries_.data())] = std::move(entry);
    return;
  }
  addKey(keyName);
  // New values go after the last line of the key's last section that is not
  // blank, keeping the blank line that separates it from the next section.
  std::size_t insertAt = 0;
  bool inKey = false;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    if (e.kind == Kind::Section) {
      inKey = equalsIgnoringAsciiCase(e.name, keyName);
      if (inKey) insertAt = i + 1;
    } else if (inKey && !(e.kind == Kind::Text && e.lines.size() == 1 && trimBlanks(e.lines.front()).empty())) {
      insertAt = i + 1;
    }
  }
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
}

}  // namespace lk40::platform
