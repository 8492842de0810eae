// The text of a registry export file, the settings store's format on POSIX:
// lines are kept as read and a key's values are read and replaced in place, so
// whatever else the file holds is written back as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

namespace lk40::platform {

class RegFile {
 public:
  // Holds the header line only.
  RegFile();

  // Never fails. Lines that do not parse are kept as text and mean nothing; a
  // text without the header line is not an export at all and reads as empty.
  // Accepts LF or CRLF line ends and a UTF-8 byte-order mark.
  static RegFile parse(std::string_view bytes);
  // UTF-8 without a byte-order mark, every line ending in CRLF.
  std::string serialise() const;

  // keyName is a full section name, "HKEY_CURRENT_USER\\SOFTWARE\\...". Key and
  // value names compare ignoring ASCII case, as the registry does; a key whose
  // section stands more than once is read and written as one.
  bool hasKey(std::string_view keyName) const;
  void addKey(const std::string& keyName);

  ReadResult readString(std::string_view keyName, std::string_view name, std::string& value) const;
  ReadResult readInteger(std::string_view keyName, std::string_view name, int32_t& value) const;
  // Replace the value where it stands or append it to the key, adding the key
  // when missing. A name holding a line break throws std::invalid_argument:
  // the format cannot hold it.
  void writeString(const std::string& keyName, const std::string& name, const std::string& value);
  void writeInteger(const std::string& keyName, const std::string& name, int32_t value);

 private:
  enum class Kind { Text, Section, Value };
  enum class Type { String, Dword, Other };
  struct Entry {
    std::vector<std::string> lines;  // as in the file, without line ends
    Kind kind = Kind::Text;
    std::string name;  // of the section or the value ("" for the default value)
    Type type = Type::Other;
    std::string string;
    uint32_t dword = 0;

    static Entry line(std::string text, Kind kind = Kind::Text, std::string name = {}) {
      Entry entry;
      entry.lines.push_back(std::move(text));
      entry.kind = kind;
      entry.name = std::move(name);
      return entry;
    }
  };

  const Entry* find(std::string_view keyName, std::string_view name) const;
  void write(const std::string& keyName, Entry entry);

  std::vector<Entry> entries_;
};

}  // namespace lk40::platform
