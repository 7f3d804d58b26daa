// The text and arithmetic elements on the work cycle's path.
#include <benchmark/benchmark.h>

#include "elements/compute/format_str.h"
#include "elements/compute/math_parse.h"
#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {
namespace {

class Bits : public TElement {
 public:
  int32_t values[8] = {1, 0, 0, 1, 0, 0, 0, 1};
  void Out(TData& result, uint16_t index) { result.SetInteger(values[index]); }
};

// The frame builder's mask: "0" and seven channel states.
void FormatStrFrameMask(benchmark::State& state) {
  EnableDispatchers();
  Bits bits;
  TElFormatStr format;
  format.Mask = "0%1%2%3%4%5%6%7";
  format.SetCount(7);
  for (uint16_t k = 0; k < 7; ++k) format.InStr[k] = Link<&Bits::Out>(&bits, k);
  for (auto _ : state) {
    TData d;
    format.Format(d, 0);
    benchmark::DoNotOptimize(d);
  }
}
BENCHMARK(FormatStrFrameMask);

class Sizes : public TElement {
 public:
  void Total(TData& result, uint16_t) { result.SetInteger(262144); }
  void Used(TData& result, uint16_t) { result.SetInteger(65536); }
};

// A used share in percent, as the disk and memory conditions compute it.
void MathParsePercentage(benchmark::State& state) {
  EnableDispatchers();
  Sizes sizes;
  TElMathParse parse;
  parse.MathStr = "(%2/%1)*100";
  parse.SetArgCount(2);
  parse.ResultType = 1;
  parse.InArg[0] = Link<&Sizes::Total>(&sizes);
  parse.InArg[1] = Link<&Sizes::Used>(&sizes);
  for (auto _ : state) {
    TData d;
    parse.Calc(d, 0);
    benchmark::DoNotOptimize(d);
  }
}
BENCHMARK(MathParsePercentage);

}  // namespace
}  // namespace lumi
