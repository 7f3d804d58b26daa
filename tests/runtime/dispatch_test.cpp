#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/event.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using test::Chain;
using test::FromSource;
using test::Probe;
using test::Source;
using test::ToProbe;

// Adds one and passes the value on by a tail call.
class Increment : public TElement {
 public:
  TEl_Event OnResult;
  int calls = 0;
  void Add(TData& data, uint16_t) {
    ++calls;
    TailInteger(data, OnResult, data.AsInteger() + 1);
  }
};

class DispatchTest : public test::RuntimeTest {};

TEST_F(DispatchTest, UnlinkedPointsDoNothing) {
  TEl_Event unlinked;
  FireInteger(unlinked, 1);
  TData d = TData::Integer(3);
  Fire(unlinked, d);
  EXPECT_EQ(d.integer, 3);

  // A handler whose tail call leads nowhere runs once and the dispatch ends.
  Increment inc;
  TEl_Event point = Link<&Increment::Add>(&inc);
  TData value = TData::Integer(1);
  Fire(point, value);
  EXPECT_EQ(inc.calls, 1);
  EXPECT_EQ(value.integer, 2);
  EXPECT_EQ(value.tail, nullptr);
}

TEST_F(DispatchTest, TailChainRunsInsideOneDispatch) {
  Increment a, b, c;
  Probe end;
  a.OnResult = Link<&Increment::Add>(&b);
  b.OnResult = Link<&Increment::Add>(&c);
  c.OnResult = ToProbe(&end, 7);
  TEl_Event start = Link<&Increment::Add>(&a);

  TData record = TData::Integer(10);
  Fire(start, record);
  EXPECT_EQ(record.integer, 13);  // the caller's record holds the last value
  ASSERT_EQ(end.Count(), 1u);
  EXPECT_EQ(end.Last().integer, 13);
  EXPECT_EQ(end.indices[0], 7);

  TData untouched = TData::Integer(10);
  FireCopy(start, untouched);
  EXPECT_EQ(untouched.integer, 10);
  EXPECT_EQ(end.Last().integer, 13);
}

// Records how deep the stack is at every hop.
class StackProbe : public TElement {
 public:
  TEl_Event OnNext;
  uintptr_t lowest = UINTPTR_MAX, highest = 0;
  int hops = 0;
  void Hop(TData& data, uint16_t) {
    volatile char here = 0;
    auto address = reinterpret_cast<uintptr_t>(&here);
    lowest = std::min(lowest, address);
    highest = std::max(highest, address);
    ++hops;
    MarkTail(data, OnNext);
  }
};

TEST_F(DispatchTest, HundredThousandTailHopsKeepTheStackFlat) {
  constexpr int kHops = 100000;
  std::vector<std::unique_ptr<StackProbe>> chain;
  for (int i = 0; i < kHops; ++i) chain.push_back(std::make_unique<StackProbe>());
  for (int i = 0; i + 1 < kHops; ++i) chain[i]->OnNext = Link<&StackProbe::Hop>(chain[i + 1].get());

  TData d = TData::Integer(1);
  Fire(Link<&StackProbe::Hop>(chain[0].get()), d);

  uintptr_t lowest = UINTPTR_MAX, highest = 0;
  int hops = 0;
  for (auto& p : chain) {
    lowest = std::min(lowest, p->lowest);
    highest = std::max(highest, p->highest);
    hops += p->hops;
  }
  EXPECT_EQ(hops, kHops);
  // Nested calls would take megabytes here; a flat loop keeps every hop at one depth.
  EXPECT_LT(highest - lowest, 4096u);
}

TEST_F(DispatchTest, FireVariantsCarryTheirValue) {
  Probe probe;
  TEl_Event p = ToProbe(&probe);
  FireNull(p);
  FireInteger(p, -4);
  FireString(p, "x");
  FireReal(p, 1.5);
  ASSERT_EQ(probe.Count(), 4u);
  EXPECT_TRUE(probe.received[0].IsNull());
  EXPECT_EQ(probe.received[1].integer, -4);
  EXPECT_EQ(probe.received[2].text, "x");
  EXPECT_EQ(probe.received[3].real, 1.5);
}

TEST_F(DispatchTest, TailSettersAndTheChain) {
  TEl_Event point;
  TData d = Chain({TData::Integer(1), TData::Integer(2)});
  TailNull(d, point);
  EXPECT_TRUE(d.IsNull());
  EXPECT_NE(d.next, nullptr);  // TailNull leaves the chain
  EXPECT_EQ(d.tail, &point);
  TailInteger(d, point, 5);
  EXPECT_EQ(d.next, nullptr);
  TData v = Chain({TData::String("a"), TData::String("b")});
  TailData(d, point, v);
  EXPECT_EQ(ChainLength(d), 2);  // TailData takes the value's chain
  d = Chain({TData::Integer(1), TData::Integer(2)});
  MarkTail(d, point);
  EXPECT_EQ(ChainLength(d), 2);
}

