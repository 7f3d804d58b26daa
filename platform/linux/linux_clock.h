#pragma once

#include "platform/clock.h"

namespace lumi::platform::linux_backend {

class LinuxClock final : public Clock {
 public:
  CalendarTime LocalTime() override;
  // From the LC_TIME of the environment; English where that locale's names cannot be
  // written in Windows-1251 or the locale is missing.
  DateNames Names() override;
};

}  // namespace lumi::platform::linux_backend
