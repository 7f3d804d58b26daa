#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Answers reads from the one of Count inputs that was last selected.
class TElGetIndexData : public TElement {
 public:
  int32_t Count = 0;
  EventArray InData;

  void SetCount(int32_t count);  // sizes InData

  // A number outside 0..Count-1 selects nothing, and OutData then answers NULL.
  void SelectIndex(TData& data, uint16_t index);
  void OutData(TData& result, uint16_t index);

  int32_t Selected() const { return selected_; }

 private:
  int32_t selected_ = 0;  // -1: nothing selected
};

}  // namespace lumi
