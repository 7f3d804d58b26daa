// The whole way: the built lumiscope writes to ports/COM1, a pseudo-terminal whose
// bytes go into the simulated UART of the LED unit's firmware, and the pins show the
// channels. Like every test that starts the program it runs alone.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <vector>

#include "tests/e2e/program_runner.h"
#include "tests/firmware/simulated_unit.h"

namespace lumi::firmware {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(ProgramToPinsTest, TheProgramsFramesLightTheEvenChannelsUntilItEnds) {
  e2e::ProgramRunner program(e2e::FolderFor("firmware"));
  e2e::WriteSettings(program.SettingsPath(), e2e::AlternatingChannels());
  SimulatedUnit unit(LUMISCOPE_FIRMWARE_HEX);
  ASSERT_TRUE(program.Start());

  // The simulated unit keeps pace with the clock on the wall: each turn hands it what
  // the program wrote and runs it for as long as the turn took.
  std::vector<std::uint8_t> line;
  std::uint64_t last_bytes = 0;  // the simulated cycle at which the last bytes came
  auto last = Clock::now();
  for (const auto end = last + 3s; Clock::now() < end;) {
    const std::vector<std::uint8_t> bytes = program.Read(50ms);
    line.insert(line.end(), bytes.begin(), bytes.end());
    unit.Send(bytes);
    if (!bytes.empty()) last_bytes = unit.Cycle();
    const auto now = Clock::now();
    unit.Run(std::chrono::duration_cast<std::chrono::microseconds>(now - last));
    last = now;
  }
  ASSERT_TRUE(unit.RunUntilTaken());

  // The probe first, then frames 55 AA at a cycle of 0.2 s.
  ASSERT_GE(line.size(), 4u);
  EXPECT_EQ(std::vector<std::uint8_t>(line.begin(), line.begin() + 4),
            (std::vector<std::uint8_t>{'A', 'T', '\r', '\n'}));
  std::vector<std::uint8_t> frames(line.begin() + 4, line.end());
  ASSERT_GE(frames.size(), 10u);
  for (size_t i = 0; i + 1 < frames.size(); i += 2) {
    EXPECT_EQ(frames[i], 0x55) << "byte " << i;
    EXPECT_EQ(frames[i + 1], 0xAA) << "byte " << i + 1;
  }

  // The LEDs went from all off to channels 0, 2, ..., 12 once and stayed.
  EXPECT_EQ(unit.Leds(), 0x1555);
  EXPECT_EQ(unit.LedsFromRegisters(), 0x1555);
  ASSERT_EQ(unit.Changes().size(), 1u);
  EXPECT_EQ(unit.Changes().front().leds, 0x1555);

  // The program dies without a word (an ended program sends the all-off frame; a killed
  // one cannot): ten seconds after its last frame every LED is off.
  kill(program.Pid(), SIGKILL);
  program.Stop();
  const std::vector<std::uint8_t> rest = program.Read(100ms);
  unit.Send(rest);
  if (!rest.empty()) last_bytes = unit.Cycle();
  unit.Run(11s);
  EXPECT_EQ(unit.Leds(), 0);
  ASSERT_EQ(unit.Changes().size(), 2u);
  EXPECT_NEAR(SimulatedUnit::Seconds(unit.Changes().back().cycle - last_bytes), 10.0, 0.05);
}

}  // namespace
}  // namespace lumi::firmware
