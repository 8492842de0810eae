#include "core/test_record.h"

#include <array>

namespace lk40::core {

namespace {

constexpr size_t kHeaderSize = 3;
constexpr int kFirstValueRow = DecodedTestRecord::kFirstValueRow;
constexpr unsigned char kOverload = 0xFF;

struct ValueType {
  const char* name;
  size_t size;
  bool isSigned;
};

// Indexed by the type code; the size is 2 to the power of code / 2.
constexpr std::array<ValueType, 6> kTypes{{
    {"UCHAR", 1, false},
    {"CHAR", 1, true},
    {"UINT", 2, false},
    {"INT", 2, true},
    {"ULONG", 4, false},
    {"LONG", 4, true},
}};

unsigned char byteAt(std::string_view bytes, size_t offset) { return static_cast<unsigned char>(bytes[offset]); }

std::string valueText(std::string_view bytes, size_t offset, const ValueType& type) {
  if (offset + type.size > bytes.size()) return {};
  uint32_t bits = 0;
  for (size_t k = 0; k < type.size; ++k) bits |= static_cast<uint32_t>(byteAt(bytes, offset + k)) << (8 * k);
  if (!type.isSigned) return std::to_string(bits);
  const uint32_t signBit = 1u << (8 * type.size - 1);
  // Sign-extend from the type's width.
  const int64_t value = (bits & signBit) != 0 ? static_cast<int64_t>(bits) - 2 * static_cast<int64_t>(signBit)
                                              : static_cast<int64_t>(bits);
  return std::to_string(value);
}

}  // namespace

DecodedTestRecord decodeTestRecord(std::string_view bytes) {
  DecodedTestRecord record;
  if (bytes.size() < kHeaderSize) return record;

  const unsigned typeCode = byteAt(bytes, 0);
  const int count = byteAt(bytes, 2);
  const ValueType* type = typeCode < kTypes.size() ? &kTypes[typeCode] : nullptr;

  record.valid = true;
  record.typeKnown = type != nullptr;
  record.complete = type != nullptr && bytes.size() >= kHeaderSize + static_cast<size_t>(count) * type->size;
  record.rowCount = count + kFirstValueRow;
  record.valueCount = count;
  record.overload = byteAt(bytes, 1) == kOverload;
  // A type this bench does not know is named by its code, so that nothing of
  // the previous record stays beside the new count as if it were current.
  record.typeName = type != nullptr ? std::string(type->name) : std::to_string(typeCode);
  auto& cells = record.cells;
  cells.push_back({3, 1, std::to_string(count)});
  cells.push_back({1, 0, "тип данных"});
  cells.push_back({2, 0, "перегрузка"});
  cells.push_back({3, 0, "значений"});
  cells.push_back({1, 1, record.typeName});
  cells.push_back({2, 1, record.overload ? "ЕСТЬ" : "НЕТ"});
  for (int i = 0; i < count; ++i) {
    const int row = kFirstValueRow + i;
    cells.push_back({row, 0, std::to_string(i + 1)});
    cells.push_back(
        {row, 1, type != nullptr ? valueText(bytes, kHeaderSize + static_cast<size_t>(i) * type->size, *type) : ""});
  }
  return record;
}

}  // namespace lk40::core
