#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumi::platform::linux_backend {

enum class StopBits : uint8_t { One, OneAndHalf, Two };

// The line settings a Windows mode text asks for.
struct SerialMode {
  int32_t baud = 0;
  char parity = 'N';  // one of N O E M S
  int data_bits = 8;
  StopBits stop = StopBits::One;
  bool cts_flow = false;  // "octs"
};

// Reads a mode text such as "baud=9600 parity=N data=8 stop=1 octs=off": words
// separated by blanks, each key=value, keys and letters in any case. The speed is
// required; the other keys default to N, 8, 1 and off. An unknown word, a missing or
// malformed value, a speed that is not a positive decimal number, or a combination
// the line cannot carry (1.5 stop bits need 5 data bits, 2 stop bits need more)
// gives nothing.
std::optional<SerialMode> ParseSerialMode(std::string_view text);

}  // namespace lumi::platform::linux_backend
