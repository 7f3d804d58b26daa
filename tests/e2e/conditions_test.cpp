// The built program watching conditions other than the processor load: drives mapped
// through a drives/ folder beside it, and the machine's real memory. Like every test
// here these start the program and never run side by side with another.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/program_runner.h"

namespace lumi::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

std::vector<std::vector<uint8_t>> FramesOf(const std::vector<unit::Event>& events) {
  std::vector<std::vector<uint8_t>> frames;
  for (const unit::Event& event : events)
    if (event.kind == unit::EventKind::frame) frames.push_back(event.bytes);
  return frames;
}

TEST(ConditionsTest, DrivesOfTheDrivesFolderAreThereOrNot) {
  ProgramRunner program(FolderFor("cond-drives"));
  // The whole drive map: C is a folder that exists, and there is no E.
  fs::create_directories(program.folder() / "disk-c");
  fs::create_directories(program.folder() / "drives");
  fs::create_directory_symlink(program.folder() / "disk-c", program.folder() / "drives" / "C");
  std::vector<Channel> channels;
  for (int i = 0; i < 14; ++i) channels.push_back({1, "0", i % 2 == 0 ? "C" : "E"});
  WriteSettings(program.SettingsPath(), channels);

  ASSERT_TRUE(program.Start());
  const std::vector<std::vector<uint8_t>> frames = FramesOf(program.Collect(3s));
  // However loaded the machine, several cycles of 0.2 s fit into three seconds.
  ASSERT_GE(frames.size(), 3u);
  for (const auto& frame : frames) EXPECT_EQ(frame, (std::vector<uint8_t>{0x55, 0xAA}));

  // The stick E goes in: every channel is lit from the next cycle on.
  fs::create_directories(program.folder() / "disk-e");
  fs::create_directory_symlink(program.folder() / "disk-e", program.folder() / "drives" / "E");
  program.Collect(1s);
  const std::vector<std::vector<uint8_t>> later = FramesOf(program.Collect(2s));
  ASSERT_GE(later.size(), 2u);
  for (const auto& frame : later) EXPECT_EQ(frame, (std::vector<uint8_t>{0x7F, 0xFF}));
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(program.Stop(), 0);
}

TEST(ConditionsTest, FreeMemoryBelowTheWholeBlinksFromFrameToFrame) {
  ProgramRunner program(FolderFor("cond-memory"));
  // Free RAM below 100 %, which a running machine always has; the rest never on.
  std::vector<Channel> channels = {{4, "100", ""}};
  for (int i = 1; i < 14; ++i) channels.push_back({0, "100", "C"});
  WriteSettings(program.SettingsPath(), channels);

  ASSERT_TRUE(program.Start());
  const std::vector<std::vector<uint8_t>> frames = FramesOf(program.Collect(3s));
  ASSERT_GE(frames.size(), 4u);
  for (size_t i = 0; i < frames.size(); ++i) {
    ASSERT_EQ(frames[i].size(), 2u);
    EXPECT_EQ(frames[i][0] & 0x7E, 0) << "frame " << i;
    EXPECT_EQ(frames[i][1], 0x80) << "frame " << i;
    // Every cycle evaluates channel 0 exactly once, so the lamp changes every frame.
    if (i > 0) {
      EXPECT_NE(frames[i][0] & 1, frames[i - 1][0] & 1) << "frame " << i;
    }
  }
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(program.Stop(), 0);
}

// A network of its own for the program (root only), whose one name server takes every
// question and never answers: lookups hang for minutes. The wrapper first makes sure
// they do.
constexpr const char* kDeadNameServer = R"(#!/bin/sh
dir=$(dirname "$0")
printf 'nameserver 127.0.0.1\noptions timeout:30 attempts:5\n' >"$dir/resolv.conf"
exec unshare --net --mount sh -c '
  ip link set lo up && mount --bind "$1/resolv.conf" /etc/resolv.conf || exit 125
  timeout 120 socat -u UDP4-RECV:53,bind=127.0.0.1 OPEN:/dev/null,wronly 2>/dev/null &
  sleep 0.2
  timeout 1 getent hosts lumiscope-probe.example >/dev/null
  [ $? -eq 124 ] && : >"$1/lookups-hang"
  shift
  exec "$@"' sh "$dir" "$@"
)";

TEST(ConditionsTest, FourteenInternetChannelsKeepTheCycleWhenTheNameServerNeverAnswers) {
  if (geteuid() != 0) GTEST_SKIP() << "a network namespace needs root";
  if (!fs::exists("/usr/bin/unshare") || (!fs::exists("/usr/sbin/ip") && !fs::exists("/sbin/ip")))
    GTEST_SKIP() << "unshare and ip (util-linux, iproute2) are not installed";
  if (!fs::exists("/usr/bin/socat")) GTEST_SKIP() << "socat is not installed";
  const fs::path folder = FolderFor("cond-dead-dns");
  RunOptions options;
  options.launcher = {"/bin/sh", (folder / "dead-name-server").string()};
  ProgramRunner program(folder, options);
  {
    std::ofstream script(folder / "dead-name-server");
    script << kDeadNameServer;
  }
  WriteSettings(program.SettingsPath(), std::vector<Channel>(14, Channel{9, "0", "1"}));

  ASSERT_TRUE(program.Start());
  program.Collect(1500ms);  // the wrapper's own check, the probe, the first cycles
  ASSERT_TRUE(fs::exists(folder / "lookups-hang")) << "the name server answered: " << program.ErrorOutput();
  const std::vector<std::vector<uint8_t>> frames = FramesOf(program.Collect(3s));
  // A loop waiting 2 s per channel would send its first frame after 28 s.
  EXPECT_GE(frames.size(), 8u);
  for (const auto& frame : frames) EXPECT_EQ(frame, (std::vector<uint8_t>{0x00, 0x80}));
  EXPECT_EQ(program.Stop(), 0);
}

}  // namespace
}  // namespace lumi::e2e
