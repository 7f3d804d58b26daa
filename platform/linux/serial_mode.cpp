#include "platform/linux/serial_mode.h"

#include <string>

namespace lumi::platform::linux_backend {

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::optional<int32_t> PositiveDecimal(std::string_view value) {
  if (value.empty() || value.size() > 10) return std::nullopt;
  int64_t number = 0;
  for (char c : value) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  if (number <= 0 || number > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(number);
}

}  // namespace

std::optional<SerialMode> ParseSerialMode(std::string_view text) {
  SerialMode mode;
  bool have_baud = false;
  size_t i = 0;
  while (i < text.size()) {
    if (IsBlank(text[i])) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    std::string_view word = text.substr(i, end - i);
    i = end;

    size_t equals = word.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    std::string key = Lower(word.substr(0, equals));
    std::string value = Lower(word.substr(equals + 1));

    if (key == "baud") {
      std::optional<int32_t> baud = PositiveDecimal(value);
      if (!baud) return std::nullopt;
      mode.baud = *baud;
      have_baud = true;
    } else if (key == "parity") {
      if (value.size() != 1 || std::string_view("noems").find(value[0]) == std::string_view::npos) {
        return std::nullopt;
      }
      mode.parity = static_cast<char>(value[0] - 'a' + 'A');
    } else if (key == "data") {
      if (value.size() != 1 || value[0] < '5' || value[0] > '8') return std::nullopt;
      mode.data_bits = value[0] - '0';
    } else if (key == "stop") {
      if (value == "1") {
        mode.stop = StopBits::One;
      } else if (value == "1.5") {
        mode.stop = StopBits::OneAndHalf;
      } else if (value == "2") {
        mode.stop = StopBits::Two;
      } else {
        return std::nullopt;
      }
    } else if (key == "octs") {
      if (value == "on") {
        mode.cts_flow = true;
      } else if (value == "off") {
        mode.cts_flow = false;
      } else {
        return std::nullopt;
      }
    } else {
      return std::nullopt;
    }
  }
  if (!have_baud) return std::nullopt;
  // A UART sends 1.5 stop bits only after 5 data bits and 2 only after more.
  if (mode.stop == StopBits::OneAndHalf && mode.data_bits != 5) return std::nullopt;
  if (mode.stop == StopBits::Two && mode.data_bits == 5) return std::nullopt;
  return mode;
}

}  // namespace lumi::platform::linux_backend
