#include "elements/compute/index_to_chanel.h"

namespace lumi {

void TElIndexToChanel::SetCount(int32_t count) {
  Count = count < 0 ? 0 : count;
  OnChannel.Resize(static_cast<size_t>(Count));
}

void TElIndexToChanel::Route(TData& data, uint16_t) {
  int32_t n = PullInteger(data, InIndex, 0);
  data = PullData(data, InData, &Data);
  if (n >= 0 && n < Count) MarkTail(data, OnChannel.Get(static_cast<size_t>(n)));
}

}  // namespace lumi
