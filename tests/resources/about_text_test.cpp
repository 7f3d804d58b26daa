#include "resources/about_text.h"

#include <gtest/gtest.h>

#include <string>

#include "resources/resources.h"
#include "runtime/cp1251.h"

namespace lumi::resources {
namespace {

std::string Cp(const char* utf8) { return cp1251::FromUtf8(utf8); }

TEST(AboutTextTest, IsResourceStr2InTheProgramsCodePage) {
  const std::string& text = Text("Str2");
  EXPECT_EQ(&text, &AboutText());
  ASSERT_GE(text.size(), 2u);

  // Lines end with CR LF, the last one too; nothing fell back to "?" on the way to
  // Windows-1251.
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(text.find('?'), std::string::npos);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      EXPECT_EQ(text[i - 1], '\r') << "at " << i;
    }
  }

  EXPECT_EQ(text.rfind("Lumiscope 1.0.0.0\r\n", 0), 0u);
  EXPECT_NE(text.find(Cp("Разработчики Lumiscope, lumiscope@example.org\r\nДекабрь 2026\r\n")),
            std::string::npos);
  for (const char* topic :
       {"процессора", "свободным и занятым местом на дисках", "оперативной памяти", "файла подкачки",
        "дня и времени", "Internet", "раскладки клавиатуры", "четырнадцатью светодиодами", "USB", "драйвер",
        "Debian 12", "бесплатно", "«как есть»"}) {
    EXPECT_NE(text.find(Cp(topic)), std::string::npos) << topic;
  }
}

}  // namespace
}  // namespace lumi::resources
