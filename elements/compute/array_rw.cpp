#include "elements/compute/array_rw.h"

namespace lumi {

void TElArrayRW::Read(TData& data, uint16_t) {
  ArrayInterface* array = PullArray(InArray);
  if (array == nullptr) return;
  const TData key = PullData(data, InIndex, &Index);
  TData item;
  if (!array->Get(key, item)) return;
  item_ = item.Value();
  TailData(data, OnRead, item_);
}

void TElArrayRW::OutItem(TData& result, uint16_t) { result = item_; }

}  // namespace lumi
