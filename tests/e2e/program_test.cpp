// The built program on its own: a copy in a temporary folder, its serial port a
// pseudo-terminal read by the test. These tests start the program and so never run
// side by side (the single-instance check would close one of two copies).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "resources/default_settings.h"
#include "tests/e2e/program_runner.h"

namespace lumi::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

size_t CountFrames(const std::vector<unit::Event>& events, uint8_t first, uint8_t second) {
  return static_cast<size_t>(std::count_if(events.begin(), events.end(), [&](const unit::Event& event) {
    return event.kind == unit::EventKind::frame && event.bytes == std::vector<uint8_t>{first, second};
  }));
}

TEST(ProgramTest, FirstStartProbesThePortAndWritesTheDefaultSettings) {
  ProgramRunner program(FolderFor("first"));
  ASSERT_TRUE(program.Start());
  // However slowly a loaded machine starts it, the probe comes first.
  std::vector<unit::Event> events;
  for (int wait = 0; wait < 20 && events.empty(); ++wait) events = program.Collect(500ms);
  ASSERT_TRUE(program.WaitForFile(program.SettingsPath(), 10s));

  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front().kind, unit::EventKind::probe);
  EXPECT_EQ(events.front().bytes, (std::vector<uint8_t>{'A', 'T', '\r', '\n'}));
  EXPECT_EQ(ReadFile(program.SettingsPath()), resources::DefaultSettings());
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(program.Stop(), 0);
}

TEST(ProgramTest, FramesFollowTheChannelsAndOutliveTheSettingsFile) {
  ProgramRunner program(FolderFor("frames"));
  WriteSettings(program.SettingsPath(), AlternatingChannels());
  ASSERT_TRUE(program.Start());
  // A cycle every 0.2 s: well over five frames in three seconds, however loaded the
  // machine, and never another pattern.
  std::vector<unit::Event> events = program.Collect(3s);
  size_t frames = CountFrames(events, 0x55, 0xAA);
  EXPECT_GE(frames, 5u);
  EXPECT_LE(frames, 16u);
  size_t others =
      static_cast<size_t>(std::count_if(events.begin(), events.end(), [](const unit::Event& event) {
        return event.kind == unit::EventKind::frame;
      }));
  EXPECT_EQ(others, frames);

  // Without its settings file the program reads defaults but keeps its cycle.
  fs::remove(program.SettingsPath());
  program.Collect(500ms);
  std::vector<unit::Event> later = program.Collect(2s);
  EXPECT_GE(std::count_if(later.begin(), later.end(),
                          [](const unit::Event& event) { return event.kind == unit::EventKind::frame; }),
            3);
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(program.Stop(), 0);
}

TEST(ProgramTest, ASecondCopyNamesTheRunningOneClosesAndTheFirstRunsOn) {
  ProgramRunner first(FolderFor("copy1"));
  ProgramRunner second(FolderFor("copy2"));
  ASSERT_TRUE(first.Start());
  first.Collect(1s);
  ASSERT_TRUE(second.Start());
  second.Collect(2s);
  EXPECT_FALSE(second.Running());
  EXPECT_NE(second.ErrorOutput().find("already running as process " + std::to_string(first.Pid())),
            std::string::npos)
      << second.ErrorOutput();
  // Asked for its window, the first copy lives on.
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(first.Stop(), 0);
}

TEST(ProgramTest, AnotherUsersCopyIsNoReasonToClose) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to start a copy as another user";
  constexpr uid_t kOtherUser = 47011;  // no account needed: the program only needs its folder
  ProgramRunner first(FolderFor("user1"));
  ProgramRunner second(FolderFor("user2"));
  ASSERT_TRUE(second.RunAs(kOtherUser));
  ASSERT_TRUE(first.Start());
  first.Collect(1s);
  ASSERT_TRUE(second.Start());
  const std::vector<unit::Event> events = second.Collect(2s);
  EXPECT_TRUE(second.Running()) << second.ErrorOutput();
  EXPECT_TRUE(first.Running());
  EXPECT_GT(std::count_if(events.begin(), events.end(),
                          [](const unit::Event& event) { return event.kind == unit::EventKind::probe; }),
            0);
  EXPECT_EQ(second.Stop(), 0);
  EXPECT_EQ(first.Stop(), 0);
}

TEST(ProgramTest, EndingTheProgramSwitchesTheUnitOff) {
  ProgramRunner program(FolderFor("switch-off"));
  WriteSettings(program.SettingsPath(), {{0, "-1", ""}, {0, "-1", ""}});
  const auto has_frame = [](const std::vector<unit::Event>& events) {
    return std::any_of(events.begin(), events.end(),
                       [](const unit::Event& event) { return event.kind == unit::EventKind::frame; });
  };
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    ASSERT_TRUE(program.Start());
    std::vector<unit::Event> events;
    for (int wait = 0; wait < 40 && !has_frame(events); ++wait) {
      std::vector<unit::Event> more = program.Collect(250ms);
      events.insert(events.end(), more.begin(), more.end());
    }
    ASSERT_TRUE(has_frame(events));
    kill(program.Pid(), signal);
    for (int wait = 0; wait < 40 && program.Running(); ++wait) {
      std::vector<unit::Event> more = program.Collect(250ms);
      events.insert(events.end(), more.begin(), more.end());
    }
    std::vector<unit::Event> last = program.Collect(100ms);
    events.insert(events.end(), last.begin(), last.end());
    EXPECT_FALSE(program.Running());
    ASSERT_EQ(events.back().kind, unit::EventKind::frame);
    EXPECT_EQ(events.back().bytes, (std::vector<uint8_t>{0x00, 0x80}));
  }
}

TEST(ProgramTest, CopiesStartedTogetherLeaveExactlyOne) {
  ProgramRunner first(FolderFor("together1"));
  ProgramRunner second(FolderFor("together2"));
  ASSERT_TRUE(first.Start());
  ASSERT_TRUE(second.Start());
  first.Collect(2s);
  EXPECT_EQ(int(first.Running()) + int(second.Running()), 1);
}

}  // namespace
}  // namespace lumi::e2e
