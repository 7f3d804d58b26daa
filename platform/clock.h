#pragma once

#include "runtime/date_time.h"

namespace lumi::platform {

// The local wall clock.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual CalendarTime LocalTime() = 0;
  // Names of months and days and the AM/PM markers of the user's locale.
  virtual DateNames Names() { return {}; }
};

}  // namespace lumi::platform
