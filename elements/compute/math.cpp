#include "elements/compute/math.h"

#include <numbers>

#include "runtime/number_text.h"

namespace lumi {

void TElMath::SetDefault(double value) {
  Default = value;
  result_ = value;
}

void TElMath::SetAngleMode(bool degrees) {
  AngleMode = degrees;
  angle_factor_ = degrees ? std::numbers::pi / 180.0 : 1.0;
}

void TElMath::Calc(TData& data, uint16_t) {
  const double a = PullReal(data, InOp1, Op1);
  const double b = PullReal(data, InOp2, Op2);
  switch (OpType) {
    case 0: result_ = a + b; break;
    case 1: result_ = a - b; break;
    case 2: result_ = a * b; break;
    case 3: result_ = b == 0.0 ? Default : a / b; break;
    default: result_ = Default; break;
  }
  if (ResultType == 0) {
    FireInteger(OnResult, RealToInteger(result_));
  } else {
    FireReal(OnResult, result_);
  }
}

}  // namespace lumi
