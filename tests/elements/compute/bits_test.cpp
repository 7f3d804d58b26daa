#include <gtest/gtest.h>

#include <vector>

#include "elements/compute/int_to_bits.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using test::Chain;
using test::FromSource;
using test::Probe;
using test::Source;
using test::ToProbe;
using BitsTest = test::RuntimeTest;

using test::Int;

void Split(TElIntToBits& bits, TData in) { Fire(Link<&TElIntToBits::Split>(&bits), in); }

// Each bit point linked to the same probe under its own number.
void LinkAll(TElIntToBits& bits, Probe& probe, const TEl_Event* replace_first = nullptr) {
  for (uint16_t i = 0; i < bits.Count; ++i) bits.OnBit[i] = ToProbe(&probe, i);
  if (replace_first != nullptr) bits.OnBit[0] = *replace_first;
}

std::vector<int32_t> Values(const Probe& probe) {
  std::vector<int32_t> out;
  for (const TData& v : probe.received) out.push_back(v.AsInteger());
  return out;
}

TEST_F(BitsTest, SplitsLeastSignificantFirst) {
  TElIntToBits bits;
  bits.SetCount(7);
  bits.Zero = Int(0);
  bits.One = Int(1);
  bits.SendZeros = true;
  Probe probe;
  LinkAll(bits, probe);

  Split(bits, Int(0x85));  // bit 7 lies past Count and is never looked at
  EXPECT_EQ(probe.indices, (std::vector<uint16_t>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Values(probe), (std::vector<int32_t>{1, 0, 1, 0, 0, 0, 0}));

  Probe ones;
  bits.SendZeros = false;
  LinkAll(bits, ones);
  Split(bits, Int(0x85));
  EXPECT_EQ(ones.indices, (std::vector<uint16_t>{0, 2}));

  // Unlinked InValue takes the head of the chain; a text is read as a number.
  Probe from_chain;
  LinkAll(bits, from_chain);
  Split(bits, Chain({TData::String("6"), Int(1)}));
  EXPECT_EQ(from_chain.indices, (std::vector<uint16_t>{1, 2}));

  Source linked(Int(8));
  bits.InValue = FromSource(&linked);
  Probe from_source;
  LinkAll(bits, from_source);
  Split(bits, Int(1));
  EXPECT_EQ(from_source.indices, (std::vector<uint16_t>{3}));
}

// Replaces the value it gets, as a downstream chain may.
class Spoiler : public TElement {
 public:
  TElIntToBits* bits = nullptr;
  bool stop = false;
  void Take(TData& data, uint16_t) {
    data.SetInteger(555);
    if (stop) bits->Stop(data, 0);
  }
};

TEST_F(BitsTest, EveryBitGetsAFreshValueAndStopEndsTheSplit) {
  TElIntToBits bits;
  bits.SetCount(3);
  bits.Zero = Int(0);
  bits.One = Int(1);
  bits.SendZeros = true;
  Spoiler spoiler;
  spoiler.bits = &bits;
  TEl_Event to_spoiler = Link<&Spoiler::Take>(&spoiler);
  Probe probe;
  LinkAll(bits, probe, &to_spoiler);
  Split(bits, Int(7));
  EXPECT_EQ(probe.indices, (std::vector<uint16_t>{1, 2}));
  EXPECT_EQ(Values(probe), (std::vector<int32_t>{1, 1}));
  EXPECT_EQ(bits.One.AsInteger(), 1);

  spoiler.stop = true;
  Probe after_stop;
  LinkAll(bits, after_stop, &to_spoiler);
  Split(bits, Int(7));
  EXPECT_EQ(after_stop.Count(), 0u);

  // The next split starts afresh.
  spoiler.stop = false;
  Split(bits, Int(7));
  EXPECT_EQ(after_stop.Count(), 2u);
}

TEST_F(BitsTest, BitsPastThe32OfAnIntegerAreZero) {
  TElIntToBits bits;
  bits.SetCount(40);
  bits.Zero = Int(0);
  bits.One = Int(1);
  bits.SendZeros = true;
  Probe probe;
  LinkAll(bits, probe);
  Split(bits, Int(-1));
  std::vector<int32_t> expected(40, 0);
  for (int i = 0; i < 32; ++i) expected[static_cast<size_t>(i)] = 1;
  EXPECT_EQ(Values(probe), expected);
}

}  // namespace
}  // namespace lumi
