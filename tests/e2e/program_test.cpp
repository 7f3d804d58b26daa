// The built program on its own: a copy in a temporary folder, its serial port a
// pseudo-terminal read by the test. These tests start the program and so never run
// side by side (the single-instance check would close one of two copies).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
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

TEST(ProgramTest, ASecondCopyClosesItselfAndTheFirstRunsOn) {
  ProgramRunner first(FolderFor("copy1"));
  ProgramRunner second(FolderFor("copy2"));
  ASSERT_TRUE(first.Start());
  first.Collect(1s);
  ASSERT_TRUE(second.Start());
  second.Collect(2s);
  EXPECT_FALSE(second.Running());
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(first.Stop(), 0);
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
