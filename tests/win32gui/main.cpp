// The Windows program's own window under Wine, driven as a person would, with the cases
// of the Qt window's GUI tests (tests/gui): the same X session (Xvfb, openbox, trayer),
// Wine without its virtual desktop so that every window is an X window of its own and
// the tray icon docks into trayer, as on a Linux desktop.
//
// Wine allows every case; what it needs:
// - A copy is stopped as Windows ends a session (tests/win32gui/run-under-wine): Wine
//   ends a Windows program at once on SIGTERM, and a program with a window and no
//   console never sees the Ctrl-C it makes of SIGINT.
// - trayer's panel has a fixed width (tests/gui/support/x_session.cpp): Wine keeps
//   taking a docked icon's clicks where the icon was when it docked, and a panel that
//   grows as the icon docks moves it away from there.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/gui/support/command.h"
#include "tests/gui/support/program.h"
#include "tests/gui/support/x_session.h"
#include "tests/win32gui/support/wine.h"

namespace {

namespace fs = std::filesystem;

class WineSessionEnvironment final : public testing::Environment {
 public:
  void SetUp() override {
    if (!fs::exists(LUMISCOPE_WINDOWS_BINARY))
      GTEST_SKIP() << "no " << LUMISCOPE_WINDOWS_BINARY << " (scripts/build-windows builds it)";
    for (const char* tool : {"wine", "Xvfb", "openbox", "trayer", "xdotool"}) {
      if (!lumi::gui::Installed(tool))
        GTEST_SKIP() << tool << " is not installed (scripts/setup --windows installs it)";
    }
    std::string error;
    ASSERT_TRUE(lumi::gui::Session().Start(error)) << error;
    ASSERT_TRUE(lumi::gui::StartWine(error)) << error;
    lumi::gui::UnderTest() = {&lumi::gui::WineOptions, lumi::gui::kWineProgramName, "explorer.exe"};
  }
  void TearDown() override {
    lumi::gui::StopWine();
    lumi::gui::Session().Stop();
  }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new WineSessionEnvironment);
  return RUN_ALL_TESTS();
}
