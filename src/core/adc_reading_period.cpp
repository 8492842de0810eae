#include "core/adc_reading_period.h"

namespace lk40::core {

int continuousReadingPeriod(int loggingPeriod) { return loggingPeriod > 0 ? loggingPeriod : kInitialTimerPeriod; }

}  // namespace lk40::core
