#include "platform/win32ui/wide_text.h"

#include <gtest/gtest.h>

#include "runtime/cp1251.h"

namespace lumi::platform::win32ui {
namespace {

TEST(WideTextTest, RussianTextsSurviveTheWayToUtf16AndBack) {
  const std::string text = cp1251::FromUtf8("Загрузка ЦП больше 7 % — ёЁ");
  EXPECT_EQ(ToWide(text), L"Загрузка ЦП больше 7 % \u2014 ёЁ");
  EXPECT_EQ(FromWide(ToWide(text)), text);
  EXPECT_EQ(ToWide(""), L"");
  EXPECT_EQ(FromWide(L""), "");
}

TEST(WideTextTest, CharactersWithoutAWindows1251ByteBecomeQuestionMarks) {
  EXPECT_EQ(FromWide(L"a\u4E2Db"), "a?b");
}

TEST(WideTextTest, MemoLinesEndInCrLfWhateverTheyEndedIn) {
  EXPECT_EQ(ToWideLines("one\ntwo\r\nthree\rfour\n"), L"one\r\ntwo\r\nthree\r\nfour\r\n");
  EXPECT_EQ(ToWideLines("\r\n\r\n"), L"\r\n\r\n");
}

}  // namespace
}  // namespace lumi::platform::win32ui
