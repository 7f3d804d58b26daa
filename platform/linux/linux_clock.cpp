#include "platform/linux/linux_clock.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>
#include <ctime>
#include <string>

#include "runtime/cp1251.h"

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

namespace {

// A name of the locale in Windows-1251, or nothing when the locale's text does not
// fit (a character outside the code page) or is not UTF-8.
bool Take(locale_t locale, nl_item item, std::string& into) {
  const char* text = nl_langinfo_l(item, locale);
  if (text == nullptr || *text == '\0') return false;
  std::string converted = cp1251::FromUtf8(text);
  if (converted.find('?') != std::string::npos && std::strchr(text, '?') == nullptr) return false;
  into = converted;
  return true;
}

}  // namespace

DateNames LinuxClock::Names() {
  DateNames names;
  locale_t locale = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return names;
  const char* codeset = nl_langinfo_l(CODESET, locale);
  if (codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0) {
    DateNames local;
    bool all = true;
    for (int i = 0; i < 12; ++i) {
      all = all && Take(locale, static_cast<nl_item>(MON_1 + i), local.months[static_cast<size_t>(i)]);
      all =
          all && Take(locale, static_cast<nl_item>(ABMON_1 + i), local.short_months[static_cast<size_t>(i)]);
    }
    for (int i = 0; i < 7; ++i) {
      all = all && Take(locale, static_cast<nl_item>(DAY_1 + i), local.days[static_cast<size_t>(i)]);
      all = all && Take(locale, static_cast<nl_item>(ABDAY_1 + i), local.short_days[static_cast<size_t>(i)]);
    }
    // Many locales have no AM/PM markers; keep the English ones then.
    Take(locale, AM_STR, local.am);
    Take(locale, PM_STR, local.pm);
    if (all) names = local;
  }
  freelocale(locale);
  return names;
}

}  // namespace lumi::platform::linux_backend
