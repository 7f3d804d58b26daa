#include "elements/sensors/date_format.h"

#include <cstdint>

namespace lumi {
namespace {

void AppendNumber(Text& out, int64_t value, int min_digits) {
  if (value < 0) {
    out += '-';
    value = -value;
  }
  char digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  for (int k = n; k < min_digits; ++k) out += '0';
  while (n > 0) out += digits[--n];
}

template <size_t N>
const Text& NameAt(const std::array<Text, N>& names, int64_t index) {
  static const Text kNone;
  return index >= 0 && index < static_cast<int64_t>(N) ? names[static_cast<size_t>(index)] : kNone;
}

bool IsToken(char c) {
  switch (c) {
    case 'd':
    case 'M':
    case 'y':
    case 'h':
    case 'H':
    case 'm':
    case 's':
    case 't': return true;
    default: return false;
  }
}

void AppendToken(Text& out, char letter, size_t run, const CalendarTime& t, const DateNames& names) {
  const int pad = run >= 2 ? 2 : 1;
  switch (letter) {
    case 'd':
      if (run <= 2)
        AppendNumber(out, t.day, pad);
      else
        out += run == 3 ? NameAt(names.short_days, t.day_of_week) : NameAt(names.days, t.day_of_week);
      break;
    case 'M':
      if (run <= 2)
        AppendNumber(out, t.month, pad);
      else
        out += run == 3 ? NameAt(names.short_months, t.month - 1) : NameAt(names.months, t.month - 1);
      break;
    case 'y':
      if (run <= 2)
        AppendNumber(out, t.year % 100, pad);
      else
        AppendNumber(out, t.year, 4);
      break;
    case 'h': {
      int64_t hour = t.hour % 12;
      AppendNumber(out, hour == 0 ? 12 : hour, pad);
      break;
    }
    case 'H': AppendNumber(out, t.hour, pad); break;
    case 'm': AppendNumber(out, t.minute, pad); break;
    case 's': AppendNumber(out, t.second, pad); break;
    case 't': {
      const Text& marker = t.hour < 12 ? names.am : names.pm;
      if (run >= 2)
        out += marker;
      else if (!marker.empty())
        out += marker[0];
      break;
    }
    default: break;
  }
}

}  // namespace

Text FormatDateTime(std::string_view picture, const CalendarTime& time, const DateNames& names) {
  Text out;
  out.reserve(picture.size() + 16);
  size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    if (c == '\'' && i + 1 < picture.size() && picture[i + 1] == '\'') {
      out += '\'';
      i += 2;
      continue;
    }
    if (c == '\'') {
      // A quoted run is literal up to the closing quote (or the end); '' is a quote,
      // inside a quoted run as well as outside.
      ++i;
      while (i < picture.size()) {
        if (picture[i] != '\'') {
          out += picture[i++];
        } else if (i + 1 < picture.size() && picture[i + 1] == '\'') {
          out += '\'';
          i += 2;
        } else {
          ++i;
          break;
        }
      }
      continue;
    }
    if (!IsToken(c)) {
      out += c;
      ++i;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    AppendToken(out, c, run, time, names);
    i += run;
  }
  return out;
}

}  // namespace lumi
