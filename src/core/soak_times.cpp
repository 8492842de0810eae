#include "core/soak_times.h"

namespace lk40::core {

std::time_t SoakClock::shownAt(Steady moment) const {
  const Wall wall = wallStart_ + std::chrono::duration_cast<Wall::duration>(moment - steadyStart_);
  return std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(wall));
}

std::string soakDateTimeText(const platform::RegionalFormats& formats, std::time_t time) {
  const platform::DateTime local = platform::DateTime::atLocal(time);
  return platform::formatDate(formats.shortDate, local) + " " + platform::formatTime(formats.longTime, local);
}

std::string soakElapsedText(const platform::RegionalFormats& formats, std::time_t seconds) {
  const auto ofDay = static_cast<int>(seconds % 86400);
  platform::DateTime elapsed;
  elapsed.hour = ofDay / 3600;
  elapsed.minute = ofDay / 60 % 60;
  elapsed.second = ofDay % 60;
  return platform::formatTime(formats.longTime, elapsed);
}

}  // namespace lk40::core
