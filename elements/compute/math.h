#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Two-operand arithmetic, chosen by OpType.
class TElMath : public TElement {
 public:
  static constexpr uint8_t kAdd = 0;
  static constexpr uint8_t kSubtract = 1;
  static constexpr uint8_t kMultiply = 2;
  static constexpr uint8_t kDivide = 3;
  // ResultType: integers (rounded half to even) or reals.
  static constexpr uint8_t kInteger = 0;
  static constexpr uint8_t kReal = 1;

  uint8_t OpType = kAdd;
  double Op1 = 0.0;
  double Op2 = 0.0;
  double Default = 0.0;    // the result of an operation that gives no number
  uint8_t ResultType = 0;  // 0 integer (rounded half to even), anything else real
  bool AngleMode = false;
  TEl_Event OnResult;
  TEl_Event InOp1;
  TEl_Event InOp2;

  void SetDefault(double value);  // also becomes the current result
  void SetAngleMode(bool degrees);

  // Pulls Op1 before Op2. Division by zero and an unknown OpType give Default rather
  // than an infinity or NaN, which no integer reader could make sense of.
  void Calc(TData& data, uint16_t index);

  double Result() const { return result_; }
  double AngleFactor() const { return angle_factor_; }

 private:
  double result_ = 0.0;
  double angle_factor_ = 1.0;  // radians per unit of angle; no operation uses it yet
};

}  // namespace lumi
