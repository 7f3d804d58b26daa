#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/data.h"

// The program's own conversions between numbers and texts. They are total: every
// input, every double included, gives a defined result.
namespace lumi {

// Optional sign, then decimal digits up to the first non-digit; wraps modulo 2^32.
int32_t TextToInteger(std::string_view text);

// Digits with an optional fraction and exponent; other characters are skipped.
double TextToReal(std::string_view text);

// Plain decimal, "-" before negative numbers.
Text IntegerToText(int32_t value);

// Fifteen significant digits, never an exponent. NaN gives "NAN", the infinities
// "INF" and "-INF".
Text RealToText(double value);

// Round to nearest, ties to even, low 32 bits kept. NaN and infinities give 0.
int32_t RealToInteger(double value);

}  // namespace lumi
