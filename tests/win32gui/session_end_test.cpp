// Windows ends the session (log-off, shut-down) while the program runs: it ends as on
// "Выход", with the unit dark and the settings as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "tests/gui/support/poll.h"
#include "tests/gui/support/program.h"
#include "tests/gui/support/tray.h"
#include "tests/win32gui/support/wine.h"

namespace lumi::gui {
namespace {

using namespace std::chrono_literals;

bool HasFrame(const std::vector<unit::Event>& events, const std::vector<uint8_t>& bytes) {
  return std::any_of(events.begin(), events.end(), [&](const unit::Event& event) {
    return event.kind == unit::EventKind::frame && event.bytes == bytes;
  });
}

TEST(SessionEndTest, TheEndOfTheSessionEndsTheProgramWithTheUnitDarkAndTheSettingsKept) {
  GuiProgram program("session-end", GuiProgram::Start::FirstStart);
  e2e::WriteSettings(program.runner().SettingsPath(), e2e::AlternatingChannels());
  const std::string settings = program.Settings();
  ASSERT_TRUE(program.runner().Start());
  ASSERT_TRUE(WaitForTrayIcon()) << "no tray icon in work mode";
  ASSERT_TRUE(WaitUntil([&] { return HasFrame(program.runner().Collect(500ms), {0x55, 0xAA}); }, kPatience));

  ASSERT_TRUE(EndWineSession());
  EXPECT_EQ(program.runner().WaitForExit(kPatience), 0);
  const std::vector<uint8_t> last = program.runner().Read(500ms);
  ASSERT_GE(last.size(), 2u);
  EXPECT_EQ(std::vector<uint8_t>(last.end() - 2, last.end()), (std::vector<uint8_t>{0x00, 0x80}));
  EXPECT_EQ(program.Settings(), settings);
}

TEST(SessionEndTest, TheEndOfTheSessionInSetupModeEndsTheProgram) {
  GuiProgram program("session-end-setup", GuiProgram::Start::FirstStart);
  ASSERT_TRUE(program.runner().Start());
  ASSERT_TRUE(program.WaitForWindow(kMainTitle));
  ASSERT_TRUE(EndWineSession());
  EXPECT_EQ(program.runner().WaitForExit(kPatience), 0);
}

}  // namespace
}  // namespace lumi::gui
