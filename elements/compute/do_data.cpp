#include "elements/compute/do_data.h"

namespace lumi {

void TElDoData::Send(TData& data, uint16_t) {
  // The incoming value is dropped first, so an unlinked InData without Data sends NULL
  // rather than echoing the trigger.
  data.SetNull();
  TData value = PullData(data, InData, &Data);
  TailData(data, OnSend, value);
}

}  // namespace lumi
