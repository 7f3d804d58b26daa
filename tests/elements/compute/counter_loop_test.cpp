#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <vector>

#include "elements/compute/counter.h"
#include "elements/compute/for_loop.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using test::Chain;
using test::FromSource;
using test::Probe;
using test::Source;
using test::ToProbe;
using CounterTest = test::RuntimeTest;
using ForTest = test::RuntimeTest;

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

using test::Int;

using test::Call;

int32_t CountOf(TElCounter& counter) {
  TData out;
  counter.OutCount(out, 0);
  return out.AsInteger();
}

// Sends Next (or Prev) and answers what OnCount carried, or nothing.
std::vector<int32_t> StepOnce(TElCounter& counter, bool next = true) {
  Probe probe;
  counter.OnCount = ToProbe(&probe);
  TData d;
  if (next) {
    Call<&TElCounter::Next>(&counter, d);
  } else {
    Call<&TElCounter::Prev>(&counter, d, 1);
  }
  std::vector<int32_t> seen;
  for (const TData& v : probe.received) seen.push_back(v.AsInteger());
  return seen;
}

TEST_F(CounterTest, WrapsToTheOppositeBound) {
  TElCounter counter;
  counter.Min = 0;
  counter.Max = 14;
  counter.Step = 1;
  counter.Default = 13;
  EXPECT_EQ(CountOf(counter), 13);  // the default until the first change
  EXPECT_EQ(StepOnce(counter), std::vector<int32_t>{14});
  EXPECT_EQ(StepOnce(counter), std::vector<int32_t>{0});
  EXPECT_EQ(StepOnce(counter, false), std::vector<int32_t>{14});  // Prev below Min

  counter.Step = 5;
  TData twelve = Int(12);
  Call<&TElCounter::SetCount>(&counter, twelve, 3);
  EXPECT_EQ(CountOf(counter), 12);
  EXPECT_EQ(StepOnce(counter), std::vector<int32_t>{0});  // not 3

  // Counting down swaps the roles of Next and Prev, and of the bounds in Reset.
  counter.Direction = 1;
  counter.Step = 1;
  EXPECT_EQ(StepOnce(counter), std::vector<int32_t>{14});
  EXPECT_EQ(StepOnce(counter, false), std::vector<int32_t>{0});
  TData d;
  Call<&TElCounter::Reset>(&counter, d, 2);
  EXPECT_EQ(CountOf(counter), 14);
  counter.Direction = 0;
  Call<&TElCounter::Reset>(&counter, d, 2);
  EXPECT_EQ(CountOf(counter), 0);
}

TEST_F(CounterTest, SilentChangesAndTheFullIntegerRange) {
  TElCounter counter;
  counter.Min = 1;
  counter.Max = 100;
  counter.Step = 1;
  Probe probe;
  counter.OnCount = ToProbe(&probe);
  TData text = TData::String("250");
  Call<&TElCounter::SetCount>(&counter, text, 3);  // no bounds check, no event
  TData d;
  Call<&TElCounter::Reset>(&counter, d, 2);
  EXPECT_EQ(probe.Count(), 0u);
  EXPECT_EQ(CountOf(counter), 1);
  Call<&TElCounter::SetCount>(&counter, text, 3);
  EXPECT_EQ(CountOf(counter), 250);

  // Stepping past the 32-bit range wraps to the other bound, not round the integers.
  TElCounter wide;
  wide.Min = kMin;
  wide.Max = kMax;
  wide.Step = kMax;
  wide.Default = kMax;
  EXPECT_EQ(StepOnce(wide), std::vector<int32_t>{kMin});
  EXPECT_EQ(StepOnce(wide, false), std::vector<int32_t>{kMax});
}

// Records the passes of a loop and stops it at a chosen index.
class StopAt : public TElement {
 public:
  TElFor* loop = nullptr;
  std::optional<int32_t> at;
  std::vector<int32_t> seen;
  std::vector<int32_t> read_back;
  void Take(TData& data, uint16_t) {
    seen.push_back(data.AsInteger());
    TData index;
    loop->OutIndex(index, 0);
    read_back.push_back(index.AsInteger());
    if (data.AsInteger() == at) loop->Stop(data, 0);
  }
};

struct Outcome {
  std::vector<int32_t> passes;
  std::vector<TData> stop;
  std::vector<TData> brk;
};

Outcome RunLoop(TElFor& loop, TData in = {}, std::optional<int32_t> stop_at = std::nullopt) {
  StopAt passes;
  passes.loop = &loop;
  passes.at = stop_at;
  Probe stop, brk;
  loop.OnIteration = Link<&StopAt::Take>(&passes);
  loop.OnStop = ToProbe(&stop);
  loop.OnBreak = ToProbe(&brk);
  Call<&TElFor::Run>(&loop, in);
  EXPECT_EQ(passes.seen, passes.read_back);  // OutIndex follows the passes
  return {passes.seen, stop.received, brk.received};
}

