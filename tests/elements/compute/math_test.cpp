#include "elements/compute/math.h"

#include <gtest/gtest.h>

#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using test::Chain;
using test::FromSource;
using test::Probe;
using test::Source;
using test::ToProbe;
using MathTest = test::RuntimeTest;

// What OnResult carried for one Calc with the given incoming value.
TData Calc(TElMath& math, TData in) {
  Probe probe;
  math.OnResult = ToProbe(&probe);
  Fire(Link<&TElMath::Calc>(&math), in);
  EXPECT_EQ(probe.Count(), 1u);
  return probe.Count() == 1 ? probe.Last() : TData::Break();
}

TEST_F(MathTest, TheSchemesTwoOperations) {
  // The incoming value minus one.
  TElMath minus;
  minus.OpType = 1;
  minus.Op2 = 1;
  TData r = Calc(minus, TData::Integer(5));
  EXPECT_EQ(r.type, DataType::Integer);
  EXPECT_EQ(r.AsInteger(), 4);

  // Seconds to milliseconds, from a text.
  TElMath times;
  times.OpType = 2;
  times.Op2 = 1000;
  EXPECT_EQ(Calc(times, TData::String("3")).AsInteger(), 3000);

  // Integer results round half to even.
  times.Op2 = 0.5;
  EXPECT_EQ(Calc(times, TData::Integer(5)).AsInteger(), 2);
  EXPECT_EQ(Calc(times, TData::Integer(7)).AsInteger(), 4);
  times.ResultType = 1;
  r = Calc(times, TData::Integer(5));
  EXPECT_EQ(r.type, DataType::Real);
  EXPECT_DOUBLE_EQ(r.AsReal(), 2.5);
}

TEST_F(MathTest, OperandOrderAndSources) {
  TElMath math;
  math.OpType = 1;
  // Both from the chain, first operand first.
  EXPECT_EQ(Calc(math, Chain({TData::Integer(10), TData::Integer(3)})).AsInteger(), 7);
  Source a(TData::Real(1.25)), b(TData::Integer(2));
  math.InOp1 = FromSource(&a);
  math.InOp2 = FromSource(&b);
  math.ResultType = 1;
  EXPECT_DOUBLE_EQ(Calc(math, TData::Integer(100)).AsReal(), -0.75);
}

TEST_F(MathTest, FurtherOperationsAndDivisionByZero) {
  TElMath math;
  math.SetDefault(-1);
  EXPECT_DOUBLE_EQ(math.Result(), -1.0);
  math.ResultType = 1;
  math.Op2 = 4;
  math.OpType = 0;
  EXPECT_DOUBLE_EQ(Calc(math, TData::Integer(3)).AsReal(), 7);
  math.OpType = 3;
  EXPECT_DOUBLE_EQ(Calc(math, TData::Integer(3)).AsReal(), 0.75);

  // A quotient by zero gives the default, in both result types.
  math.Op2 = 0;
  EXPECT_DOUBLE_EQ(Calc(math, Chain({TData::Integer(3), TData::Integer(0)})).AsReal(), -1);
  math.ResultType = 0;
  EXPECT_EQ(Calc(math, Chain({TData::Integer(3), TData::Integer(0)})).AsInteger(), -1);
  math.OpType = 9;
  EXPECT_EQ(Calc(math, Chain({TData::Integer(3), TData::Integer(2)})).AsInteger(), -1);

  // Results beyond the integer range still give a defined integer.
  math.OpType = 2;
  math.Op1 = 1e300;
  math.Op2 = 1e300;
  EXPECT_EQ(Calc(math, TData{}).AsInteger(), 0);
}

}  // namespace
}  // namespace lumi
