#include "elements/compute/counter.h"

#include <cstdint>

namespace lumi {

namespace {

// Two's-complement wrap to 32 bits, as a 32-bit counter would run.
int32_t Wrap(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

}  // namespace

void TElCounter::Advance(TData& data, bool up) {
  // Worked out in 64 bits: a step past the 32-bit range then simply counts as past
  // Max (or below Min) and wraps to the other bound. Only a step of the wrong sign can
  // leave the range unchecked; it wraps around 32 bits as the count always has.
  int64_t count = Value();
  if (up) {
    count += Step;
    if (count > Max) count = Min;
  } else {
    count -= Step;
    if (count < Min) count = Max;
  }
  count_ = Wrap(count);
  changed_ = true;
  TailInteger(data, OnCount, count_);
}

void TElCounter::Next(TData& data, uint16_t) { Advance(data, Direction == 0); }

void TElCounter::Prev(TData& data, uint16_t) { Advance(data, Direction != 0); }

void TElCounter::Reset(TData&, uint16_t) {
  count_ = Direction == 0 ? Min : Max;
  changed_ = true;
}

void TElCounter::SetCount(TData& data, uint16_t) {
  count_ = data.AsInteger();
  changed_ = true;
}

void TElCounter::OutCount(TData& result, uint16_t) { result.SetInteger(Value()); }

}  // namespace lumi
