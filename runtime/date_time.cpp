#include "runtime/date_time.h"

#include <cmath>

namespace lumi {
namespace {

constexpr int32_t kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr double kMillisecondsPerDay = 86400000.0;

}  // namespace

bool IsLeapYear(int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int32_t DaysInMonth(int32_t year, int32_t month) {
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kMonthDays[month - 1];
}

std::optional<double> CalendarToValue(const CalendarTime& f) {
  // Year 0 and before name no day of the calendar the values count.
  if (f.year < 1 || f.year > 9999 || f.month < 1 || f.month > 12 || f.day < 1 || f.day > DaysInMonth(f.year, f.month) ||
      f.hour < 0 || f.hour >= 24 || f.minute < 0 || f.minute >= 60 || f.second < 0 || f.second >= 60 ||
      f.millisecond < 0 || f.millisecond >= 1000)
    return std::nullopt;
  int64_t day_of_year = f.day;
  for (int32_t m = 1; m < f.month; ++m) day_of_year += DaysInMonth(f.year, m);
  int64_t y = int64_t{f.year} - 1;
  int64_t days = y * 365 + y / 4 - y / 100 + y / 400 + day_of_year;
  int64_t ms =
      int64_t{f.hour} * 3600000 + int64_t{f.minute} * 60000 + int64_t{f.second} * 1000 + f.millisecond;
  return static_cast<double>(days) + static_cast<double>(ms) / kMillisecondsPerDay;
}

std::optional<CalendarTime> ValueToCalendar(double value) {
  if (!std::isfinite(value) || value < 1.0 || value >= 2147483647.0) return std::nullopt;
  double whole = std::floor(value);
  auto ms = static_cast<int64_t>(std::nearbyint((value - whole) * kMillisecondsPerDay));
  auto days = static_cast<int64_t>(whole);
  if (ms >= 86400000) {  // the fraction rounded up to the next midnight
    ms -= 86400000;
    ++days;
  }
  CalendarTime t;
  t.day_of_week = static_cast<int32_t>(days % 7);  // day 1 (1 January 0001) was a Monday
  int64_t d = days - 1;
  int64_t year = 1;
  year += 400 * (d / 146097);
  d %= 146097;
  int64_t centuries = d / 36524;
  if (centuries == 4) centuries = 3;  // the last day of a 400-year cycle
  year += 100 * centuries;
  d -= centuries * 36524;
  year += 4 * (d / 1461);
  d %= 1461;
  int64_t years = d / 365;
  if (years == 4) years = 3;  // the last day of a 4-year cycle
  year += years;
  d -= years * 365;
  t.year = static_cast<int32_t>(year);
  t.month = 1;
  while (d >= DaysInMonth(t.year, t.month)) {
    d -= DaysInMonth(t.year, t.month);
    ++t.month;
  }
  t.day = static_cast<int32_t>(d) + 1;
  t.hour = static_cast<int32_t>(ms / 3600000);
  t.minute = static_cast<int32_t>(ms / 60000 % 60);
  t.second = static_cast<int32_t>(ms / 1000 % 60);
  t.millisecond = static_cast<int32_t>(ms % 1000);
  return t;
}

}  // namespace lumi
