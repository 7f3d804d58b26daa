#include "runtime/text.h"

#include <gtest/gtest.h>

#include "platform/linux/linux_clock.h"
#include "platform/linux/linux_system.h"
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

class ExpandPathTest : public test::RuntimeTest {};

TEST_F(ExpandPathTest, RelativePathsGoNextToTheProgram) {
  EXPECT_EQ(ExpandPath("Settings.ini"), "/opt/lumiscope/Settings.ini");
  EXPECT_EQ(ExpandPath("C:\\a.ini"), "C:\\a.ini");
  EXPECT_EQ(ExpandPath("/var/a.ini"), "/var/a.ini");
  EXPECT_EQ(ExpandPath("%windir%\\a.ini"), "/etc\\a.ini");
  EXPECT_EQ(ExpandPath("%tmpdir%x"), "/tmp/x");
  EXPECT_EQ(ExpandPath("%sysdir%/x"), "/usr/lib/x");
  // A folder of that name further on is a real one.
  EXPECT_EQ(ExpandPath("/home/u/%windir%/Settings.ini"), "/home/u/%windir%/Settings.ini");
  EXPECT_EQ(ExpandPath("/a/%tmpdir%%sysdir%/b"), "/a/%tmpdir%%sysdir%/b");
}

TEST_F(ExpandPathTest, DebugMessageUsesItsCaption) {
  DebugMessage("hello");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption, "String-Debug");
  EXPECT_EQ(messages.shown[0].text, "hello");
}

TEST(LinuxSystem, ExecutableFolderEndsWithSlash) {
  platform::linux_backend::LinuxSystem system;
  std::string path = system.ExecutablePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.substr(path.rfind('/') + 1), "runtime_tests");
  EXPECT_EQ(system.ExecutableFolder() + "runtime_tests", path);
  EXPECT_EQ(system.TempFolder().back(), '/');
}

TEST(LinuxClock, NamesFollowTheLocaleOrStayEnglish) {
  platform::linux_backend::LinuxClock clock;
  const char* saved = std::getenv("LC_ALL");
  std::string keep = saved ? saved : "";
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(clock.Names().months[11], "December");
  // The Russian locale may not be generated on this machine; when it is, its names are
  // Windows-1251 texts.
  setenv("LC_ALL", "ru_RU.UTF-8", 1);
  std::string december = clock.Names().months[11];
  EXPECT_TRUE(december == "December" || cp1251::ToUtf8(december).find("екабр") != std::string::npos)
      << december;
  if (saved)
    setenv("LC_ALL", keep.c_str(), 1);
  else
    unsetenv("LC_ALL");
}

}  // namespace
}  // namespace lumi
