#include <gtest/gtest.h>

#include <climits>

#include "elements/compute/delete_element.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using test::Probe;
using test::ToProbe;

class DeleteTest : public test::RuntimeTest {};

Text CutOf(const Text& text, int32_t position, int32_t count) {
  TElDelete cut;
  cut.Position = position;
  cut.Count = count;
  Probe probe;
  cut.OnResult = ToProbe(&probe);
  TData data = TData::String(text);
  Fire(Link<&TElDelete::Cut>(&cut), data);
  EXPECT_EQ(probe.Count(), 1u);
  return probe.Count() == 1 ? probe.Last().text : "<none>";
}

TEST_F(DeleteTest, CutKeepsEveryRangeInBounds) {
  EXPECT_EQ(CutOf("COM 3", 1, 4), "3");
  EXPECT_EQ(CutOf("COM 12", 1, 4), "12");
  EXPECT_EQ(CutOf("abcdef", 3, 2), "abef");
  EXPECT_EQ(CutOf("abcdef", 5, 100), "abcd");
  EXPECT_EQ(CutOf("abcdef", 2, INT_MAX), "a");
  EXPECT_EQ(CutOf("abcdef", 6, 1), "abcde");
  EXPECT_EQ(CutOf("abcdef", 7, 1), "abcdef");
  EXPECT_EQ(CutOf("abcdef", INT_MAX, INT_MAX), "abcdef");
  EXPECT_EQ(CutOf("abcdef", -1, 3), "abcdef");
  EXPECT_EQ(CutOf("abcdef", INT_MIN, INT_MAX), "abcdef");
  EXPECT_EQ(CutOf("abcdef", 2, -3), "abcdef");
  EXPECT_EQ(CutOf("", 1, 4), "");
}

TEST_F(DeleteTest, CutPullsTextPositionCount) {
  TElDelete cut;
  Probe probe;
  cut.OnResult = ToProbe(&probe);
  TData data = test::Chain({TData::String("COM 12"), TData::Integer(2), TData::Integer(3)});
  Fire(Link<&TElDelete::Cut>(&cut), data);
  EXPECT_EQ(probe.Last().text, "C12");

  test::Source position(TData::Integer(1));
  cut.InPosition = test::FromSource(&position);
  cut.Count = 4;
  data = TData::String("COM 7");
  Fire(Link<&TElDelete::Cut>(&cut), data);
  EXPECT_EQ(probe.Last().text, "7");
}

}  // namespace
}  // namespace lumi
