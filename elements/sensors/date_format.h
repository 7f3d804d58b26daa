#pragma once

#include <string_view>

#include "runtime/data.h"
#include "runtime/date_time.h"

namespace lumi {

// Formats a date and time by a picture in the manner of the Windows date and time
// formatters:
//   d dd ddd dddd   day of month, with leading zero, abbreviated and full day name
//   M MM MMM MMMM   month number, with leading zero, abbreviated and full month name
//   y yy yyyy       year mod 100, the same with leading zero, the full year (4 digits at least)
//   h hh / H HH     hour 1..12 / 0..23, without and with leading zero
//   m mm, s ss      minute, second, without and with leading zero
//   t tt            first character of the AM/PM marker, the whole marker
// Longer runs of a letter act as the longest form (dddddd = dddd, hhh = hh, yyy = yyyy).
// Text inside single quotes is copied as it is and '' stands for one quote, as the
// Windows formatters do; every other character is copied.
//
// Dates and times are formatted in one pass. Running a date pass and then a time pass
// over its output would turn the "m" of "December" or the "t" of "Sat" into minutes and
// markers.
Text FormatDateTime(std::string_view picture, const CalendarTime& time, const DateNames& names);

}  // namespace lumi
