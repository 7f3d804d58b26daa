#pragma once

#include <cstdint>
#include <optional>

namespace lumi {

// The fields of a calendar time, as the local clock reports them.
struct CalendarTime {
  int32_t year = 0;
  int32_t month = 0;  // 1..12
  int32_t day = 0;    // 1..31
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
  int32_t millisecond = 0;
  int32_t day_of_week = 0;  // 0 = Sunday; filled by ValueToCalendar and the clocks

  bool operator==(const CalendarTime&) const = default;
};

// Date-time values are days: 1 January of year 1 (proleptic Gregorian), 00:00, is
// 1.0; the fraction is the time of day.
inline constexpr double kLastConvertibleDate = 202751589.0;

bool IsLeapYear(int32_t year);
int32_t DaysInMonth(int32_t year, int32_t month);

// Fields that name no moment (year > 9999, day past the month's end, hour 24, ...)
// give nothing; the caller turns that into the value 0.
std::optional<double> CalendarToValue(const CalendarTime& fields);

// Values below 1 and non-finite values name no calendar date.
std::optional<CalendarTime> ValueToCalendar(double value);

}  // namespace lumi
