#include "elements/compute/int_to_bits.h"

namespace lumi {

void TElIntToBits::SetCount(uint16_t count) {
  Count = count;
  OnBit.Resize(count);
}

void TElIntToBits::Split(TData& data, uint16_t) {
  stop_ = false;
  const auto bits = static_cast<uint32_t>(PullInteger(data, InValue, 0));
  for (uint32_t i = 0; i < Count; ++i) {
    const bool set = i < 32 && ((bits >> i) & 1u) != 0;
    if (set) {
      FireCopy(OnBit.Get(i), One);
    } else if (SendZeros) {
      FireCopy(OnBit.Get(i), Zero);
    }
    if (stop_) break;
  }
}

void TElIntToBits::Stop(TData&, uint16_t) { stop_ = true; }

}  // namespace lumi
