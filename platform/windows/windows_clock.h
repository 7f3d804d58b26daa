#pragma once

#include "platform/clock.h"

namespace lumi::platform::windows_backend {

// GetLocalTime, and the names of the user's locale from GetLocaleInfoW (months in the
// form a date takes, "7 декабря"), in Windows-1251; English where a name does not fit
// the code page.
class WindowsClock final : public Clock {
 public:
  CalendarTime LocalTime() override;
  DateNames Names() override;
};

}  // namespace lumi::platform::windows_backend
