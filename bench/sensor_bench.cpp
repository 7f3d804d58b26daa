#include <benchmark/benchmark.h>

#include "platform/linux/linux_memory.h"
#include "platform/linux/linux_processors.h"

namespace {

using lumi::platform::linux_backend::LinuxMemory;
using lumi::platform::linux_backend::LinuxProcessors;

// What the sensor hub asks of the system once per work cycle: one processor sample
// and one memory status.
void BM_SensorSample(benchmark::State& state) {
  LinuxProcessors processors;
  LinuxMemory memory;
  for (auto _ : state) {
    benchmark::DoNotOptimize(processors.Sample());
    benchmark::DoNotOptimize(memory.Read());
  }
}
BENCHMARK(BM_SensorSample);

void BM_ProcessorSample(benchmark::State& state) {
  LinuxProcessors processors;
  for (auto _ : state) benchmark::DoNotOptimize(processors.Sample());
}
BENCHMARK(BM_ProcessorSample);

void BM_MemoryRead(benchmark::State& state) {
  LinuxMemory memory;
  for (auto _ : state) benchmark::DoNotOptimize(memory.Read());
}
BENCHMARK(BM_MemoryRead);

}  // namespace
