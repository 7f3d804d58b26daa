#pragma once

#include "platform/clock.h"

namespace lumi::platform::linux_backend {

class LinuxClock final : public Clock {
 public:
  CalendarTime LocalTime() override;
};

}  // namespace lumi::platform::linux_backend
