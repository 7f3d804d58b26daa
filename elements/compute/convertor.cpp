#include "elements/compute/convertor.h"

namespace lumi {

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
    default: {
      const TData value = PullData(data, InValue);
      TailData(data, OnResult, value);
      return;
    }
  }
}

}  // namespace lumi
