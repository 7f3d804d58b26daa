#include "platform/linux/linux_clock.h"

#include <ctime>

namespace lumi::platform::linux_backend {

CalendarTime LinuxClock::LocalTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  CalendarTime t;
  t.year = local.tm_year + 1900;
  t.month = local.tm_mon + 1;
  t.day = local.tm_mday;
  t.hour = local.tm_hour;
  t.minute = local.tm_min;
  // A leap second reads as the last second of its minute: the calendar has no 60.
  t.second = local.tm_sec > 59 ? 59 : local.tm_sec;
  t.millisecond = static_cast<int32_t>(now.tv_nsec / 1000000);
  t.day_of_week = local.tm_wday;
  return t;
}

}  // namespace lumi::platform::linux_backend
