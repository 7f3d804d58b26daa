#include "elements/compute/hub.h"

namespace lumi {

void TElHub::SetOutCount(uint8_t count) {
  OutCount = count;
  OnPass.Resize(count);
}

void TElHub::Pass(TData& data, uint16_t) {
  for (size_t j = 0; j < OnPass.Count(); ++j) FireCopy(OnPass.Get(j), data);
}

}  // namespace lumi
