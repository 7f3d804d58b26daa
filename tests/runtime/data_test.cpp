#include "runtime/data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/number_text.h"
#include "tests/support/probe.h"

namespace lumi {
namespace {

using test::Chain;

TEST(TextToInteger, SignDigitsAndWrap) {
  EXPECT_EQ(TData::String("+12").AsInteger(), 12);
  EXPECT_EQ(TData::String("--1").AsInteger(), 0);
  EXPECT_EQ(TData::String("4294967297").AsInteger(), 1);
  EXPECT_EQ(TData::String("12abc").AsInteger(), 12);
  EXPECT_EQ(TData::String(" 12").AsInteger(), 0);
  EXPECT_EQ(TData::String("-7").AsInteger(), -7);
  EXPECT_EQ(TData::String("").AsInteger(), 0);
  EXPECT_EQ(TData::String("-2147483648").AsInteger(), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(TData::String("2147483648").AsInteger(), std::numeric_limits<int32_t>::min());
}

TEST(RealToInteger, RoundsHalfToEvenAndKeepsLow32Bits) {
  EXPECT_EQ(TData::Real(2.5).AsInteger(), 2);
  EXPECT_EQ(TData::Real(3.5).AsInteger(), 4);
  EXPECT_EQ(TData::Real(-2.5).AsInteger(), -2);
  EXPECT_EQ(TData::Real(4294967297.0).AsInteger(), 1);
  EXPECT_EQ(TData::Real(-4294967297.0).AsInteger(), -1);
  EXPECT_EQ(TData::Real(2147483648.0).AsInteger(), std::numeric_limits<int32_t>::min());
  // Non-finite and enormous values are defined too.
  EXPECT_EQ(RealToInteger(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(RealToInteger(std::numeric_limits<double>::infinity()), 0);
  EXPECT_EQ(RealToInteger(-std::numeric_limits<double>::infinity()), 0);
  EXPECT_EQ(RealToInteger(1e300), 0);  // a multiple of 2^32
  EXPECT_EQ(RealToInteger(std::ldexp(1.0, 40) + 5.0), 5);
}

TEST(RealToText, FifteenDigitsWithoutExponent) {
  EXPECT_EQ(TData::Real(1.5).AsString(), "1.5");
  EXPECT_EQ(TData::Real(100).AsString(), "100");
  EXPECT_EQ(TData::Real(0.001).AsString(), "0.001");
  EXPECT_EQ(TData::Real(1.0 / 3).AsString(), "0.333333333333333");
  EXPECT_EQ(TData::Real(1e20).AsString(), "100000000000000000000");
  EXPECT_EQ(TData::Real(-2.25).AsString(), "-2.25");
  EXPECT_EQ(TData::Real(123456789012345678.0).AsString(), "123456789012346000");
  EXPECT_EQ(TData::Real(0.1).AsString(), "0.1");
  EXPECT_EQ(TData::Real(0.0).AsString(), "0");
  EXPECT_EQ(TData::Real(-0.0).AsString(), "0");
  EXPECT_EQ(TData::Real(25).AsString(), "25");
  EXPECT_EQ(TData::Real(12.7).AsString(), "12.7");
}

TEST(RealToText, RoundingUpToSixteenDigitsKeepsTheMagnitude) {
  EXPECT_EQ(RealToText(0.99999999999999999), "1");
  EXPECT_EQ(RealToText(9.9999999999999999e20), "1000000000000000000000");
  EXPECT_EQ(RealToText(999999999999999.9), "1000000000000000");
}

TEST(RealToText, EveryDoubleHasAText) {
  EXPECT_EQ(RealToText(std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(RealToText(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(RealToText(-std::numeric_limits<double>::infinity()), "-INF");
  Text max = RealToText(std::numeric_limits<double>::max());
  EXPECT_EQ(max.size(), 309u);
  EXPECT_EQ(max.substr(0, 15), "179769313486232");
  Text tiny = RealToText(std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(tiny.substr(0, 2), "0.");
  EXPECT_EQ(tiny.size(), 2u + 323u + 15u);  // "0.", 323 zeros, fifteen digits
  EXPECT_EQ(tiny.substr(325), "494065645841247");
}

TEST(TextToReal, ScanRules) {
  EXPECT_EQ(TData::String("1,5").AsReal(), 15.0);
  EXPECT_EQ(TData::String("12abc").AsReal(), 12.0);
  EXPECT_EQ(TData::String("2.5e3").AsReal(), 2500.0);
  EXPECT_DOUBLE_EQ(TData::String("1.2.3").AsReal(), 1.2);
  EXPECT_EQ(TData::String("3.").AsReal(), 3.0);
  EXPECT_EQ(TData::String("3.0").AsReal(), 3.0);
  EXPECT_EQ(TData::String(".5e1").AsReal(), 5.0);
  EXPECT_EQ(TData::String("1e").AsReal(), 1.0);
  EXPECT_EQ(TData::String("+4").AsReal(), 4.0);
  double minus = TData::String("-").AsReal();
  EXPECT_EQ(minus, 0.0);
  EXPECT_TRUE(std::signbit(minus));
  EXPECT_EQ(TData::Real(minus).AsString(), "0");
  EXPECT_TRUE(std::isinf(TData::String("1e999").AsReal()));
  // Hundreds of fraction digits never turn back into integer digits.
  EXPECT_EQ(TData::String("0." + std::string(330, '0') + "5").AsReal(), 0.0);
  EXPECT_EQ(TData::String("1." + std::string(330, '0') + "5.5").AsReal(), 1.0);
}

TEST(DataReaders, NullAndOtherTags) {
  TData null;
  EXPECT_EQ(null.AsInteger(), 0);
  EXPECT_EQ(null.AsString(), "");
  EXPECT_EQ(null.AsReal(), 0.0);
  EXPECT_EQ(null.AsIndex(), -1);
  EXPECT_TRUE(null.IsTrue());
  EXPECT_EQ(TData::Integer(-2147483647 - 1).AsString(), "-2147483648");
  EXPECT_EQ(TData::Integer(5).AsReal(), 5.0);
  EXPECT_EQ(TData::Break().AsInteger(), 0);
  EXPECT_EQ(DataTypeName(DataType::Matrix), "Matrix");
  EXPECT_EQ(DataTypeName(DataType::Break), "Break");
  EXPECT_EQ(DataTypeName(static_cast<DataType>(99)), "");
}

TEST(DataReaders, AsIndexAndIsTrue) {
  EXPECT_EQ(TData::String("abc").AsIndex(), -1);
  EXPECT_EQ(TData::String("0").AsIndex(), 0);
  EXPECT_EQ(TData::String("5x").AsIndex(), 5);
  EXPECT_EQ(TData::String("").AsIndex(), -1);
  EXPECT_EQ(TData::String("-0").AsIndex(), -1);
  EXPECT_EQ(TData::Real(2.5).AsIndex(), 2);
  EXPECT_FALSE(TData::Integer(0).IsTrue());
  EXPECT_TRUE(TData::String("0").IsTrue());
  EXPECT_TRUE(TData::Real(0.0).IsTrue());
}

TEST(DataBytes, EveryByteSurvivesTheRecord) {
  Text all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  TData d = TData::String(all);
  TData copy = d;
  EXPECT_EQ(copy.AsString(), all);
  EXPECT_EQ(copy.text.size(), 256u);
}

TEST(Compare, ByTagOfFirstOperand) {
  EXPECT_FALSE(Compare(TData::String("b"), TData::Integer(1), 0));
  EXPECT_TRUE(Compare(TData::Integer(5), TData::String("5abc"), 0));
  EXPECT_TRUE(Compare(TData::Real(2.5), TData::String("2.5"), 0));
  EXPECT_TRUE(Compare(TData::Integer(3), TData::Integer(4), 1));
  EXPECT_TRUE(Compare(TData::Integer(4), TData::Integer(4), 3));
  EXPECT_TRUE(Compare(TData::Integer(4), TData::Integer(4), 4));
  EXPECT_FALSE(Compare(TData::Integer(4), TData::Integer(4), 5));
  EXPECT_FALSE(Compare(TData::Integer(4), TData::Integer(4), 6));
  EXPECT_FALSE(Compare(TData::Integer(4), TData::Integer(4), -1));
  EXPECT_FALSE(Compare(TData::Break(), TData::Break(), 0));
}

TEST(Compare, TextsAreEqualExactlyButOrderedWithoutCase) {
  TData lower = TData::String("abc"), upper = TData::String("ABC");
  EXPECT_FALSE(Compare(lower, upper, 0));
  EXPECT_FALSE(Compare(lower, upper, 1));
  EXPECT_FALSE(Compare(lower, upper, 2));
  EXPECT_TRUE(Compare(lower, upper, 3));
  EXPECT_TRUE(Compare(lower, upper, 4));
  EXPECT_TRUE(Compare(lower, upper, 5));
  EXPECT_TRUE(Compare(TData::String("ab"), TData::String("abc"), 1));
  // Only Latin letters fold: 0xE0 and 0xC0 (Cyrillic a and A) differ.
  EXPECT_TRUE(Compare(TData::String("\xC0"), TData::String("\xE0"), 1));
}

TEST(Compare, NullEqualsNullInEveryMode) {
  for (int mode = 0; mode <= 5; ++mode) EXPECT_TRUE(Compare(TData(), TData(), mode)) << mode;
  EXPECT_FALSE(Compare(TData(), TData::Integer(0), 0));
}

TEST(Compare, NaNIsNeverOrdered) {
  TData nan = TData::Real(std::nan(""));
  EXPECT_FALSE(Compare(nan, TData::Real(1), 3));
  EXPECT_FALSE(Compare(nan, TData::Real(1), 4));
  EXPECT_TRUE(Compare(nan, TData::Real(1), 5));
}

TEST(ValueChain, AppendCopiesUpToFirstNull) {
  TData chain = Chain({TData::Integer(1), TData::String("two")});
  ASSERT_EQ(ChainLength(chain), 2);
  EXPECT_EQ(chain.integer, 1);
  EXPECT_EQ(chain.next->text, "two");

  TData other = Chain({TData::Integer(3), TData::Integer(4)});
  other.next->next = std::make_unique<TData>();  // a NULL ends what is appended
  other.next->next->next = std::make_unique<TData>(TData::Integer(99));
  AppendChain(chain, other);
  ASSERT_EQ(ChainLength(chain), 4);
  EXPECT_EQ(chain.next->next->next->integer, 4);

  TData copy = chain;  // a copy owns a copy of the chain
  chain.next->SetInteger(7);
  EXPECT_EQ(copy.next->text, "two");
  EXPECT_EQ(ChainLength(copy.Value()), 1);
}

TEST(ValueChain, LongChainIsFreedWithoutRecursion) {
  TData chain = TData::Integer(0);
  TData* last = &chain;
  for (int i = 1; i < 200000; ++i) {
    last->next = std::make_unique<TData>(TData::Integer(i));
    last = last->next.get();
  }
  EXPECT_EQ(ChainLength(chain), 200000);
  chain.SetNull();
  EXPECT_EQ(ChainLength(chain), 1);
}

TEST(DataSetters, ClearTheMarkerAndTheChain) {
  TEl_Event point;
  TData d = Chain({TData::Integer(1), TData::Integer(2)});
  d.tail = &point;
  d.SetString(d.text);
  EXPECT_EQ(d.tail, nullptr);
  EXPECT_EQ(d.next, nullptr);
  TData s = TData::String("keep");
  s.SetString(s.text);  // its own text
  EXPECT_EQ(s.text, "keep");
}

}  // namespace
}  // namespace lumi
