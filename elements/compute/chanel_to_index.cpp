#include "elements/compute/chanel_to_index.h"

namespace lumi {

void TElChanelToIndex::SetCount(int32_t count) { Count = count < 0 ? 0 : count; }

void TElChanelToIndex::Select(TData& data, uint16_t index) {
  last_ = data;
  TailInteger(data, OnIndex, index);
}

}  // namespace lumi
