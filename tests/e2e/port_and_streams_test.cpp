// The program against what a careless or hostile setting of its surroundings does: a
// killed run, a port map pointing at somebody's terminal or re-pointed while it runs,
// standard streams that are closed or never read.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/program_runner.h"

namespace lumi::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

size_t Count(const std::vector<unit::Event>& events, unit::EventKind kind) {
  return static_cast<size_t>(std::count_if(events.begin(), events.end(),
                                           [&](const unit::Event& event) { return event.kind == kind; }));
}

// Collects until a frame has come, at most `limit`.
std::vector<unit::Event> UntilAFrame(ProgramRunner& program, std::chrono::milliseconds limit) {
  std::vector<unit::Event> events;
  for (auto waited = 0ms; waited < limit && Count(events, unit::EventKind::frame) == 0; waited += 250ms) {
    std::vector<unit::Event> more = program.Collect(250ms);
    events.insert(events.end(), more.begin(), more.end());
  }
  return events;
}

void RePoint(const ProgramRunner& program, const std::string& target) {
  const fs::path link = program.folder() / "ports" / "COM1";
  fs::remove(link);
  fs::create_symlink(target, link);
}

// A second pseudo-terminal the test reads, raw, its slave held open.
class Terminal {
 public:
  Terminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    path_ = ptsname(master_);
    slave_ = open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  }
  ~Terminal() {
    if (slave_ >= 0) close(slave_);
    if (master_ >= 0) close(master_);
  }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  const std::string& path() const { return path_; }
  int slave() const { return slave_; }

  termios Settings() const {
    termios settings{};
    tcgetattr(slave_, &settings);
    return settings;
  }
  // Whatever arrives within `duration`.
  std::string Read(std::chrono::milliseconds duration) {
    std::string got;
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
      pollfd ready{master_, POLLIN, 0};
      if (poll(&ready, 1, 50) <= 0) continue;
      char buffer[256];
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n > 0) got.append(buffer, static_cast<size_t>(n));
    }
    return got;
  }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

bool SameSettings(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
         a.c_lflag == b.c_lflag && cfgetospeed(&a) == cfgetospeed(&b);
}

TEST(PortAndStreamsTest, AKilledRunLeavesThePortToTheNextStartOfAnotherUser) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to start the second run as another user";
  constexpr uid_t kOtherUser = 47012;  // no account needed: the program only needs its folder
  ProgramRunner program(FolderFor("killed"));
  WriteSettings(program.SettingsPath(), {{0, "-1", ""}});
  ASSERT_TRUE(program.Start());
  ASSERT_GT(Count(UntilAFrame(program, 10s), unit::EventKind::frame), 0u);
  kill(program.Pid(), SIGKILL);
  for (int wait = 0; wait < 100 && program.Running(); ++wait) program.Collect(50ms);
  ASSERT_FALSE(program.Running());

  ASSERT_TRUE(program.RunAs(kOtherUser));
  ASSERT_TRUE(program.Start());
  EXPECT_GT(Count(UntilAFrame(program, 10s), unit::EventKind::frame), 0u) << program.ErrorOutput();
  EXPECT_EQ(program.Stop(), 0);
}

TEST(PortAndStreamsTest, ARePointedPortLinkTakesTheFramesAlong) {
  ProgramRunner program(FolderFor("repoint"));
  WriteSettings(program.SettingsPath(), {{0, "-1", ""}});
  ASSERT_TRUE(program.Start());
  ASSERT_GT(Count(UntilAFrame(program, 10s), unit::EventKind::frame), 0u);

  Terminal other;
  ASSERT_GE(other.slave(), 0);
  RePoint(program, other.path());
  program.Collect(1s);  // a frame already on its way may still come
  const std::string moved = other.Read(2s);
  EXPECT_GE(unit::FrameDecoder()
                .feed(std::span(reinterpret_cast<const uint8_t*>(moved.data()), moved.size()))
                .size(),
            3u);
  EXPECT_EQ(Count(program.Collect(1s), unit::EventKind::frame), 0u);
  EXPECT_EQ(program.Stop(), 0);
}

