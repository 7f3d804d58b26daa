#pragma once

#include "runtime/date_time.h"

namespace lumi::platform {

// The local wall clock.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual CalendarTime LocalTime() = 0;
};

}  // namespace lumi::platform
