#include "elements/compute/str_cat.h"

#include <gtest/gtest.h>

#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

class StrCatTest : public test::RuntimeTest {
 protected:
  Text Apply(TData incoming = {}) {
    cat_.OnConcat = test::ToProbe(&probe_);
    Fire(Link<&TElStrCat::Concat>(&cat_), incoming);
    EXPECT_EQ(probe_.Last().type, DataType::String);
    return probe_.Last().AsString();
  }

  TElStrCat cat_;
  test::Probe probe_;
};

TEST_F(StrCatTest, DefaultsAndIncomingValues) {
  cat_.Str1 = "COM ";
  EXPECT_EQ(Apply(TData::Integer(3)), "COM 3");

  // Empty defaults count as none: the incoming values fill InStr1, then InStr2.
  cat_.Str1.clear();
  EXPECT_EQ(Apply(test::Chain({TData::String("a"), TData::String("b")})), "ab");
  EXPECT_EQ(Apply(TData::String("a")), "a");
  EXPECT_EQ(cat_.Result(), "a");
}

TEST_F(StrCatTest, LinkedPointsWinOverDefaults) {
  test::Source first(TData::String("x"));
  test::Source second(TData::Integer(12));
  cat_.Str1 = "unused";
  cat_.Str2 = "unused";
  cat_.InStr1 = test::FromSource(&first);
  cat_.InStr2 = test::FromSource(&second);
  EXPECT_EQ(Apply(TData::String("ignored")), "x12");
}

}  // namespace
}  // namespace lumi
