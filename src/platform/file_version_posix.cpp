// The version record of an ELF file: a note named "LK40" of type 1 whose
// descriptor holds two 32-bit words in the file's byte order, the most
// significant (major << 16 | minor) and the least significant
// (release << 16 | build), as a version resource holds them. The build writes
// it from the project version (elf_version_note.c.in).
#include <unistd.h>

#include <array>
#include <climits>
#include <cstring>
#include <fstream>
#include <utility>
#include <vector>

#include "platform/file_version.h"

namespace lk40::platform {

namespace {

constexpr char kNoteName[] = "LK40";
constexpr uint32_t kNoteType = 1;
constexpr uint32_t kPtNote = 4;
constexpr uint32_t kShtNote = 7;
// More would not be an executable of ours; it keeps a hostile header from
// making us read a huge file.
constexpr uint64_t kMaxNoteBytes = 1 << 20;

class ElfReader {
 public:
  explicit ElfReader(const std::string& path) : in_(path, std::ios::binary) {}

  std::optional<FileVersion> version() {
    std::array<unsigned char, 64> ident{};
    if (!read(0, ident.data(), 52)) return std::nullopt;
    if (std::memcmp(ident.data(), "\x7f" "ELF", 4) != 0) return std::nullopt;
    wide_ = ident[4] == 2;
    little_ = ident[5] == 1;
    if ((ident[4] != 1 && ident[4] != 2) || (ident[5] != 1 && ident[5] != 2)) return std::nullopt;
    if (wide_ && !read(0, ident.data(), 64)) return std::nullopt;

    // Program headers first: they survive even a stripping that drops the
    // section headers.
    const uint64_t phoff = wide_ ? word(ident.data() + 32, 8) : word(ident.data() + 28, 4);
    const uint64_t shoff = wide_ ? word(ident.data() + 40, 8) : word(ident.data() + 32, 4);
    const unsigned char* counts = ident.data() + (wide_ ? 54 : 42);
    const uint64_t phentsize = word(counts, 2), phnum = word(counts + 2, 2);
    const uint64_t shentsize = word(counts + 4, 2), shnum = word(counts + 6, 2);

    for (uint64_t i = 0; i < phnum; ++i) {
      std::array<unsigned char, 56> ph{};
      const size_t size = wide_ ? 56 : 32;
      if (phentsize < size || !read(phoff + i * phentsize, ph.data(), size)) break;
      if (word(ph.data(), 4) != kPtNote) continue;
      const uint64_t offset = wide_ ? word(ph.data() + 8, 8) : word(ph.data() + 4, 4);
      const uint64_t bytes = wide_ ? word(ph.data() + 32, 8) : word(ph.data() + 16, 4);
      if (auto v = scanNotes(offset, bytes)) return v;
    }
    for (uint64_t i = 0; i < shnum; ++i) {
      std::array<unsigned char, 64> sh{};
      const size_t size = wide_ ? 64 : 40;
      if (shentsize < size || !read(shoff + i * shentsize, sh.data(), size)) break;
      if (word(sh.data() + 4, 4) != kShtNote) continue;
      const uint64_t offset = wide_ ? word(sh.data() + 24, 8) : word(sh.data() + 16, 4);
      const uint64_t bytes = wide_ ? word(sh.data() + 32, 8) : word(sh.data() + 20, 4);
      if (auto v = scanNotes(offset, bytes)) return v;
    }
    return std::nullopt;
  }

 private:
  bool read(uint64_t offset, unsigned char* into, size_t size) {
    if (offset > static_cast<uint64_t>(LLONG_MAX)) return false;
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(size));
    return in_.gcount() == static_cast<std::streamsize>(size);
  }

  uint64_t word(const unsigned char* p, int size) const {
    uint64_t value = 0;
    for (int k = 0; k < size; ++k) {
      const unsigned char byte = little_ ? p[size - 1 - k] : p[k];
      value = value << 8 | byte;
    }
    return value;
  }

  static uint64_t padded(uint64_t n) { return (n + 3) & ~uint64_t{3}; }

  std::optional<FileVersion> scanNotes(uint64_t offset, uint64_t size) {
    if (size > kMaxNoteBytes) return std::nullopt;
    std::vector<unsigned char> notes(static_cast<size_t>(size));
    if (size == 0 || !read(offset, notes.data(), notes.size())) return std::nullopt;
    uint64_t at = 0;
    while (at + 12 <= size) {
      const uint64_t namesz = word(&notes[at], 4), descsz = word(&notes[at + 4], 4);
      const uint64_t type = word(&notes[at + 8], 4);
      const uint64_t name = at + 12, desc = name + padded(namesz);
      if (desc > size || padded(descsz) > size - desc) return std::nullopt;
      if (type == kNoteType && namesz == sizeof kNoteName && descsz == 8 &&
          std::memcmp(&notes[name], kNoteName, sizeof kNoteName) == 0) {
        const uint64_t ms = word(&notes[desc], 4), ls = word(&notes[desc + 4], 4);
        return FileVersion{static_cast<uint16_t>(ms >> 16), static_cast<uint16_t>(ms & 0xFFFF),
                           static_cast<uint16_t>(ls >> 16), static_cast<uint16_t>(ls & 0xFFFF)};
      }
      at = desc + padded(descsz);
    }
    return std::nullopt;
  }

  std::ifstream in_;
  bool wide_ = false;
  bool little_ = true;
};

}  // namespace

std::optional<FileVersion> readFileVersion(const std::string& path) {
  if (path.empty()) return std::nullopt;
  ElfReader reader(path);
  return reader.version();
}

std::string currentExecutablePath() {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(n));
    if (buffer.size() >= 65536) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace lk40::platform
