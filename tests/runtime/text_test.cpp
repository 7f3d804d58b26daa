#include "runtime/text.h"

#include <gtest/gtest.h>

#include "runtime/cp1251.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

TEST(Replace, InsertedTextIsNotSearchedAgain) {
  Text t = "%1%1";
  Replace(t, "%1", "x%1");
  EXPECT_EQ(t, "x%1x%1");

  Text empty_pattern = "abc";
  Replace(empty_pattern, "", "z");
  EXPECT_EQ(empty_pattern, "abc");

  Text filtered = "a1 a2 a";
  Replace(filtered, "a", "b", [](const Text& text, size_t p) { return p < text.size() && text[p] == '1'; });
  EXPECT_EQ(filtered, "b1 a2 a");

  Text shrink = "aaaa";
  Replace(shrink, "aa", "");
  EXPECT_EQ(shrink, "");
}

TEST(PosFrom, SearchesFromAStartCountedFromOne) {
  EXPECT_EQ(PosFrom("b", "abcb", 1), 2u);
  EXPECT_EQ(PosFrom("b", "abcb", 3), 4u);
  EXPECT_EQ(PosFrom("b", "abcb", 5), 0u);
  EXPECT_EQ(PosFrom("", "abc", 1), 0u);
  EXPECT_EQ(PosFrom("abcd", "abc", 1), 0u);
}

}  // namespace
}  // namespace lumi
