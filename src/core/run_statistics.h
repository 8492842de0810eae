// The driver calls of a scripted run counted by method: how often each was
// called, which result codes it left, and the least, median and greatest of
// its execution times. A CI engineer compares these between driver builds,
// in the report's last lines and as properties of the JUnit file.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lk40::core {

// A name and a value, in the order written.
using RunProperties = std::vector<std::pair<std::string, std::string>>;

class CallStatistics {
 public:
  // One call; no code when it raised an error or its code was never read.
  void add(std::string_view method, std::optional<int32_t> code, uint32_t elapsedMs);
  // Calls made but lost before they were counted (the journal had dropped them).
  void lost(uint64_t calls) { lost_ += calls; }

  uint64_t calls() const { return calls_; }

  // "Вызовы драйвера: N" and a line per method, by name:
  // "  GetMode: вызовов 3; код 0 — 2, код 5 — 1; мин 4 мс, медиана 5 мс, макс 9 мс".
  // The median of an even count is the lower of the two middle times.
  std::string reportLines() const;
  // calls, calls.lost, then per method METHOD.calls, METHOD.code.N,
  // METHOD.nocode, METHOD.ms.min, METHOD.ms.median, METHOD.ms.max.
  RunProperties properties() const;

 private:
  struct Method {
    std::map<int32_t, uint64_t> codes;
    uint64_t noCode = 0;
    std::vector<uint32_t> times;
  };
  struct Times {
    uint32_t min, median, max;
  };
  static Times timesOf(const Method& method);

  std::map<std::string, Method, std::less<>> methods_;
  uint64_t calls_ = 0;
  uint64_t lost_ = 0;
};

}  // namespace lk40::core
