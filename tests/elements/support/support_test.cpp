#include <gtest/gtest.h>

#include "elements/support/debug_message.h"
#include "elements/support/expand_path.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

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

}  // namespace
}  // namespace lumi
