#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

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

// The names a date picture can show, as Windows-1251 texts; English unless the clock
// gives the user's own.
struct DateNames {
  std::array<std::string, 12> months = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};
  std::array<std::string, 12> short_months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  // Indexed by CalendarTime::day_of_week: 0 = Sunday.
  std::array<std::string, 7> days = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
  std::array<std::string, 7> short_days = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::string am = "AM";
  std::string pm = "PM";
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
