// The LED unit's firmware, the very hex file one would flash, on a simulated
// ATmega328P: bytes into its UART at 9600 baud, the fourteen LED pins watched.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

#include "tests/firmware/simulated_unit.h"

namespace lumi::firmware {
namespace {

using namespace std::chrono_literals;

constexpr std::uint16_t kEvenChannels = 0x1555;  // channels 0, 2, ..., 12: the frame 55 AA

class FirmwareTest : public ::testing::Test {
 protected:
  // Past the start-up, with everything the firmware sets up in place.
  void SetUp() override { unit_.Run(10ms); }

  // Sends the bytes and waits until the firmware has read them all.
  void Deliver(std::initializer_list<std::uint8_t> bytes) {
    unit_.Send(bytes);
    ASSERT_TRUE(unit_.RunUntilTaken());
    unit_.Run(1ms);  // the main loop's turn after the last byte
  }

  void ExpectLeds(std::uint16_t leds) {
    EXPECT_EQ(unit_.Leds(), leds) << std::hex << "pins seen through the port IRQs";
    EXPECT_EQ(unit_.LedsFromRegisters(), leds) << std::hex << "pins read from DDR and PORT";
  }

  SimulatedUnit unit_{LUMISCOPE_FIRMWARE_HEX};
};

TEST_F(FirmwareTest, StartsWithEveryLedOffAndListensAt9600Baud8N1) {
  ExpectLeds(0);
  EXPECT_TRUE(unit_.Changes().empty());
  EXPECT_TRUE(unit_.FirmwareListens8N1());
  // 16 MHz makes 9615 baud: 0.16 % off, far inside what a UART tolerates.
  EXPECT_NEAR(unit_.FirmwareBaud(), 9600, 9600 * 0.005);
}

TEST_F(FirmwareTest, TheProbeChangesNothing) {
  Deliver({'A', 'T', '\r', '\n'});
  unit_.Run(100ms);
  ExpectLeds(0);
  EXPECT_TRUE(unit_.Changes().empty());
}

TEST_F(FirmwareTest, FiftyFiveAaLightsTheEvenChannelsAndNoOther) {
  Deliver({0x55, 0xAA});
  ExpectLeds(kEvenChannels);
  ASSERT_EQ(unit_.Changes().size(), 1u);
}

TEST_F(FirmwareTest, EachBitLightsItsOwnChannel) {
  for (int channel = 0; channel < 14; ++channel) {
    const auto first = static_cast<std::uint8_t>(channel < 7 ? 1 << channel : 0);
    const auto second = static_cast<std::uint8_t>(0x80 | (channel >= 7 ? 1 << (channel - 7) : 0));
    Deliver({first, second});
    ExpectLeds(static_cast<std::uint16_t>(1 << channel));
  }
  Deliver({0x7F, 0xFF});
  ExpectLeds(0x3FFF);
  Deliver({0x00, 0x80});
  ExpectLeds(0);
}

TEST_F(FirmwareTest, TheProbeThenAFrameGivesTheFrame) {
  Deliver({'A', 'T', '\r', '\n', 0x55, 0xAA});
  ExpectLeds(kEvenChannels);
}

TEST_F(FirmwareTest, ALoneSecondByteIsIgnored) {
  Deliver({0xAA});
  ExpectLeds(0);
  EXPECT_TRUE(unit_.Changes().empty());

  Deliver({0x55, 0xAA});
  Deliver({0xFF});  // a second byte whose first byte is used up
  ExpectLeds(kEvenChannels);
  EXPECT_EQ(unit_.Changes().size(), 1u);
}

TEST_F(FirmwareTest, ANewerFirstByteReplacesThePendingOne) {
  Deliver({0x7F, 0x01, 0x80});
  ExpectLeds(0x0001);
}

TEST_F(FirmwareTest, GarbageBetweenFramesIsSurvived) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255);
  Deliver({0x55, 0xAA});
  for (int round = 0; round < 20; ++round) {
    std::vector<std::uint8_t> garbage(static_cast<size_t>(1 + round * 3));
    for (std::uint8_t& value : garbage) value = static_cast<std::uint8_t>(byte(random));
    unit_.Send(garbage);
    // A valid frame after the garbage: a pending first byte from the garbage is
    // replaced by the frame's own.
    const auto first = static_cast<std::uint8_t>(byte(random) & 0x7F);
    const auto second = static_cast<std::uint8_t>(byte(random) | 0x80);
    Deliver({first, second});
    ExpectLeds(static_cast<std::uint16_t>((second & 0x7F) << 7 | first));
  }
}

TEST_F(FirmwareTest, TenSecondsWithoutAFrameTurnEveryLedOff) {
  Deliver({0x55, 0xAA});
  const std::uint64_t frame = unit_.Changes().back().cycle;
  unit_.Run(9900ms);
  ExpectLeds(kEvenChannels);
  unit_.Run(200ms);
  ExpectLeds(0);
  ASSERT_EQ(unit_.Changes().size(), 2u);
  EXPECT_NEAR(SimulatedUnit::Seconds(unit_.Changes().back().cycle - frame), 10.0, 0.001);

  // The program is back: the next frame lights the LEDs again.
  Deliver({0x2A, 0xD5});
  ExpectLeds(0x2AAA);
}

TEST_F(FirmwareTest, AFrameShortlyBeforeTheTenSecondsStartsThemAgain) {
  Deliver({0x55, 0xAA});
  unit_.Run(9800ms);
  Deliver({0x55, 0xAA});  // the same pattern: no pin changes, yet the time starts again
  const std::uint64_t second_frame = unit_.Cycle();
  unit_.Run(9800ms);
  ExpectLeds(kEvenChannels);
  EXPECT_EQ(unit_.Changes().size(), 1u);
  unit_.Run(400ms);
  ExpectLeds(0);
  EXPECT_NEAR(SimulatedUnit::Seconds(unit_.Changes().back().cycle - second_frame), 10.0, 0.01);
}

TEST_F(FirmwareTest, BytesThatMakeNoWholeFrameDoNotKeepTheLedsOn) {
  Deliver({0x55, 0xAA});
  // The probe and lone first bytes every second: bytes, but never a whole frame.
  for (int second = 0; second < 11; ++second) {
    if (second % 2 == 0) {
      Deliver({'A', 'T', '\r', '\n'});
    } else {
      Deliver({0x7F});
    }
    unit_.Run(1s);
  }
  ExpectLeds(0);
}

}  // namespace
}  // namespace lumi::firmware
