#include "resources/language_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "elements/device/str_list.h"
#include "runtime/cp1251.h"
#include "runtime/number_text.h"

namespace lumi {
namespace {

// Splits at CR LF, insisting that every line ends with it and that no other CR or LF
// hides inside a line.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "last line without CR LF";
    if (end == std::string::npos) break;
    const std::string line = text.substr(start, end - start);
    EXPECT_EQ(line.find_first_of(std::string("\r\n\0", 3)), std::string::npos) << lines.size();
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

TEST(LanguageTable, TwoParallelTextsOf223Rows) {
  const std::vector<std::string> names = Lines(resources::LanguageNames());
  const std::vector<std::string> layouts = Lines(resources::LanguageLayouts());
  EXPECT_EQ(names.size(), 223u);
  EXPECT_EQ(layouts.size(), 223u);

  // Loaded the way the keyboard-layout panel loads them, the row count stays 223.
  TElStrList list;
  list.SetStrings(resources::LanguageLayouts());
  EXPECT_EQ(list.Lines(), layouts);
  list.SetStrings(resources::LanguageNames());
  EXPECT_EQ(list.Lines(), names);
}

TEST(LanguageTable, KnownRows) {
  const std::vector<std::string> names = Lines(resources::LanguageNames());
  const std::vector<std::string> layouts = Lines(resources::LanguageLayouts());
  ASSERT_EQ(names.size(), 223u);
  ASSERT_EQ(layouts.size(), 223u);
  EXPECT_EQ(names[0], cp1251::FromUtf8("Африкаанс - Южная Африка"));
  EXPECT_EQ(layouts[0], "70648886");
  EXPECT_EQ(names[45], cp1251::FromUtf8("Английский - США"));
  EXPECT_EQ(layouts[45], "67699721");
  EXPECT_EQ(names[153], cp1251::FromUtf8("Русский"));
  EXPECT_EQ(layouts[153], "68748313");
  EXPECT_EQ(names[210], cp1251::FromUtf8("Украинский"));
  EXPECT_EQ(layouts[210], IntegerToText(0x04220422));
  EXPECT_EQ(names[222], cp1251::FromUtf8("Зулу"));
  EXPECT_EQ(layouts[222], IntegerToText(0x04350435));
}

TEST(LanguageTable, EveryRowIsDistinctAndWellFormed) {
  const std::vector<std::string> names = Lines(resources::LanguageNames());
  const std::vector<std::string> layouts = Lines(resources::LanguageLayouts());
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
  EXPECT_EQ(std::set<std::string>(layouts.begin(), layouts.end()).size(), layouts.size());
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_FALSE(names[i].empty()) << i;
    // Plain Windows-1251, which the conversion to UTF-8 and back leaves unchanged.
    EXPECT_EQ(cp1251::FromUtf8(cp1251::ToUtf8(names[i])), names[i]) << i;
  }
  for (size_t i = 0; i < layouts.size(); ++i) {
    const int32_t value = TextToInteger(layouts[i]);
    // The panel compares texts, so a line must be exactly the value's decimal text.
    EXPECT_EQ(IntegerToText(value), layouts[i]) << i;
    EXPECT_GT(value, 0) << i;
    const uint32_t bits = static_cast<uint32_t>(value);
    EXPECT_EQ(bits >> 16, bits & 0xFFFF) << i;
  }
}

}  // namespace
}  // namespace lumi
