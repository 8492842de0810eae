#include "core/journal_store.h"

#include <cstring>

namespace lk40::core {

// --- RowArena

RowArena::Place RowArena::append(std::string_view bytes) {
  // A row longer than a quarter chunk gets a chunk of its own, so that no
  // chunk is left more than a quarter empty.
  if (chunks_.empty() || chunks_.back().size - chunks_.back().used < bytes.size()) {
    if (!chunks_.empty() && chunks_.back().rows == 0) {
      bytes_ -= chunks_.back().size;
      chunks_.pop_back();
      if (chunks_.empty()) firstSerial_ = 0;
    }
    Chunk fresh;
    fresh.size = bytes.size() > kChunkBytes / 4 ? bytes.size() : kChunkBytes;
    fresh.data = std::make_unique<char[]>(fresh.size);
    bytes_ += fresh.size;
    chunks_.push_back(std::move(fresh));
  }
  Chunk& last = chunks_.back();
  const Place place{static_cast<uint32_t>(firstSerial_ + chunks_.size() - 1), static_cast<uint32_t>(last.used)};
  if (!bytes.empty()) std::memcpy(last.data.get() + last.used, bytes.data(), bytes.size());
  last.used += bytes.size();
  ++last.rows;
  return place;
}

std::string_view RowArena::at(Place place, std::size_t size) const {
  return std::string_view(chunk(place.chunk).data.get() + place.offset, size);
}

void RowArena::release(Place place) {
  Chunk& c = chunk(place.chunk);
  if (c.rows > 0) --c.rows;
  // Rows leave oldest first: the chunks at the front empty first. The last
  // chunk, still being filled, is kept and filled anew.
  while (chunks_.size() > 1 && chunks_.front().rows == 0) {
    bytes_ -= chunks_.front().size;
    chunks_.pop_front();
    ++firstSerial_;
  }
  if (chunks_.size() == 1 && chunks_.front().rows == 0) chunks_.front().used = 0;
}

void RowArena::clear() {
  chunks_.clear();
  firstSerial_ = 0;
  bytes_ = 0;
}

// --- TextTable

std::optional<uint32_t> TextTable::idOf(std::string_view text) {
  if (const auto found = ids_.find(text); found != ids_.end()) return found->second;
  if (text.size() > kMaxLength || texts_.size() >= kMaxTexts) return std::nullopt;
  const auto id = static_cast<uint32_t>(texts_.size());
  texts_.emplace_back(text);
  ids_.emplace(texts_.back(), id);
  bytes_ += text.size() + sizeof(std::string);
  return id;
}

std::string_view TextTable::text(uint32_t id) const { return id < texts_.size() ? texts_[id] : std::string_view(); }

void TextTable::clear() {
  ids_.clear();
  texts_.clear();
  bytes_ = 0;
}

// --- SharedFrames

uint32_t SharedFrames::add(std::string_view encoded) {
  uint32_t id;
  if (!free_.empty()) {
    id = free_.back();
    free_.pop_back();
  } else {
    id = static_cast<uint32_t>(entries_.size());
    entries_.emplace_back();
  }
  entries_[id].encoded.assign(encoded);
  entries_[id].rows = 1;
  bytes_ += encoded.size();
  return id;
}

void SharedFrames::release(uint32_t id) {
  Entry& entry = entries_[id];
  if (entry.rows == 0 || --entry.rows > 0) return;
  bytes_ -= entry.encoded.size();
  std::string().swap(entry.encoded);
  free_.push_back(id);
}

void SharedFrames::clear() {
  entries_.clear();
  free_.clear();
  bytes_ = 0;
}

}  // namespace lk40::core
