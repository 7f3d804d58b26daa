#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Converts between number and text forms; `Mode` picks the conversion.
class TElConvertor : public TElement {
 public:
  static constexpr uint8_t kIntegerToChar = 4;  // n -> the one-character text of code n mod 256
  static constexpr uint8_t kBinaryToInteger =
      7;  // "1012" -> 5: binary digits up to the first other character
  // " -42 " -> -42: a whole signed decimal number between blanks, held to the 32-bit
  // range; any other text (empty, "abc", "4x", "3.5") goes to OnError instead, so a
  // field a person typed into can tell a number from a slip.
  static constexpr uint8_t kDecimalToInteger = 8;
  // "COM 01" -> 1 with Prefix "COM": the prefix (letter case ignored), blanks, then
  // decimal digits only; anything else goes to OnError.
  static constexpr uint8_t kNumberAfterPrefix = 11;
  // " 1.5 " -> 1.5, "1e9" -> 1e9: a whole decimal real number ("." before the
  // fraction) between blanks; anything else, or a number too large for a double, goes
  // to OnError.
  static constexpr uint8_t kDecimalToReal = 12;

  uint8_t Mode = 0;
  Text Prefix;  // kNumberAfterPrefix
  TEl_Event InValue;
  TEl_Event OnResult;
  TEl_Event OnError;  // the checking modes: the text was no such number (the text)

  // Only the conversions above are ever wired; every other mode hands the value
  // of InValue on unchanged, so a mis-set mode shows up as an unconverted value rather
  // than as a silent break in the chain.
  void Convert(TData& data, uint16_t index);
};

}  // namespace lumi
