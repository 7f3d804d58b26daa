// What one hop through a point costs, next to the plain indirect call it stands for.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {
namespace {

class Counter : public TElement {
 public:
  int64_t sum = 0;
  TEl_Event OnNext;
  void Add(TData& d, uint16_t) { sum += d.integer; }
  void AddAndPass(TData& d, uint16_t) {
    sum += d.integer;
    MarkTail(d, OnNext);
  }
  void Answer(TData& d, uint16_t) {
    d.type = DataType::Integer;
    d.integer = 7;
  }
};

void PlainHandler(void* target, TData& d, uint16_t) { static_cast<Counter*>(target)->sum += d.integer; }

void PlainIndirectCall(benchmark::State& state) {
  Counter counter;
  Handler handler = &PlainHandler;
  benchmark::DoNotOptimize(handler);
  TData d = TData::Integer(1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(handler);  // keeps the call indirect
    handler(&counter, d, 0);
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(counter.sum);
}
BENCHMARK(PlainIndirectCall);

void DispatcherHop(benchmark::State& state) {
  EnableDispatchers();
  Counter counter;
  TEl_Event point = Link<&Counter::Add>(&counter);
  benchmark::DoNotOptimize(point);
  TData d = TData::Integer(1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(point);
    Fire(point, d);
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(counter.sum);
}
BENCHMARK(DispatcherHop);

void TailChainOf14Hops(benchmark::State& state) {
  EnableDispatchers();
  std::vector<std::unique_ptr<Counter>> chain;
  for (int i = 0; i < 14; ++i) chain.push_back(std::make_unique<Counter>());
  for (int i = 0; i + 1 < 14; ++i) chain[i]->OnNext = Link<&Counter::AddAndPass>(chain[i + 1].get());
  TEl_Event start = Link<&Counter::AddAndPass>(chain[0].get());
  TData d = TData::Integer(1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(start);
    Fire(start, d);
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(chain[13]->sum);
}
BENCHMARK(TailChainOf14Hops);

void PullIntegerOnLinkedPoint(benchmark::State& state) {
  EnableDispatchers();
  Counter provider;
  TEl_Event point = Link<&Counter::Answer>(&provider);
  TData incoming;
  for (auto _ : state) {
    benchmark::DoNotOptimize(point);
    benchmark::DoNotOptimize(PullInteger(incoming, point, 0));
  }
}
BENCHMARK(PullIntegerOnLinkedPoint);

}  // namespace
}  // namespace lumi
