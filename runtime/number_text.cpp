#include "runtime/number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace lumi {

int32_t TextToInteger(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  uint32_t value = 0;  // unsigned: wraps modulo 2^32 by definition
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value * 10u + static_cast<uint32_t>(text[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

double TextToReal(std::string_view text) {
  if (text.empty()) return 0.0;
  size_t i = 0;
  bool negative = false;
  if (text[0] == '-') {
    negative = true;
    i = 1;
  }
  double value = 0.0;
  bool in_fraction = false;
  double scale = 0.1;  // can underflow to 0 after some 320 fraction digits: hence the flag
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      if (!in_fraction) {
        value = value * 10.0 + (c - '0');
      } else {
        value += (c - '0') * scale;
        scale *= 0.1;
      }
    } else if (c == '.') {
      if (in_fraction) break;
      in_fraction = true;
    } else if (c == 'E' || c == 'e') {
      int32_t exponent = TextToInteger(text.substr(i + 1));
      value *= std::pow(10.0, exponent);
      break;
    }
  }
  return negative ? -value : value;
}

Text IntegerToText(int32_t value) {
  char buffer[12];
  char* end = buffer + sizeof buffer;
  char* p = end;
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = '-';
  return Text(p, end);
}

Text RealToText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0.0) return "0";

  // Fifteen significant digits, correctly rounded: d1.d2...d15e(x), so the value is
  // 0.d1...d15 times 10 to the power x + 1. Scaling by repeated multiplication would
  // lose the last digit on very small numbers.
  const bool negative = value < 0;
  char scientific[32];
  auto [end, error] = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                    std::chars_format::scientific, 14);
  if (error != std::errc()) return "0";
  char digits[15];
  digits[0] = scientific[0];
  std::memcpy(digits + 1, scientific + 2, 14);
  const int exponent =
      TextToInteger(std::string_view(scientific + 17, static_cast<size_t>(end - scientific - 17))) + 1;

  Text out;
  if (negative) out += '-';
  if (exponent <= 0) {
    out += "0.";
    out.append(static_cast<size_t>(-exponent), '0');
    out.append(digits, 15);
  } else if (exponent < 15) {
    out.append(digits, static_cast<size_t>(exponent));
    out += '.';
    out.append(digits + exponent, static_cast<size_t>(15 - exponent));
  } else {
    out.append(digits, 15);
    out.append(static_cast<size_t>(exponent - 15), '0');
    return out;
  }
  while (out.back() == '0') out.pop_back();
  if (out.back() == '.') out.pop_back();
  return out;
}

int32_t RealToInteger(double value) {
  if (!std::isfinite(value)) return 0;
  double rounded = std::nearbyint(value);         // the default rounding mode: ties to even
  double low = std::fmod(rounded, 4294967296.0);  // exact for every double
  if (low < 0) low += 4294967296.0;
  return static_cast<int32_t>(static_cast<uint32_t>(low));
}

}  // namespace lumi
