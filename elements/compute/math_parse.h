#pragma once

#include <cstdint>
#include <vector>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

class MathEvaluation;

// Evaluates an arithmetic expression over real numbers whose operands may be
// arguments pulled through data points: "%1" is InArg[0], "%0" the last result.
class TElMathParse : public TElement {
 public:
  Text MathStr;
  int32_t ArgCount = 0;
  double Default = 0.0;    // the result until a first successful evaluation, and after a failed one
  bool AngleMode = false;  // false: radians; true: degrees
  uint8_t ResultType = 0;  // 0: results go out as Integers, otherwise as Reals

  EventArray InArg;
  TEl_Event OnResult;
  TEl_Event OnError;  // the error code; when unlinked, the error is shown in a message box

  void SetArgCount(int32_t count);
  void SetDefault(double value);

  void Calc(TData& data, uint16_t index);

  // The last result, or, after a failed evaluation, a NULL record carrying the error
  // code and the text "MathParse Exception", by which another evaluator reading it
  // through an argument fails the same way.
  void OutResult(TData& data, uint16_t index);

 private:
  friend class MathEvaluation;

  struct ArgSlot {
    double value = 0.0;
    bool fetched = false;
  };

  void Report(TData& data, int code, int64_t position);

  std::vector<ArgSlot> args_;  // lives for one Calc: each argument is pulled once
  double result_ = 0.0;
  bool has_result_ = false;  // false before the first evaluation and after a failed one
  int16_t error_ = -1;       // code of the last evaluation's error, -1 when it succeeded
  bool busy_ = false;
};

}  // namespace lumi
