#include "runtime/cp1251.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
  std::string every;
  for (int b = 0; b < 256; ++b) every += static_cast<char>(b);
  const std::string utf8 = cp1251::ToUtf8(every);
  EXPECT_EQ(cp1251::FromUtf8(utf8), every);
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(cp1251::FromUtf8(cp1251::ToUtf8(one)), one) << b;
  }
}

TEST(Cp1251, KnownCharacters) {
  EXPECT_EQ(cp1251::FromUtf8("Ошибка"), "\xCE\xF8\xE8\xE1\xEA\xE0");
  EXPECT_EQ(cp1251::ToUtf8("\xCE\xF8\xE8\xE1\xEA\xE0"), "Ошибка");
  EXPECT_EQ(cp1251::FromUtf8("Ёё№€"), "\xA8\xB8\xB9\x88");
  EXPECT_EQ(cp1251::FromUtf8("plain ASCII"), "plain ASCII");
  EXPECT_EQ(cp1251::FromUtf8("中"), "?");  // no Windows-1251 byte
  EXPECT_EQ(cp1251::FromUtf8("😀"), "?");   // four bytes, one character
}

TEST(Cp1251, MalformedUtf8BecomesQuestionMarks) {
  EXPECT_EQ(cp1251::FromUtf8("\xFF"), "?");
  EXPECT_EQ(cp1251::FromUtf8("a\xD0"), "a?");  // cut short at the end
  EXPECT_EQ(cp1251::FromUtf8("\xD0"
                             "A"),
            "?A");                                // continuation missing
  EXPECT_EQ(cp1251::FromUtf8("\x80\xBF"), "??");  // stray continuations
  EXPECT_EQ(cp1251::FromUtf8("\xE2\x82"), "??");
  EXPECT_EQ(cp1251::FromUtf8("\xED\xA0\x80"), "?");  // a lone surrogate
  std::string noise;
  for (int k = 0; k < 4096; ++k) noise += static_cast<char>(0x80 + k % 128);
  EXPECT_EQ(cp1251::FromUtf8(noise), std::string(noise.size(), '?'));
}

// Overlong forms hide ASCII ("/" as C0 AF, NUL as C0 80) from byte-level checks; the
// decoder must refuse them.
TEST(Cp1251, OverlongFormsAreMalformed) {
  EXPECT_EQ(cp1251::FromUtf8("\xC0\xAF"), "?");
  EXPECT_EQ(cp1251::FromUtf8("\xC0\x80").find('\0'), std::string::npos);
  EXPECT_EQ(cp1251::FromUtf8("\xE0\x80\xAF").find('/'), std::string::npos);
}

}  // namespace
}  // namespace lumi
