// The memory behind the exchange journal's rows: one arena that the rows'
// bytes are appended to and leave oldest first, the table of the texts that
// repeat from row to row (captions, method names, descriptions, property
// names), and the frames that repeat call after call, kept once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lk40::core {

// The rows' bytes, in chunks: a row's bytes lie in one chunk, and a chunk is
// given back once every row in it has left.
class RowArena {
 public:
  static constexpr std::size_t kChunkBytes = 256 * 1024;

  struct Place {
    uint32_t chunk = 0;  // a serial number: chunks are numbered as they are made
    uint32_t offset = 0;
  };
  Place append(std::string_view bytes);
  std::string_view at(Place place, std::size_t size) const;
  // The row at place has left.
  void release(Place place);
  void clear();
  // What the chunks take.
  std::size_t bytes() const { return bytes_; }

 private:
  struct Chunk {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    std::size_t used = 0;
    std::size_t rows = 0;  // still there
  };
  Chunk& chunk(uint32_t serial) { return chunks_[serial - firstSerial_]; }
  const Chunk& chunk(uint32_t serial) const { return chunks_[serial - firstSerial_]; }

  std::deque<Chunk> chunks_;
  uint32_t firstSerial_ = 0;
  std::size_t bytes_ = 0;
};

// Short texts that rows share, each kept once and named by an id; the table
// stops taking texts when full, and is only emptied with the journal.
class TextTable {
 public:
  static constexpr std::size_t kMaxTexts = 4096;
  static constexpr std::size_t kMaxLength = 256;

  // The text's id, taken into the table if need be; none when the text is
  // longer than kMaxLength or the table is full.
  std::optional<uint32_t> idOf(std::string_view text);
  std::string_view text(uint32_t id) const;
  void clear();
  std::size_t bytes() const { return bytes_; }

 private:
  std::deque<std::string> texts_;  // a deque: the map's keys point into the texts
  std::unordered_map<std::string_view, uint32_t> ids_;
  std::size_t bytes_ = 0;
};

// Encoded frames that several rows hold, with a count of those rows.
class SharedFrames {
 public:
  static constexpr std::size_t kMaxLength = 4096;

  uint32_t add(std::string_view encoded);  // held by one row
  void hold(uint32_t id) { ++entries_[id].rows; }
  void release(uint32_t id);
  std::string_view encoded(uint32_t id) const { return entries_[id].encoded; }
  void clear();
  std::size_t bytes() const { return bytes_; }

 private:
  struct Entry {
    std::string encoded;
    std::size_t rows = 0;
  };
  std::vector<Entry> entries_;
  std::vector<uint32_t> free_;
  std::size_t bytes_ = 0;
};

}  // namespace lk40::core
