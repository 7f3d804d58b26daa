#include "elements/compute/get_index_data.h"

namespace lumi {

void TElGetIndexData::SetCount(int32_t count) {
  Count = count < 0 ? 0 : count;
  InData.Resize(static_cast<size_t>(Count));
}

void TElGetIndexData::SelectIndex(TData& data, uint16_t) {
  const int32_t n = data.AsInteger();
  selected_ = n >= 0 && n < Count ? n : -1;
}

void TElGetIndexData::OutData(TData& result, uint16_t) {
  if (selected_ < 0) {
    result.SetNull();
    return;
  }
  PullRaw(result, InData.Get(static_cast<size_t>(selected_)));
}

}  // namespace lumi
