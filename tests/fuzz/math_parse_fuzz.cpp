// Any expression text ends in a result or in error 0 or 1: no crash, no hang, no
// stack exhaustion, whatever the bytes.
#include <cstdint>
#include <cstdlib>

#include "elements/compute/math_parse.h"
#include "runtime/element.h"
#include "runtime/event.h"

namespace {

// Takes the result or the error code; checks the code, shows nothing.
class Sink : public lumi::TElement {
 public:
  void Take(lumi::TData&, uint16_t) {}
  void TakeError(lumi::TData& data, uint16_t) {
    if (data.type != lumi::DataType::Integer || (data.integer != 0 && data.integer != 1)) std::abort();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  static const bool started = [] {
    lumi::EnableDispatchers();
    return true;
  }();
  (void)started;
  static Sink sink;

  lumi::TElMathParse parse;
  parse.SetArgCount(2);
  parse.MathStr.assign(reinterpret_cast<const char*>(bytes), size);
  parse.OnResult = lumi::Link<&Sink::Take>(&sink);
  parse.OnError = lumi::Link<&Sink::TakeError>(&sink);
  const lumi::TEl_Event calc = lumi::Link<&lumi::TElMathParse::Calc>(&parse);

  // Integers in radians first; then reals in degrees, with %0 left by the first run.
  // The unlinked arguments take their values from the incoming chain.
  for (int run = 0; run < 2; ++run) {
    parse.ResultType = static_cast<uint8_t>(run);
    parse.AngleMode = run == 1;
    lumi::TData incoming = lumi::TData::Real(3);
    lumi::AppendChain(incoming, lumi::TData::Integer(run == 0 ? 0 : -2));
    lumi::Fire(calc, incoming);
  }
  return 0;
}
