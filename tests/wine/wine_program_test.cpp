// The Windows program under Wine, from the Linux side: a copy in a temporary folder, in
// a Wine prefix made for this run, its COM1 a pseudo-terminal the test reads. Skipped
// when the Windows program has not been built or Wine is missing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "resources/default_settings.h"
#include "tests/e2e/program_runner.h"

namespace lumi::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Wine starts slowly, the more so without a display (about five seconds).
constexpr auto kStartLimit = 60s;

size_t CountFrames(const std::vector<unit::Event>& events, uint8_t first, uint8_t second) {
  return static_cast<size_t>(std::count_if(events.begin(), events.end(), [&](const unit::Event& event) {
    return event.kind == unit::EventKind::frame && event.bytes == std::vector<uint8_t>{first, second};
  }));
}

// One Wine prefix for the whole run, made fresh, whose COM1 is whatever the link
// `ports/COM1` of the test's folder points to at the moment.
class WineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    prefix_ = fs::temp_directory_path() / ("lumiscope-wine-" + std::to_string(getpid()));
    fs::remove_all(prefix_);
    setenv("WINEPREFIX", prefix_.c_str(), 1);
  }
  static void TearDownTestSuite() {
    // Ends this prefix's Wine, whose server would otherwise linger a few seconds.
    std::system("(wineserver -k || /usr/lib/wine/wineserver -k) >/dev/null 2>&1");
    std::error_code ignored;
    fs::remove_all(prefix_, ignored);
  }

  void SetUp() override {
    if (!fs::exists(LUMISCOPE_WINDOWS_BINARY)) GTEST_SKIP() << "no " << LUMISCOPE_WINDOWS_BINARY;
    if (std::system("command -v wine >/dev/null") != 0) GTEST_SKIP() << "Wine is not installed";
  }

  RunOptions Options() const {
    RunOptions options;
    options.program = LUMISCOPE_WINDOWS_BINARY;
    options.program_name = "lumiscope-e2e.exe";
    options.launcher = {LUMISCOPE_WINE_RUN};
    options.stop_signal = SIGINT;
    return options;
  }

  // Wine's COM1 is the folder's link to the test's pseudo-terminal.
  static void MapComOneTo(const ProgramRunner& program) {
    const std::string command = std::string(LUMISCOPE_WINE_RUN) + " --com1 '" +
                                (program.folder() / "ports" / "COM1").string() + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }

  static std::vector<unit::Event> CollectUntilFrames(ProgramRunner& program, size_t frames) {
    std::vector<unit::Event> events;
    const auto end = std::chrono::steady_clock::now() + kStartLimit;
    while (std::chrono::steady_clock::now() < end) {
      std::vector<unit::Event> more = program.Collect(500ms);
      events.insert(events.end(), more.begin(), more.end());
      if (static_cast<size_t>(std::count_if(events.begin(), events.end(), [](const unit::Event& e) {
            return e.kind == unit::EventKind::frame;
          })) >= frames) {
        break;
      }
    }
    return events;
  }

  static fs::path prefix_;
};

fs::path WineTest::prefix_;

TEST_F(WineTest, FirstStartWritesTheDefaultsProbesAndEndsOnCtrlCWithTheAllOffFrame) {
  ProgramRunner program(FolderFor("wine-first"), Options());
  MapComOneTo(program);
  ASSERT_TRUE(program.Start());
  std::vector<unit::Event> events = CollectUntilFrames(program, 1);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front().kind, unit::EventKind::probe);
  ASSERT_TRUE(program.WaitForFile(program.SettingsPath(), 10s));
  EXPECT_EQ(ReadFile(program.SettingsPath()), resources::DefaultSettings());

  EXPECT_EQ(program.Stop(), 0);
  std::vector<uint8_t> last = program.Read(500ms);
  ASSERT_GE(last.size(), 2u);
  EXPECT_EQ(std::vector<uint8_t>(last.end() - 2, last.end()), (std::vector<uint8_t>{0x00, 0x80}));
}

TEST_F(WineTest, FramesFollowTheChannelsAtTheirPauseAndASecondStartNamesTheFirst) {
  ProgramRunner program(FolderFor("wine-frames"), Options());
  MapComOneTo(program);
  WriteSettings(program.SettingsPath(), AlternatingChannels());
  ASSERT_TRUE(program.Start());
  CollectUntilFrames(program, 1);
  std::vector<unit::Event> events = program.Collect(3s);
  const size_t frames = CountFrames(events, 0x55, 0xAA);
  EXPECT_GE(frames, 5u);
  EXPECT_LE(frames, 16u);
  EXPECT_EQ(static_cast<size_t>(
                std::count_if(events.begin(), events.end(),
                              [](const unit::Event& e) { return e.kind == unit::EventKind::frame; })),
            frames);

  EXPECT_EQ(program.RunAnother(kStartLimit), 0);
  EXPECT_NE(program.ErrorOutput().find("already running as process"), std::string::npos)
      << program.ErrorOutput();
  EXPECT_TRUE(program.Running());
  EXPECT_GE(CountFrames(program.Collect(1s), 0x55, 0xAA), 2u);
  EXPECT_EQ(program.Stop(), 0);
}

}  // namespace
}  // namespace lumi::e2e
