#include "elements/compute/hub.h"

#include <gtest/gtest.h>

#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using test::Chain;
using test::Probe;
using test::ToProbe;
using HubTest = test::RuntimeTest;

// Ends its work by replacing the value it was handed, as any element downstream may.
class Replacer : public TElement {
 public:
  TData with;
  TEl_Event OnNext;
  void Take(TData& data, uint16_t) { TailData(data, OnNext, with); }
};

TEST_F(HubTest, EachOutputGetsItsOwnCopyInOrder) {
  TElHub hub;
  hub.SetOutCount(2);
  Replacer replacer;
  replacer.with = TData::Integer(99);
  Probe probe;
  hub.OnPass[0] = Link<&Replacer::Take>(&replacer);
  replacer.OnNext = ToProbe(&probe, 0);
  hub.OnPass[1] = ToProbe(&probe, 1);

  TData in = Chain({TData::Integer(7), TData::Integer(8)});
  Fire(Link<&TElHub::Pass>(&hub, 1), in);

  ASSERT_EQ(probe.Count(), 2u);
  EXPECT_EQ(probe.indices, (std::vector<uint16_t>{0, 1}));
  EXPECT_EQ(probe.received[0].AsInteger(), 99);
  // The second output still sees the value and chain that came into Pass.
  EXPECT_EQ(probe.received[1].AsInteger(), 7);
  EXPECT_EQ(ChainLength(probe.received[1]), 2);
  // And so does the caller.
  EXPECT_EQ(in.AsInteger(), 7);
  EXPECT_EQ(ChainLength(in), 2);
}

}  // namespace
}  // namespace lumi
