#include "elements/compute/convertor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "elements/compute/format_str.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

class ConvertorTest : public test::RuntimeTest {
 protected:
  TData Apply(uint8_t mode, TData incoming) {
    convertor_.Mode = mode;
    convertor_.OnResult = test::ToProbe(&probe_);
    size_t before = probe_.Count();
    Fire(Link<&TElConvertor::Convert>(&convertor_), incoming);
    EXPECT_EQ(probe_.Count(), before + 1);
    return probe_.Last();
  }

  TElConvertor convertor_;
  test::Probe probe_;
};

TEST_F(ConvertorTest, BinaryDigitsToInteger) {
  EXPECT_EQ(Apply(7, TData::String("01001000")).integer, 72);
  EXPECT_EQ(Apply(7, TData::String("1012")).integer, 5);
  EXPECT_EQ(Apply(7, TData::String("")).integer, 0);
  EXPECT_EQ(Apply(7, TData::String("x11")).integer, 0);
  EXPECT_EQ(Apply(7, TData::Integer(110)).integer, 6);
  EXPECT_EQ(Apply(7, TData::String("1" + Text(32, '0') + "1")).integer, 1);  // wraps at 32 bits
  EXPECT_EQ(Apply(7, TData::String(Text(32, '1'))).integer, -1);
  EXPECT_EQ(probe_.Last().type, DataType::Integer);
}

TEST_F(ConvertorTest, IntegerToOneCharacter) {
  EXPECT_EQ(Apply(4, TData::Integer(72)).AsString(), "H");
  EXPECT_EQ(Apply(4, TData::Integer(300)).AsString(), Text(1, static_cast<char>(44)));
  EXPECT_EQ(Apply(4, TData::Integer(-1)).AsString(), "\xFF");
  EXPECT_EQ(Apply(4, TData::Integer(0)).AsString(), Text(1, '\0'));
  EXPECT_EQ(probe_.Last().type, DataType::String);
}

TEST_F(ConvertorTest, LinkedInputWins) {
  test::Source source(TData::String("11"));
  convertor_.InValue = test::FromSource(&source);
  EXPECT_EQ(Apply(7, TData::String("1")).integer, 3);
}

TEST_F(ConvertorTest, OtherModesHandTheValueOnUnchanged) {
  TData out = Apply(0, TData::Real(2.5));
  EXPECT_EQ(out.type, DataType::Real);
  EXPECT_EQ(out.real, 2.5);
  EXPECT_EQ(Apply(9, TData::String("abc")).AsString(), "abc");
  EXPECT_TRUE(Apply(255, TData()).IsNull());
}

TEST_F(ConvertorTest, BitStringBecomesAnOutputByte) {
  TElFormatStr bits;
  bits.Mask = "0%1%2%3%4%5%6%7";
  bits.SetCount(7);
  TElConvertor to_byte;
  to_byte.Mode = 4;
  convertor_.Mode = 7;
  bits.OnFormat = Link<&TElConvertor::Convert>(&convertor_);
  convertor_.OnResult = Link<&TElConvertor::Convert>(&to_byte);
  to_byte.OnResult = test::ToProbe(&probe_);

  TData states = test::Chain({TData::Integer(1), TData::Integer(0), TData::Integer(0), TData::Integer(1),
                              TData::Integer(0), TData::Integer(0), TData::Integer(0)});
  Fire(Link<&TElFormatStr::Format>(&bits), states);
  ASSERT_EQ(probe_.Count(), 1u);
  EXPECT_EQ(probe_.Last().AsString(), "H");
}

// A checking mode answers on OnResult, or names the text on OnError.
class CheckingConvertorTest : public ConvertorTest {
 protected:
  std::optional<TData> Check(uint8_t mode, const char* text) {
    convertor_.Mode = mode;
    convertor_.OnResult = test::ToProbe(&probe_);
    convertor_.OnError = test::ToProbe(&errors_);
    const size_t results = probe_.Count();
    const size_t errors = errors_.Count();
    TData incoming = TData::String(text);
    Fire(Link<&TElConvertor::Convert>(&convertor_), incoming);
    EXPECT_EQ(probe_.Count() - results + errors_.Count() - errors, 1u) << text;
    if (errors_.Count() > errors) {
      EXPECT_EQ(errors_.Last().AsString(), text);
      return std::nullopt;
    }
    return probe_.Last();
  }
  test::Probe errors_;
};

TEST_F(CheckingConvertorTest, WholeDecimalNumbersOnly) {
  constexpr uint8_t kMode = TElConvertor::kDecimalToInteger;
  EXPECT_EQ(Check(kMode, "75")->integer, 75);
  EXPECT_EQ(Check(kMode, " -42\t")->integer, -42);
  EXPECT_EQ(Check(kMode, "+7")->integer, 7);
  EXPECT_EQ(Check(kMode, "99999999999999999999")->integer, INT32_MAX);  // held, never wrapped
  EXPECT_EQ(Check(kMode, "-99999999999999999999")->integer, INT32_MIN);
  for (const char* slip : {"", " ", "abc", "4x", "3.5", "-", "1 2", "0x10"})
    EXPECT_FALSE(Check(kMode, slip)) << slip;
}

TEST_F(CheckingConvertorTest, PortNamesWithOrWithoutBlanksAndLeadingZeros) {
  convertor_.Prefix = "COM";
  constexpr uint8_t kMode = TElConvertor::kNumberAfterPrefix;
  EXPECT_EQ(Check(kMode, "COM 1")->integer, 1);
  EXPECT_EQ(Check(kMode, "COM1")->integer, 1);
  EXPECT_EQ(Check(kMode, "COM 01")->integer, 1);
  EXPECT_EQ(Check(kMode, "com  12 ")->integer, 12);
  EXPECT_EQ(Check(kMode, "COM 300")->integer, 300);  // a number; whether it is a port is not this one's call
  for (const char* slip : {"", "COM", "COM ", "COM x", "COM -1", "COM +1", "LPT1", "1", "COM 1a"})
    EXPECT_FALSE(Check(kMode, slip)) << slip;
}

TEST_F(CheckingConvertorTest, WholeRealNumbers) {
  constexpr uint8_t kMode = TElConvertor::kDecimalToReal;
  EXPECT_DOUBLE_EQ(Check(kMode, "3.9")->real, 3.9);
  EXPECT_DOUBLE_EQ(Check(kMode, " 1e9 ")->real, 1e9);
  EXPECT_DOUBLE_EQ(Check(kMode, "-0.5")->real, -0.5);
  EXPECT_DOUBLE_EQ(Check(kMode, "10")->real, 10.0);
  for (const char* slip : {"", "abc", "1,5", "1e999", "nan", "inf", "0x1p3", "1.5s", "."})
    EXPECT_FALSE(Check(kMode, slip)) << slip;
}

}  // namespace
}  // namespace lumi
