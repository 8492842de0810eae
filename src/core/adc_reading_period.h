// The period of the continuous ADC reading ("Градуировка").
#pragma once

namespace lk40::core {

// The timer's initial period, before the continuous reading ever set one.
constexpr int kInitialTimerPeriod = 100;
// The continuous ADC reading ticks at the logging period; without one (none
// given, or logging switched off after the file failed) at the initial
// period. A period of 0 would make the timer fire on every pass of the event
// loop, which would hammer the driver.
int continuousReadingPeriod(int loggingPeriod);

}  // namespace lk40::core
