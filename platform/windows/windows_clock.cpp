#include "platform/windows/windows_clock.h"

#include <string>

#include "platform/windows/win32.h"

namespace lumi::platform::windows_backend {

namespace {

constexpr UINT kWindows1251 = 1251;

bool Take(LCTYPE item, std::string& into) {
  wchar_t wide[128];
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, item, wide, 128);
  if (length <= 1) return false;
  char narrow[256];
  BOOL lossy = FALSE;
  const int bytes =
      WideCharToMultiByte(kWindows1251, 0, wide, length - 1, narrow, sizeof(narrow), nullptr, &lossy);
  if (bytes <= 0 || lossy) return false;
  into.assign(narrow, static_cast<size_t>(bytes));
  return true;
}

}  // namespace

CalendarTime WindowsClock::LocalTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {.year = now.wYear,
          .month = now.wMonth,
          .day = now.wDay,
          .hour = now.wHour,
          .minute = now.wMinute,
          .second = now.wSecond,
          .millisecond = now.wMilliseconds,
          .day_of_week = now.wDayOfWeek};
}

DateNames WindowsClock::Names() {
  DateNames local;
  bool all = true;
  for (int i = 0; i < 12; ++i) {
    const auto index = static_cast<size_t>(i);
    all = all && Take((LOCALE_SMONTHNAME1 + i) | LOCALE_RETURN_GENITIVE_NAMES, local.months[index]);
    all = all && Take(LOCALE_SABBREVMONTHNAME1 + i, local.short_months[index]);
  }
  // Windows counts the days from Monday (LOCALE_SDAYNAME1), the calendar from Sunday.
  for (int i = 0; i < 7; ++i) {
    const auto index = static_cast<size_t>((i + 1) % 7);
    all = all && Take(LOCALE_SDAYNAME1 + i, local.days[index]);
    all = all && Take(LOCALE_SABBREVDAYNAME1 + i, local.short_days[index]);
  }
  // Many locales have no AM/PM markers; keep the English ones then.
  Take(LOCALE_S1159, local.am);
  Take(LOCALE_S2359, local.pm);
  return all ? local : DateNames{};
}

}  // namespace lumi::platform::windows_backend
