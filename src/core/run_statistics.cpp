#include "core/run_statistics.h"

#include <algorithm>

namespace lk40::core {

void CallStatistics::add(std::string_view method, std::optional<int32_t> code, uint32_t elapsedMs) {
  auto found = methods_.find(method);
  if (found == methods_.end()) found = methods_.emplace(std::string(method), Method{}).first;
  Method& entry = found->second;
  if (code)
    ++entry.codes[*code];
  else
    ++entry.noCode;
  entry.times.push_back(elapsedMs);
  ++calls_;
}

CallStatistics::Times CallStatistics::timesOf(const Method& method) {
  std::vector<uint32_t> times = method.times;
  const auto middle = times.begin() + static_cast<std::ptrdiff_t>((times.size() - 1) / 2);
  std::nth_element(times.begin(), middle, times.end());
  const auto [least, most] = std::minmax_element(times.begin(), times.end());
  return {*least, *middle, *most};
}

std::string CallStatistics::reportLines() const {
  std::string out = "Вызовы драйвера: " + std::to_string(calls_);
  if (lost_ > 0) out += ", не учтено " + std::to_string(lost_);
  out += '\n';
  for (const auto& [name, method] : methods_) {
    out += "  " + name + ": вызовов " + std::to_string(method.times.size()) + ";";
    const char* comma = " ";
    for (const auto& [code, count] : method.codes) {
      out += comma + ("код " + std::to_string(code)) + " — " + std::to_string(count);
      comma = ", ";
    }
    if (method.noCode > 0) out += comma + std::string("без кода — ") + std::to_string(method.noCode);
    const Times t = timesOf(method);
    out += "; мин " + std::to_string(t.min) + " мс, медиана " + std::to_string(t.median) + " мс, макс " +
           std::to_string(t.max) + " мс\n";
  }
  return out;
}

RunProperties CallStatistics::properties() const {
  RunProperties out{{"calls", std::to_string(calls_)}};
  if (lost_ > 0) out.emplace_back("calls.lost", std::to_string(lost_));
  for (const auto& [name, method] : methods_) {
    out.emplace_back(name + ".calls", std::to_string(method.times.size()));
    for (const auto& [code, count] : method.codes) out.emplace_back(name + ".code." + std::to_string(code), std::to_string(count));
    if (method.noCode > 0) out.emplace_back(name + ".nocode", std::to_string(method.noCode));
    const Times t = timesOf(method);
    out.emplace_back(name + ".ms.min", std::to_string(t.min));
    out.emplace_back(name + ".ms.median", std::to_string(t.median));
    out.emplace_back(name + ".ms.max", std::to_string(t.max));
  }
  return out;
}

}  // namespace lk40::core
