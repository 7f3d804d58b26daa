#include "runtime/data.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

TEST(DataConversions, TextToInteger) { EXPECT_EQ(TData::String("+12").AsInteger(), 12); }

}  // namespace
}  // namespace lumi
