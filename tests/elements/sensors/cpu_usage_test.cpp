#include "elements/sensors/cpu_usage.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

#include "platform/sensors.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using platform::ProcessorTimes;
using Times = std::vector<ProcessorTimes>;

// Hands out the queued samples in turn, then keeps repeating the last one.
class FakeProcessors final : public platform::Processors {
 public:
  std::deque<Times> samples;
  Times last;
  int32_t count = 0;
  int32_t Count() override { return count; }
  Times Sample() override {
    if (!samples.empty()) {
      last = samples.front();
      samples.pop_front();
    }
    return last;
  }
};

class CpuUsageTest : public test::RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    platform::Current().processors = &processors;
  }

  std::unique_ptr<TElCPUUsage> Make() {
    auto cpu = std::make_unique<TElCPUUsage>();
    cpu->OnLoad = test::ToProbe(&probe);
    return cpu;
  }

  // Measure as a link would call it, so that the tail call runs.
  double Measure(TElCPUUsage& cpu) {
    FireNull(Link<&TElCPUUsage::Measure>(&cpu));
    EXPECT_EQ(probe.Last().type, DataType::Real);
    return probe.Last().real;
  }

  FakeProcessors processors;
  test::Probe probe;
};

// One processor plus the total, both with the same counters.
Times Both(uint64_t busy, uint64_t total) { return {{busy, total}, {busy, total}}; }

TEST_F(CpuUsageTest, LoadIsTheBusyShareBetweenTheLastTwoSamples) {
  processors.samples = {Both(25, 100), Both(25, 100), Both(26, 108), Both(53, 308), Both(153, 408)};
  auto cpu = Make();
  // The first reading is the average since boot, not a spurious 100.
  EXPECT_EQ(Measure(*cpu), 25.0);
  EXPECT_EQ(Measure(*cpu), 0.0);    // two samples of the same moment
  EXPECT_EQ(Measure(*cpu), 12.0);   // 1 of 8: 12.5 goes to the even neighbour
  EXPECT_EQ(Measure(*cpu), 14.0);   // 27 of 200: 13.5 goes to the even neighbour
  EXPECT_EQ(Measure(*cpu), 100.0);  // all busy
  EXPECT_EQ(probe.Count(), 5u);
}

TEST_F(CpuUsageTest, CountersRunningBackwardsCountAsNoChange) {
  processors.samples = {Both(500, 1000), Both(100, 1100), Both(110, 1090), Both(110, 1090)};
  auto cpu = Make();
  Measure(*cpu);
  // Busy restarted lower, idle grew: no negative load, reported as 0.
  EXPECT_EQ(Measure(*cpu), 0.0);
  // Busy +10 while idle went back by 20 (iowait jitter): the idle step counts as none.
  EXPECT_EQ(Measure(*cpu), 100.0);
  // A total below busy (garbled) is not read as a huge idle time.
  processors.samples = {Both(200, 100)};
  EXPECT_EQ(Measure(*cpu), 100.0);
}

TEST_F(CpuUsageTest, ProcessorSelectsAnEntryAndTheCountSelectsTheTotal) {
  processors.count = 2;
  processors.samples = {{{10, 100}, {90, 100}, {100, 200}}};
  auto cpu = Make();

  TData count;
  Read(Link<&TElCPUUsage::OutProcessorCount>(cpu.get()), count);
  EXPECT_EQ(count.type, DataType::Integer);
  EXPECT_EQ(count.integer, 2);

  FireCopy(Link<&TElCPUUsage::SetProcessor>(cpu.get()), count);
  EXPECT_EQ(cpu->Processor, 2);
  EXPECT_EQ(Measure(*cpu), 50.0);

  FireString(Link<&TElCPUUsage::SetProcessor>(cpu.get()), "1");
  processors.samples = {{{10, 200}, {180, 200}, {190, 400}}};
  EXPECT_EQ(Measure(*cpu), 90.0);

  for (int32_t outside : {-1, 3, 1000}) {
    cpu->Processor = outside;
    EXPECT_EQ(Measure(*cpu), 0.0) << outside;
  }

  // A processor came online: the total is still compared with the previous total.
  processors.samples = {{{10, 200}, {180, 200}, {10, 20}, {200, 420}}};
  cpu->Processor = 3;
  EXPECT_EQ(Measure(*cpu), 50.0);

  // No statistics at all.
  processors.samples = {Times()};
  cpu->Processor = 0;
  EXPECT_EQ(Measure(*cpu), 0.0);
}

TEST_F(CpuUsageTest, OneSamplerForAllInstances) {
  processors.samples = {Both(10, 100), Both(30, 200), Both(40, 300)};
  {
    auto first = Make();
    auto second = Make();
    EXPECT_EQ(Measure(*first), 10.0);
    // The second instance's first reading compares with the first instance's sample.
    EXPECT_EQ(Measure(*second), 20.0);
    EXPECT_EQ(Measure(*first), 10.0);
  }
  // With every instance gone the sampler starts again from the counters since boot.
  processors.samples = {Both(50, 400)};
  auto again = Make();
  EXPECT_EQ(Measure(*again), 12.0);  // 12.5
}

}  // namespace
}  // namespace lumi
