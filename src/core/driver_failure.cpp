#include "core/driver_failure.h"

namespace lk40::core {
namespace {

std::string bits(int n) { return std::to_string(n) + "-разрядн"; }

int otherBits(const DriverFailureFacts& facts) { return facts.ownBits == 64 ? 32 : 64; }

bool onlyForTheOtherBitness(const DriverFailureFacts& facts) {
  return otherBits(facts) == 32 ? facts.registered32 && !facts.registered64
                                : facts.registered64 && !facts.registered32;
}

}  // namespace

bool handsOver(const DriverFailureFacts& facts) {
  return onlyForTheOtherBitness(facts) && !facts.handedOver && !facts.twin.empty() && facts.twinError.empty();
}

std::string driverFailureDetails(const DriverFailureFacts& facts) {
  std::string text = "ProgID " + facts.progId + ": ";
  if (facts.clsid.empty()) {
    text += "класс не зарегистрирован\n";
  } else {
    const auto has = [](bool found) { return found ? std::string("есть") : std::string("нет"); };
    text += "класс " + facts.clsid + "\n";
    text += "CLSID\\" + facts.clsid + "\\InprocServer32: в 32-разрядном разделе реестра " + has(facts.registered32) +
            ", в 64-разрядном " + has(facts.registered64) + "\n";
  }
  text += "Ошибка: " + facts.failure + "\n";
  if (!onlyForTheOtherBitness(facts)) return text;
  const int other = otherBits(facts);
  text += "Драйвер зарегистрирован только для " + bits(other) + "ых программ, а этот тест драйвера " +
          bits(facts.ownBits) + "ый\n";
  if (facts.handedOver) {
    text += "Этот тест драйвера запущен " + bits(other) + "ым и не передаёт запуск обратно\n";
  } else if (facts.twin.empty()) {
    text += bits(other) + "ый тест драйвера не установлен\n";
  } else if (!facts.twinError.empty()) {
    text += bits(other) + "ый тест драйвера не запущен: " + facts.twinError + "\n";
  }
  return text;
}

}  // namespace lk40::core
