#include "elements/compute/memory.h"

namespace lumi {

void TElMemory::SetDefault(const TData& value) {
  Default = value.Value();
  current_ = Default;
}

void TElMemory::Store(TData& data, uint16_t) {
  current_ = PullData(data, InValue);
  TailData(data, OnStore, current_);
}

void TElMemory::Clear(TData& data, uint16_t) {
  current_ = Default.Value();
  TailData(data, OnStore, current_);
}

void TElMemory::OutValue(TData& result, uint16_t) { result = current_; }

}  // namespace lumi
