// Runs the built lumiscope-unit as the program would meet it: a pseudo-terminal that is
// opened, written and closed again for every byte.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace lumi::unit {
namespace {

namespace fs = std::filesystem;

// The test program lives in build/tests/, the unit in build/.
std::string unit_binary() {
  return (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "lumiscope-unit").string();
}

class UnitProcess {
 public:
  explicit UnitProcess(std::vector<std::string> args) {
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    args.insert(args.begin(), unit_binary());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    out_ = out[0];
  }
  UnitProcess(const UnitProcess&) = delete;
  UnitProcess& operator=(const UnitProcess&) = delete;
  ~UnitProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
  }

  bool started() const { return pid_ > 0; }

  // The next line of stdout; nullopt at its end. The wait is only a guard against a
  // hung unit, generous enough for a loaded sanitizer build.
  std::optional<std::string> line() {
    for (;;) {
      if (auto end = buffer_.find('\n'); end != std::string::npos) {
        std::string result = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        return result;
      }
      pollfd ready{out_, POLLIN, 0};
      if (poll(&ready, 1, 20000) <= 0) return std::nullopt;
      char chunk[512];
      ssize_t got = read(out_, chunk, sizeof chunk);
      if (got <= 0) return std::nullopt;
      buffer_.append(chunk, static_cast<std::size_t>(got));
    }
  }

  void signal(int number) const { kill(pid_, number); }

  // The exit status, or -1 when the unit did not exit normally.
  int wait() {
    int status = 0;
    pid_t done = waitpid(pid_, &status, 0);
    pid_ = -1;
    if (done <= 0 || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string buffer_;
};

// Each write on a fresh open of the slave, the way the program's serial port does it.
void write_through(const std::string& device, const std::string& bytes) {
  int fd = open(device.c_str(), O_WRONLY | O_NOCTTY);
  ASSERT_GE(fd, 0) << device << ": " << std::strerror(errno);
  EXPECT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  close(fd);
}

std::string device_of(UnitProcess& unit) {
  std::optional<std::string> first = unit.line();
  if (!first || first->rfind("device: ", 0) != 0) return {};
  return first->substr(8);
}

class UnitBinary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(unit_binary())) << unit_binary() << " is missing: build the lumiscope-unit target";
  }
};

TEST_F(UnitBinary, ReportsProbeFramesAndDroppedBytesAsJsonLines) {
  UnitProcess unit({"--json"});
  ASSERT_TRUE(unit.started());
  std::string device = device_of(unit);
  ASSERT_EQ(device.rfind("/dev/pts/", 0), 0U) << device;

  write_through(device, "AT\r\n");
  write_through(device, "\x55");
  write_through(device, "\xAA");
  write_through(device, "\x80");
  write_through(device, std::string("\x00\xC0", 2));
  write_through(device, "A");
  write_through(device, "\xC1");

  EXPECT_EQ(unit.line(), R"({"event":"probe"})");
  EXPECT_EQ(unit.line(), R"({"event":"frame","bytes":[85,170],"leds":[1,0,1,0,1,0,1,0,1,0,1,0,1,0]})");
  EXPECT_EQ(unit.line(), R"({"event":"dropped","bytes":[128]})");
  EXPECT_EQ(unit.line(), R"({"event":"frame","bytes":[0,192],"leds":[0,0,0,0,0,0,0,0,0,0,0,0,0,1]})");
  EXPECT_EQ(unit.line(), R"({"event":"frame","bytes":[65,193],"leds":[1,0,0,0,0,0,1,1,0,0,0,0,0,1]})");

  unit.signal(SIGINT);
  EXPECT_EQ(unit.line(), std::nullopt);
  EXPECT_EQ(unit.wait(), 0);
}

TEST_F(UnitBinary, LinkReplacesAnOldLinkAndGoesAtExit) {
  fs::path folder = fs::temp_directory_path() / ("lumi-unit-" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::path link = folder / "COM1";
  fs::create_symlink("/dev/nonexistent-old-unit", link);
  {
    UnitProcess unit({"--json", "--link", link.string()});
    ASSERT_TRUE(unit.started());
    std::string device = device_of(unit);
    ASSERT_FALSE(device.empty());
    EXPECT_EQ(fs::read_symlink(link).string(), device);

    write_through(link.string(), std::string("\x01\x80", 2));
    EXPECT_EQ(unit.line(), R"({"event":"frame","bytes":[1,128],"leds":[1,0,0,0,0,0,0,0,0,0,0,0,0,0]})");
    unit.signal(SIGTERM);
    EXPECT_EQ(unit.wait(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  }
  // Something that is not a link is never replaced.
  { std::ofstream(link) << "keep"; }
  UnitProcess refused({"--json", "--link", link.string()});
  ASSERT_TRUE(refused.started());
  EXPECT_EQ(refused.wait(), 1);
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(link)));
  fs::remove_all(folder);
}

TEST_F(UnitBinary, ReplaysARecordingAndRejectsBadArguments) {
  fs::path recording = fs::temp_directory_path() / ("lumi-unit-rec-" + std::to_string(getpid()));
  {
    std::ofstream(recording, std::ios::binary) << std::string(
        "\x7F\xFF"
        "AT\r\n"
        "\x41",
        7);
  }
  UnitProcess replay({"--json", recording.string()});
  ASSERT_TRUE(replay.started());
  EXPECT_EQ(replay.line(), "device: " + recording.string());
  EXPECT_EQ(replay.line(), R"({"event":"frame","bytes":[127,255],"leds":[1,1,1,1,1,1,1,1,1,1,1,1,1,1]})");
  EXPECT_EQ(replay.line(), R"({"event":"probe"})");
  EXPECT_EQ(replay.line(), R"({"event":"dropped","bytes":[65]})");
  EXPECT_EQ(replay.line(), std::nullopt);
  EXPECT_EQ(replay.wait(), 0);
  fs::remove(recording);

  UnitProcess unknown({"--frobnicate"});
  EXPECT_EQ(unknown.wait(), 2);
  UnitProcess missing({"--json", "/dev/lumi-unit-no-such-device"});
  EXPECT_EQ(missing.line(), std::nullopt);
  EXPECT_EQ(missing.wait(), 1);
}

}  // namespace
}  // namespace lumi::unit
