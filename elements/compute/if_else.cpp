#include "elements/compute/if_else.h"

namespace lumi {

void TElIf_else::Compare(TData& data, uint16_t) {
  TData kept = data;
  TData a = PullData(data, InOp1, &Op1);
  TData b = PullData(data, InOp2, &Op2);
  TailData(data, lumi::Compare(a, b, Type) ? OnTrue : OnFalse, kept);
}

}  // namespace lumi