TEST(PortAndStreamsTest, TheTerminalThatStartedTheProgramIsNeverTakenOver) {
  Terminal shell;
  ASSERT_GE(shell.slave(), 0);
  // A terminal as a shell leaves it: cooked and echoing.
  termios cooked = shell.Settings();
  cooked.c_lflag |= ICANON | ECHO | ISIG;
  cooked.c_oflag |= OPOST | ONLCR;
  ASSERT_EQ(tcsetattr(shell.slave(), TCSANOW, &cooked), 0);
  const termios before = shell.Settings();

  ProgramRunner program(FolderFor("own-terminal"));
  WriteSettings(program.SettingsPath(), {{0, "-1", ""}});
  RePoint(program, "/dev/tty");
  ProgramRunner::StartOptions options;
  options.controlling_terminal = shell.slave();
  ASSERT_TRUE(program.Start(options));
  EXPECT_EQ(shell.Read(3s), "");
  EXPECT_TRUE(SameSettings(shell.Settings(), before));
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(program.Stop(), 0);
  EXPECT_TRUE(SameSettings(shell.Settings(), before));
}

TEST(PortAndStreamsTest, AStderrNobodyReadsDoesNotHoldTheProgram) {
  int pipe_ends[2];
  ASSERT_EQ(pipe2(pipe_ends, O_CLOEXEC), 0);
  // Full before the program starts; then blocking again, as a pipe normally is.
  ASSERT_EQ(fcntl(pipe_ends[1], F_SETFL, O_NONBLOCK), 0);
  const std::string block(4096, 'x');
  while (write(pipe_ends[1], block.data(), block.size()) > 0) {
  }
  ASSERT_EQ(fcntl(pipe_ends[1], F_SETFL, 0), 0);

  ProgramRunner program(FolderFor("full-stderr"));
  WriteSettings(program.SettingsPath(), {{0, "-1", ""}});
  ProgramRunner::StartOptions options;
  options.error_output = pipe_ends[1];
  ASSERT_TRUE(program.Start(options));
  EXPECT_GE(Count(UntilAFrame(program, 10s), unit::EventKind::frame), 1u);
  EXPECT_GE(Count(program.Collect(2s), unit::EventKind::frame), 3u);
  EXPECT_EQ(program.Stop(), 0);
  close(pipe_ends[0]);
  close(pipe_ends[1]);
}

TEST(PortAndStreamsTest, WithoutStandardStreamsOnlyTheProbeAndFramesReachThePort) {
  ProgramRunner program(FolderFor("no-streams"));
  WriteSettings(program.SettingsPath(), {{0, "-1", ""}});
  ProgramRunner::StartOptions options;
  options.close_standard_streams = true;
  ASSERT_TRUE(program.Start(options));
  std::vector<unit::Event> events = UntilAFrame(program, 10s);
  std::vector<unit::Event> more = program.Collect(2s);
  events.insert(events.end(), more.begin(), more.end());
  EXPECT_GE(Count(events, unit::EventKind::frame), 3u);
  EXPECT_EQ(Count(events, unit::EventKind::dropped), 0u);
  EXPECT_EQ(Count(events, unit::EventKind::probe), 1u);
  // Whatever the program may write to stdout or stderr goes nowhere, never to the port.
  for (int fd = 0; fd <= 2; ++fd) {
    std::error_code error;
    const fs::path stream = "/proc/" + std::to_string(program.Pid()) + "/fd/" + std::to_string(fd);
    EXPECT_EQ(fs::read_symlink(stream, error).string(), "/dev/null") << fd;
  }
  EXPECT_EQ(program.Stop(), 0);
}

}  // namespace
}  // namespace lumi::e2e
