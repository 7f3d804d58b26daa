#include "platform/windows/windows_profile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/platform/ini_cases.h"
#include "tests/support/temp_folder.h"

namespace lumi::platform::windows_backend {
namespace {

class WindowsProfileTest : public ::testing::Test {
 protected:
  std::string Put(const std::string& bytes) {
    const std::string path = temp_.Path("case" + std::to_string(++files_) + ".ini");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
  }
  std::string Get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  test::TempFolder temp_{"profile"};
  int files_ = 0;
  WindowsProfile profile_;
};

// The cases the Linux reader is tested with, against Windows' own functions.
TEST_F(WindowsProfileTest, ReadsTheSharedCasesAsWindowsDoes) {
  for (const test::IniReadCase& c : test::IniReadCases()) {
    const std::string path = Put(c.file);
    EXPECT_EQ(profile_.ReadString(path, c.section, c.key, "<none>", 2047), c.windows.value_or(c.expected))
        << c.what;
  }
  for (const test::IniIntegerCase& c : test::IniIntegerCases()) {
    const std::string path = Put("[n]\r\nk=" + c.text + "\r\n");
    EXPECT_EQ(profile_.ReadInteger(path, "n", "k", 9), c.windows.value_or(c.expected)) << c.what;
  }
}

TEST_F(WindowsProfileTest, WritesCreateTheFileAndAddAKeyAfterTheLastKey) {
  const std::string path = temp_.Path("Settings.ini");
  ASSERT_TRUE(profile_.WriteString(path, "Main", "Port", "COM 1"));
  ASSERT_TRUE(profile_.WriteString(path, "Main", "Pause", "1"));
  ASSERT_TRUE(profile_.WriteString(path, "0", "Signal", "0"));
  EXPECT_EQ(Get(path), "[Main]\r\nPort=COM 1\r\nPause=1\r\n[0]\r\nSignal=0\r\n");
  EXPECT_EQ(profile_.ReadString(path, "main", "PAUSE", "", 10), "1");
  EXPECT_EQ(profile_.ReadInteger(path, "0", "Signal", 9), 0);
  // Cut to the length asked for.
  EXPECT_EQ(profile_.ReadString(path, "Main", "Port", "", 3), "COM");
}

TEST_F(WindowsProfileTest, RefusesWritesThatWouldBreakTheFileAndChangesNothing) {
  const std::string path = Put("[s]\r\nk=v\r\n");
  EXPECT_FALSE(profile_.WriteString(path, "s", "k", "two\r\nlines"));
  EXPECT_FALSE(profile_.WriteString(path, "s", "k", "new\nline"));
  EXPECT_FALSE(profile_.WriteString(path, "s]", "k", "v"));
  EXPECT_FALSE(profile_.WriteString(path, "s", "a=b", "v"));
  EXPECT_FALSE(profile_.WriteString(path, "s", " ;k", "v"));
  EXPECT_FALSE(profile_.WriteString(path, "s", "[k", "v"));
  EXPECT_FALSE(profile_.WriteString(path, "s", "k", std::string("a\0b", 3)));
  EXPECT_EQ(Get(path), "[s]\r\nk=v\r\n");
  EXPECT_FALSE(profile_.WriteString(temp_.Path("no-folder\\x.ini"), "s", "k", "v"));
}

}  // namespace
}  // namespace lumi::platform::windows_backend
