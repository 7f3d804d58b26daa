#include "elements/compute/convertor.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

namespace lumi {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<int32_t> WholeDecimal(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    // Past the 32-bit range the number only needs to stay there.
    if (value <= INT32_MAX) value = value * 10 + (c - '0');
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

std::optional<int32_t> NumberAfterPrefix(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return std::nullopt;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i])))
      return std::nullopt;
  }
  const std::string_view number = TrimBlanks(text.substr(prefix.size()));
  if (number.empty() || number.front() == '-' || number.front() == '+') return std::nullopt;
  return WholeDecimal(number);
}

std::optional<double> WholeReal(std::string_view text) {
  text = TrimBlanks(text);
  // Decimal only: no hexadecimal, no "inf" or "nan", no comma.
  if (text.empty() || text.find_first_not_of("0123456789.eE+-") != std::string_view::npos)
    return std::nullopt;
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

void TElConvertor::Convert(TData& data, uint16_t) {
  switch (Mode) {
    case kIntegerToChar: {
      const auto code = static_cast<uint32_t>(PullInteger(data, InValue, 0)) & 0xFF;
      TailString(data, OnResult, Text(1, static_cast<char>(code)));
      return;
    }
    case kBinaryToInteger: {
      const Text digits = PullString(data, InValue, Text());
      uint32_t value = 0;  // wraps modulo 2^32 past 32 digits
      for (char c : digits) {
        if (c != '0' && c != '1') break;
        value = value * 2 + static_cast<uint32_t>(c - '0');
      }
      TailInteger(data, OnResult, static_cast<int32_t>(value));
      return;
    }
    case kDecimalToInteger: {
      const Text text = PullString(data, InValue, Text());
      if (const std::optional<int32_t> value = WholeDecimal(text)) {
        TailInteger(data, OnResult, *value);
      } else {
        TailString(data, OnError, text);
      }
      return;
    }
    case kNumberAfterPrefix: {
      const Text text = PullString(data, InValue, Text());
      if (const std::optional<int32_t> value = NumberAfterPrefix(text, Prefix)) {
        TailInteger(data, OnResult, *value);
      } else {
        TailString(data, OnError, text);
      }
      return;
    }
    case kDecimalToReal: {
      const Text text = PullString(data, InValue, Text());
      if (const std::optional<double> value = WholeReal(text)) {
        TailReal(data, OnResult, *value);
      } else {
        TailString(data, OnError, text);
      }
      return;
    }
    default: {
      const TData value = PullData(data, InValue);
      TailData(data, OnResult, value);
      return;
    }
  }
}

}  // namespace lumi
