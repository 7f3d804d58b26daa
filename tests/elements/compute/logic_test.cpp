#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "elements/compute/case_element.h"
#include "elements/compute/if_else.h"
#include "elements/compute/switch_element.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using test::Chain;
using test::FromSource;
using test::Probe;
using test::Source;
using test::ToProbe;
using LogicTest = test::RuntimeTest;

using test::Int;
using test::Str;

using test::Call;

// Which branch an if-else took for the value: 1 true, 0 false, -1 none.
int Branch(TElIf_else& test, TData value) {
  Probe yes, no;
  test.OnTrue = ToProbe(&yes);
  test.OnFalse = ToProbe(&no);
  Call<&TElIf_else::Compare>(&test, value);
  if (yes.Count() + no.Count() != 1) return -1;
  return yes.Count() == 1 ? 1 : 0;
}

TEST_F(LogicTest, IfElsePullsOperandsFromTheChainButPassesItWhole) {
  TElIf_else test;
  test.Type = 1;
  test.Op2 = Int(5);
  Probe yes, after;
  test.OnTrue = ToProbe(&yes);
  yes.tail_to_next = true;
  yes.OnNext = ToProbe(&after);

  TData in = Chain({Int(3), Int(7)});
  Call<&TElIf_else::Compare>(&test, in);
  ASSERT_EQ(yes.Count(), 1u);
  ASSERT_EQ(ChainLength(yes.Last()), 2);
  EXPECT_EQ(yes.Last().AsInteger(), 3);
  EXPECT_EQ(yes.Last().next->AsInteger(), 7);
  EXPECT_EQ(after.Count(), 1u);  // the branch is a tail call

  // Without Op2 both operands come from the chain, first Op1 then Op2.
  TElIf_else both;
  both.Type = 1;
  EXPECT_EQ(Branch(both, Chain({Int(2), Int(9)})), 1);
  EXPECT_EQ(Branch(both, Chain({Int(9), Int(2)})), 0);
}

TEST_F(LogicTest, IfElseComparesByTheKindOfTheFirstOperand) {
  TElIf_else test;
  test.Op1 = Str("abc");
  test.Op2 = Str("ABC");
  for (auto [type, expected] :
       std::vector<std::pair<uint8_t, int>>{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 1}}) {
    test.Type = type;
    EXPECT_EQ(Branch(test, Int(0)), expected) << "type " << int{type};
  }

  // Linked operands win over the properties; the text "1" compares as an integer.
  Source a(Int(1)), b(Str("1"));
  test.InOp1 = FromSource(&a);
  test.InOp2 = FromSource(&b);
  test.Type = 0;
  EXPECT_EQ(Branch(test, Int(0)), 1);
  test.Type = 4;
  b.value = Int(14);
  EXPECT_EQ(Branch(test, Int(0)), 0);
}

TEST_F(LogicTest, CaseChainPicksTheFirstMatchingArm) {
  std::vector<std::unique_ptr<TElCase>> arms;
  Probe matched, fell_through;
  for (int32_t v = 0; v < 3; ++v) {
    auto arm = std::make_unique<TElCase>();
    arm->Value = Int(v);
    arm->OnMatch = ToProbe(&matched, static_cast<uint16_t>(v));
    if (!arms.empty()) arms.back()->OnNext = Link<&TElCase::Test>(arm.get());
    arms.push_back(std::move(arm));
  }
  arms[1]->DataOnMatch = Str("one");
  arms.back()->OnNext = ToProbe(&fell_through);

  TData in = Chain({Int(1), Str("rest")});
  Call<&TElCase::Test>(arms[0].get(), in);
  ASSERT_EQ(matched.Count(), 1u);
  EXPECT_EQ(matched.indices[0], 1);
  EXPECT_EQ(matched.Last().AsString(), "one");

  TData two = Int(2);  // DataOnMatch not set: NULL
  Call<&TElCase::Test>(arms[0].get(), two);
  ASSERT_EQ(matched.Count(), 2u);
  EXPECT_EQ(matched.indices[1], 2);
  EXPECT_TRUE(matched.Last().IsNull());

  // No arm matches: the last OnNext gets the value with its chain as it came in.
  TData none = Chain({Int(7), Str("rest")});
  Call<&TElCase::Test>(arms[0].get(), none);
  EXPECT_EQ(matched.Count(), 2u);
  ASSERT_EQ(fell_through.Count(), 1u);
  EXPECT_EQ(fell_through.Last().AsInteger(), 7);
  EXPECT_EQ(ChainLength(fell_through.Last()), 2);

  // NULL matches nothing numeric.
  TData null;
  Call<&TElCase::Test>(arms[0].get(), null);
  EXPECT_EQ(matched.Count(), 2u);
  EXPECT_EQ(fell_through.Count(), 2u);
}

TEST_F(LogicTest, SwitchTogglesAnnouncesAndResets) {
  TElSwitch sw;
  sw.OnValue = Int(1);
  sw.OffValue = Int(0);
  sw.SetDefault(true);
  Probe probe;
  sw.OnToggle = ToProbe(&probe, 0);
  sw.OnOn = ToProbe(&probe, 1);
  sw.OnOff = ToProbe(&probe, 2);
  TData out;
  sw.OutValue(out, 0);
  EXPECT_FALSE(sw.IsOn());
  EXPECT_EQ(out.AsInteger(), 0);

  TData in = Str("x");
  Call<&TElSwitch::Toggle>(&sw, in);
  EXPECT_EQ(probe.indices, (std::vector<uint16_t>{0, 1}));
  EXPECT_EQ(probe.received[0].AsInteger(), 1);
  EXPECT_EQ(probe.received[1].AsInteger(), 1);
  sw.OutValue(out, 0);
  EXPECT_EQ(out.AsInteger(), 1);

  TData r = Str("x");
  Call<&TElSwitch::Reset>(&sw, r, 1);
  EXPECT_EQ(probe.indices, (std::vector<uint16_t>{0, 1, 0, 2}));
  EXPECT_EQ(probe.received[2].AsInteger(), 0);
  EXPECT_EQ(probe.received[3].AsInteger(), 0);

  Call<&TElSwitch::Reset>(&sw, r, 1);  // already off
  EXPECT_EQ(probe.Count(), 4u);

  // A linked value source gives the value of the new state.
  Source on(Str("lit"));
  sw.InOnValue = FromSource(&on);
  Call<&TElSwitch::Toggle>(&sw, r);
  EXPECT_EQ(probe.Last().AsString(), "lit");
  sw.OutValue(out, 0);
  EXPECT_EQ(out.AsString(), "lit");
}

}  // namespace
}  // namespace lumi
