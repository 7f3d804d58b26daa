#include "runtime/edit_multi.h"

#include "runtime/multi_element.h"

namespace lumi {

void TElEditMulti::Raise(TData& data, uint16_t index) {
  if (outer != nullptr) Fire(outer->OnEvent.Get(index), data);
}

void TElEditMulti::OutData(TData& result, uint16_t index) {
  if (outer != nullptr) {
    PullRaw(result, outer->InData.Get(index));
  } else {
    result.SetBreak();
  }
}

}  // namespace lumi
