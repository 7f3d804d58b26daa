#include "elements/compute/format_str.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "runtime/cp1251.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using test::Probe;
using test::Source;

class FormatStrTest : public test::RuntimeTest {
 protected:
  TElFormatStr& Make(const Text& mask, uint16_t count) {
    format_.Mask = mask;
    format_.SetCount(count);
    format_.OnFormat = test::ToProbe(&probe_);
    return format_;
  }

  // Placeholder k (from 1) answers `value`.
  void Feed(uint16_t k, TData value) {
    sources_.push_back(std::make_unique<Source>(std::move(value)));
    format_.InStr[k - 1] = test::FromSource(sources_.back().get());
  }

  Text Apply(TData incoming = {}) {
    size_t before = probe_.Count();
    Fire(Link<&TElFormatStr::Format>(&format_), incoming);
    EXPECT_EQ(probe_.Count(), before + 1);
    EXPECT_EQ(probe_.Last().type, DataType::String);
    return probe_.Last().AsString();
  }

  TElFormatStr format_;
  Probe probe_;
  std::vector<std::unique_ptr<Source>> sources_;
};

TEST_F(FormatStrTest, UnlinkedPlaceholdersTakeTheIncomingValuesInOrder) {
  Make("%1 %2", 2);
  EXPECT_EQ(Apply(test::Chain({TData::String("a"), TData::String("b")})), "a b");
  EXPECT_EQ(Apply(TData::String("a")), "a ");
  EXPECT_EQ(Apply(), " ");
}

TEST_F(FormatStrTest, LinkedPlaceholderIsReadOnceAndLeavesTheIncomingValueToTheNext) {
  Make("%1-%2", 2);
  Feed(1, TData::Integer(7));
  EXPECT_EQ(Apply(TData::String("x")), "7-x");
  EXPECT_EQ(sources_[0]->reads, 1);
}

TEST_F(FormatStrTest, LonePercentAndCyrillicTextStay) {
  Make(cp1251::FromUtf8("Загрузка ЦП больше %1 %"), 1);
  Feed(1, TData::String("80"));
  EXPECT_EQ(Apply(), cp1251::FromUtf8("Загрузка ЦП больше 80 %"));
}

TEST_F(FormatStrTest, PlaceholderBeforeAnInsertedDigitIsStillFound) {
  Make("%2%1", 2);
  Feed(1, TData::String("5"));
  Feed(2, TData::String("7"));
  EXPECT_EQ(Apply(), "75");
}

TEST_F(FormatStrTest, DoublePercentIsALiteralPercent) {
  Make("100%%", 0);
  EXPECT_EQ(Apply(), "100%");
  Make("%%1", 1);
  Feed(1, TData::String("x"));
  EXPECT_EQ(Apply(), "%1");
  Make("%%%1%%", 1);
  EXPECT_EQ(Apply(), "%x%");
}

TEST_F(FormatStrTest, PlaceholderFollowedByADigitIsLeftForTheLongerOne) {
  Make("%10|%1|%1x", 2);
  Feed(1, TData::String("a"));
  EXPECT_EQ(Apply(), "%10|a|ax");

  TElFormatStr& ten = Make("%10|%1", 10);
  for (uint16_t k = 1; k <= 10; ++k) Feed(k, TData::String(Text(1, static_cast<char>('a' + k - 1))));
  EXPECT_EQ(Apply(), "j|a");
  EXPECT_EQ(ten.Count, 10);
}

TEST_F(FormatStrTest, ValuesAreFilledInOrderOfThePlaceholderNumber) {
  // A value holding a later placeholder is filled by that later pass; one holding an
  // earlier placeholder is not, and nothing is substituted into itself.
  Make("%1 %2", 2);
  Feed(1, TData::String("[%2]"));
  Feed(2, TData::String("%1%2"));
  EXPECT_EQ(Apply(), "[%1%2] %1%2");
}

TEST_F(FormatStrTest, EightBitMask) {
  Make("0%1%2%3%4%5%6%7", 7);
  TData bits = test::Chain({TData::Integer(1), TData::Integer(0), TData::Integer(0), TData::Integer(1),
                            TData::Integer(0), TData::Integer(0), TData::Integer(0)});
  EXPECT_EQ(Apply(bits), "01001000");
}

TEST_F(FormatStrTest, BytesOfValuesPassThroughExceptCodesZeroAndOne) {
  Make("<%1>", 1);
  Text every;
  for (int b = 2; b < 256; ++b) every += static_cast<char>(b);
  Feed(1, TData::String(every));
  EXPECT_EQ(Apply(), "<" + every + ">");

  Feed(1, TData::String(Text("a\0b\1c", 5)));
  EXPECT_EQ(Apply(), "<a%bc>");
}

TEST_F(FormatStrTest, OutResultKeepsTheLastResult) {
  Make("v=%1", 1);
  TData out;
  format_.OutResult(out, 0);
  EXPECT_EQ(out.type, DataType::String);
  EXPECT_EQ(out.AsString(), "");
  Apply(TData::Integer(3));
  Apply(TData::Integer(4));
  format_.OutResult(out, 0);
  EXPECT_EQ(out.AsString(), "v=4");
}

}  // namespace
}  // namespace lumi