TEST_F(ForTest, CountsAndEndsOnStop) {
  TElFor loop;
  loop.End = 3;
  loop.Step = 1;
  Outcome o = RunLoop(loop);
  EXPECT_EQ(o.passes, (std::vector<int32_t>{0, 1, 2}));
  ASSERT_EQ(o.stop.size(), 1u);
  EXPECT_EQ(o.stop[0].AsInteger(), 3);

  loop.IncludeEnd = true;
  EXPECT_EQ(RunLoop(loop).passes, (std::vector<int32_t>{0, 1, 2, 3}));

  loop.Start = 5;
  o = RunLoop(loop);
  EXPECT_TRUE(o.passes.empty());
  EXPECT_EQ(o.stop.at(0).AsInteger(), 5);

  loop.Step = -2;
  loop.End = 0;
  o = RunLoop(loop);
  EXPECT_EQ(o.passes, (std::vector<int32_t>{5, 3, 1}));
  EXPECT_EQ(o.stop.at(0).AsInteger(), -1);
  loop.IncludeEnd = false;
  loop.End = 1;
  EXPECT_EQ(RunLoop(loop).passes, (std::vector<int32_t>{5, 3}));

  loop.Step = 0;
  o = RunLoop(loop);
  EXPECT_TRUE(o.passes.empty());
  EXPECT_EQ(o.stop.at(0).AsInteger(), 5);
}

TEST_F(ForTest, StopEndsOnBreakOrOnStopWithTheLastPass) {
  TElFor loop;
  loop.End = 10;
  loop.Step = 1;
  Outcome o = RunLoop(loop, {}, 2);
  EXPECT_EQ(o.passes, (std::vector<int32_t>{0, 1, 2}));
  ASSERT_EQ(o.stop.size(), 1u);
  EXPECT_EQ(o.stop[0].AsInteger(), 2);

  loop.BreakEvent = true;
  o = RunLoop(loop, {}, 2);
  EXPECT_TRUE(o.stop.empty());
  ASSERT_EQ(o.brk.size(), 1u);
  EXPECT_TRUE(o.brk[0].IsNull());

  // The stop flag belongs to one run: the next run goes the whole way.
  o = RunLoop(loop);
  EXPECT_EQ(o.passes.size(), 10u);
  EXPECT_EQ(o.stop.size(), 1u);
}

TEST_F(ForTest, BoundsFromTheChainOnlyWithPassData) {
  TElFor loop;
  loop.Step = 1;
  loop.End = 1;
  // Without PassData the incoming chain is dropped: Start 0 and End 1 apply.
  EXPECT_EQ(RunLoop(loop, Chain({Int(2), Int(4)})).passes, (std::vector<int32_t>{0}));

  // With it, an unlinked start with Start 0 reads the head; End is a default, so
  // the second value is left.
  loop.PassData = true;
  loop.End = 0;
  EXPECT_EQ(RunLoop(loop, Chain({Int(2), Int(4)})).passes, (std::vector<int32_t>{2, 3}));
  loop.End = 3;
  EXPECT_EQ(RunLoop(loop, Chain({Int(1), Int(9)})).passes, (std::vector<int32_t>{1, 2}));

  Source start(Int(7)), end(Int(9));
  loop.InStart = FromSource(&start);
  loop.InEnd = FromSource(&end);
  Outcome o = RunLoop(loop, Int(0));
  EXPECT_EQ(o.passes, (std::vector<int32_t>{7, 8}));
  EXPECT_EQ(o.stop.at(0).AsInteger(), 9);
}

TEST_F(ForTest, EndsAtTheEdgesOfTheIntegerRange) {
  TElFor loop;
  loop.Start = kMax - 2;
  loop.End = kMax;
  loop.Step = 1;
  loop.IncludeEnd = true;
  Outcome o = RunLoop(loop);
  EXPECT_EQ(o.passes, (std::vector<int32_t>{kMax - 2, kMax - 1, kMax}));
  EXPECT_EQ(o.stop.at(0).AsInteger(), kMax);

  loop.Start = 0;
  loop.Step = kMax;
  EXPECT_EQ(RunLoop(loop).passes, (std::vector<int32_t>{0, kMax}));

  loop.Start = kMin + 1;
  loop.End = kMin;
  loop.Step = -1;
  o = RunLoop(loop);
  EXPECT_EQ(o.passes, (std::vector<int32_t>{kMin + 1, kMin}));
  EXPECT_EQ(o.stop.at(0).AsInteger(), kMin);

  loop.Start = kMax;
  loop.Step = kMin;
  EXPECT_EQ(RunLoop(loop).passes, (std::vector<int32_t>{kMax, -1}));
}

}  // namespace
}  // namespace lumi
