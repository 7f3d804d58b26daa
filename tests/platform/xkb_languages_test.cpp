#include "platform/linux/xkb_languages.h"

#include <gtest/gtest.h>

namespace lumi::platform::linux_backend {
namespace {

constexpr int32_t kUs = 67699721;       // 0x04090409
constexpr int32_t kRussian = 68748313;  // 0x04190419

TEST(XkbLanguages, LayoutNamesAsServersPublishThem) {
  EXPECT_EQ(LayoutValueOfGroup("us", "", 0), kUs);
  EXPECT_EQ(LayoutValueOfGroup("ru", "", 0), kRussian);
  EXPECT_EQ(LayoutValueOfGroup("us,ru", ",", 0), kUs);
  EXPECT_EQ(LayoutValueOfGroup("us,ru", ",", 1), kRussian);
  EXPECT_EQ(LayoutValueOfGroup("us,ru,ua", "", 2), LayoutValue(0x0422));
  EXPECT_EQ(LayoutValueOfGroup(" us , de ", "", 1), LayoutValue(0x0407));
  EXPECT_EQ(LayoutValueOfGroup("gb", "", 0), LayoutValue(0x0809));
  EXPECT_EQ(LayoutValueOfGroup("fr", "", 0), LayoutValue(0x040C));
}

TEST(XkbLanguages, VariantsThatChangeTheLanguage) {
  EXPECT_EQ(LayoutValueOfGroup("us,ru", ",tt", 1), LayoutValue(0x0444));  // Tatar
  EXPECT_EQ(LayoutValueOfGroup("us,ru", ",phonetic", 1), kRussian);       // still Russian
  EXPECT_EQ(LayoutValueOfGroup("ca", "eng", 0), LayoutValue(0x1009));
  EXPECT_EQ(LayoutValueOfGroup("ca", "", 0), LayoutValue(0x0C0C));
  EXPECT_EQ(LayoutValueOfGroup("in", "ben_probhat", 0), LayoutValue(0x0445));
  EXPECT_EQ(LayoutValueOfGroup("rs", "latinyz", 0), LayoutValue(0x081A));
  // A variant written into the layout entry itself.
  EXPECT_EQ(LayoutValueOfGroup("us,ru(tt)", "", 1), LayoutValue(0x0444));
  EXPECT_EQ(LayoutValueOfGroup("us(intl)", "", 0), kUs);
}

TEST(XkbLanguages, UnknownOrMissingLayoutsHaveNoLanguage) {
  EXPECT_EQ(LayoutValueOfGroup("", "", 0), 0);
  EXPECT_EQ(LayoutValueOfGroup("epo", "", 0), 0);
  EXPECT_EQ(LayoutValueOfGroup("klingon,us", "", 0), 0);
  EXPECT_EQ(LayoutValueOfGroup("us,ru", "", 2), 0);  // no third group
  EXPECT_EQ(LayoutValueOfGroup("us,ru", "", -1), 0);
  EXPECT_EQ(LayoutValueOfGroup("us,,ru", "", 1), 0);
  EXPECT_EQ(LanguageOfLayout("US"), 0);  // names are lower case; no guessing
}

TEST(XkbLanguages, LocaleNames) {
  EXPECT_EQ(LanguageOfLocale("ru_RU.UTF-8"), 0x0419);
  EXPECT_EQ(LanguageOfLocale("uk_UA.UTF-8"), 0x0422);
  EXPECT_EQ(LanguageOfLocale("en_GB.UTF-8"), 0x0809);
  EXPECT_EQ(LanguageOfLocale("de_AT@euro"), 0x0C07);
  EXPECT_EQ(LanguageOfLocale("de"), 0x0407);
  EXPECT_EQ(LanguageOfLocale("pt_BR"), 0x0416);
  EXPECT_EQ(LanguageOfLocale("sr_RS@latin"), 0x081A);
  EXPECT_EQ(LanguageOfLocale("sr_BA@latin"), 0x181A);
  EXPECT_EQ(LanguageOfLocale("sr_BA"), 0x1C1A);
  // The country refines a language, it does not invent one.
  EXPECT_EQ(LanguageOfLocale("ru_UA.UTF-8"), 0x0419);
  for (const char* none : {"C", "POSIX", "C.UTF-8", "", "xx_YY", "_RU"})
    EXPECT_EQ(LanguageOfLocale(none), kUsEnglish) << none;
}

TEST(XkbLanguages, LocaleOfTheEnvironment) {
  EXPECT_EQ(LanguageOfEnvironment("ru_RU.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"), 0x0419);
  EXPECT_EQ(LanguageOfEnvironment("", "de_DE.UTF-8", "fr_FR.UTF-8"), 0x0407);
  EXPECT_EQ(LanguageOfEnvironment(nullptr, nullptr, "fr_FR.UTF-8"), 0x040C);
  EXPECT_EQ(LanguageOfEnvironment(nullptr, "", nullptr), kUsEnglish);
}

}  // namespace
}  // namespace lumi::platform::linux_backend
