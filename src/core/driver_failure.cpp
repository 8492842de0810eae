#include "core/driver_failure.h"

namespace lk40::core {
namespace {

std::string bits(int n) { return std::to_string(n) + "-разрядн"; }

}  // namespace

DriverFailure judgeDriverFailure(const DriverFailureFacts& facts) {
  DriverFailure out;
  std::string& text = out.details;
  text = "ProgID " + facts.progId + ": ";
  if (facts.clsid.empty()) {
    text += "класс не зарегистрирован\n";
  } else {
    text += "класс " + facts.clsid + "\n";
    const auto has = [](bool found) { return found ? std::string("есть") : std::string("нет"); };
    text += "CLSID\\" + facts.clsid + "\\InprocServer32: в 32-разрядном разделе реестра " + has(facts.registered32) +
            ", в 64-разрядном " + has(facts.registered64) + "\n";
  }
  text += "Ошибка: " + facts.failure + "\n";

  const int otherBits = facts.ownBits == 64 ? 32 : 64;
  const bool otherOnly = otherBits == 32 ? facts.registered32 && !facts.registered64
                                         : facts.registered64 && !facts.registered32;
  if (!otherOnly) return out;
  text += "Драйвер зарегистрирован только для " + bits(otherBits) + "ых программ, а этот тест драйвера " +
          bits(facts.ownBits) + "ый\n";
  if (facts.handedOver) {
    text += "Этот тест драйвера запущен " + bits(otherBits) + "ым и не передаёт запуск обратно\n";
  } else if (facts.twin.empty()) {
    text += bits(otherBits) + "ый тест драйвера не установлен\n";
  } else {
    out.handOver = true;
  }
  return out;
}

std::string twinNotStarted(int twinBits, const std::string& why) {
  return bits(twinBits) + "ый тест драйвера не запущен: " + why + "\n";
}

}  // namespace lk40::core