TEST_F(DispatchTest, PullFallsBackToDefaultOrIncomingChain) {
  TEl_Event unlinked;
  TData incoming = Chain({TData::Integer(11), TData::Integer(22)});
  EXPECT_EQ(PullInteger(incoming, unlinked, 5), 5);
  EXPECT_EQ(ChainLength(incoming), 2);  // a default leaves the chain intact

  EXPECT_EQ(PullInteger(incoming, unlinked, 0), 11);  // 0 counts as no default
  EXPECT_EQ(ChainLength(incoming), 1);
  EXPECT_EQ(incoming.integer, 22);
  EXPECT_EQ(PullString(incoming, unlinked, ""), "22");
  EXPECT_TRUE(incoming.IsNull());
  EXPECT_EQ(PullReal(incoming, unlinked, 0.0), 0.0);  // NULL stays NULL

  TData fallback = TData::String("dflt");
  EXPECT_EQ(PullData(incoming, unlinked, &fallback).text, "dflt");
  TData null_default;
  incoming = TData::Integer(9);
  EXPECT_EQ(PullData(incoming, unlinked, &null_default).integer, 9);
}

TEST_F(DispatchTest, LinkedPointAnswersAndBreakFallsBack) {
  Source source(TData::Integer(42));
  TEl_Event linked = FromSource(&source);
  TData incoming = TData::Integer(1);
  EXPECT_EQ(PullInteger(incoming, linked, 5), 42);
  EXPECT_EQ(incoming.integer, 1);

  source.value = TData();  // a linked NULL answer is NULL, not the default
  EXPECT_EQ(PullInteger(incoming, linked, 5), 0);

  source.value = TData::Break();  // Break falls back exactly like an unlinked point
  EXPECT_EQ(PullInteger(incoming, linked, 5), 5);
  EXPECT_EQ(PullInteger(incoming, linked, 0), 1);
  EXPECT_TRUE(incoming.IsNull());

  TData raw;
  PullRaw(raw, TEl_Event{});
  EXPECT_TRUE(raw.IsBreak());
  EXPECT_EQ(PullIntegerRaw(TEl_Event{}), 0);
  EXPECT_EQ(PullArray(linked), nullptr);
}

TEST_F(DispatchTest, PopValueShiftsTheChain) {
  TData incoming = Chain({TData::Integer(1), TData::Integer(2), TData::Integer(3)});
  EXPECT_EQ(PopValue(incoming).integer, 1);
  EXPECT_EQ(PopValue(incoming).integer, 2);
  EXPECT_EQ(PopValue(incoming).integer, 3);
  EXPECT_TRUE(PopValue(incoming).IsNull());
}

TEST_F(DispatchTest, NothingRunsWhileDispatchersAreOff) {
  DisableDispatchers();
  Probe probe;
  Source source(TData::Integer(42));
  FireInteger(ToProbe(&probe), 1);
  TData d = TData::Integer(1);
  Fire(ToProbe(&probe), d);
  EXPECT_EQ(probe.Count(), 0u);
  TData incoming;
  EXPECT_EQ(PullInteger(incoming, FromSource(&source), 5), 0);  // the answer stays NULL
  EXPECT_EQ(source.reads, 0);
}

class Starter : public TElement {
 public:
  std::vector<int>* log = nullptr;
  int id = 0;
  void Init() { log->push_back(id); }
};

TEST_F(DispatchTest, DeferredStartUpRunsInOrderOnce) {
  ResetRuntime();
  std::vector<int> log;
  Starter a, b;
  a.log = b.log = &log;
  a.id = 1;
  b.id = 2;
  RegisterInit<&Starter::Init>(&a);
  RegisterInit<&Starter::Init>(&b);
  EXPECT_FALSE(IsStarted());
  RunInits();
  RunInits();
  EXPECT_EQ(log, (std::vector<int>{1, 2}));
  EXPECT_TRUE(IsStarted());
}

TEST(EventArray, LinkingPastTheEndIsAWiringFault) {
  EventArray points;
  points.Resize(2);
  EXPECT_THROW(points[2] = TEl_Event{}, std::out_of_range);
  EXPECT_FALSE(points.Get(5).IsLinked());
}

}  // namespace
}  // namespace lumi
