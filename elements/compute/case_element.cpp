#include "elements/compute/case_element.h"

namespace lumi {

void TElCase::Test(TData& data, uint16_t) {
  TData kept = data;
  TData value = PopValue(data);
  if (Compare(value, Value, 0)) {
    FireCopy(OnMatch, DataOnMatch);
  } else {
    Fire(OnNext, kept);
  }
}

}  // namespace lumi
