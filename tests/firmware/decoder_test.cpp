// The firmware's frame decoder on the host: the same C file the AVR build compiles.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "firmware/frame_decoder.h"

namespace lumi::firmware {
namespace {

// Feeds the bytes; the channels of the last frame they completed, if any.
std::optional<std::uint16_t> Feed(frame_decoder& decoder, std::initializer_list<std::uint8_t> bytes) {
  std::optional<std::uint16_t> last;
  for (std::uint8_t byte : bytes) {
    std::uint16_t channels = 0xFFFF;
    if (frame_decoder_feed(&decoder, byte, &channels)) last = channels;
  }
  return last;
}

class DecoderTest : public ::testing::Test {
 protected:
  void SetUp() override { frame_decoder_reset(&decoder_); }
  frame_decoder decoder_{};
};

TEST_F(DecoderTest, EveryPairOfAFirstAndASecondByteIsTheFrameOfItsBits) {
  for (int first = 0; first < 0x80; ++first) {
    for (int second = 0x80; second < 0x100; ++second) {
      const auto frame =
          Feed(decoder_, {static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(second)});
      ASSERT_TRUE(frame.has_value());
      ASSERT_EQ(*frame, ((second & 0x7F) << 7) | first) << first << " " << second;
    }
  }
}

TEST_F(DecoderTest, FiftyFiveAaIsTheEvenChannels) { EXPECT_EQ(Feed(decoder_, {0x55, 0xAA}), 0x1555); }

TEST_F(DecoderTest, TheProbeIsNoFrameAndTheNextFirstByteReplacesWhatItLeft) {
  EXPECT_EQ(Feed(decoder_, {'A', 'T', '\r', '\n'}), std::nullopt);
  EXPECT_EQ(Feed(decoder_, {0x01, 0x80}), 0x0001);
}

TEST_F(DecoderTest, ASecondByteWithoutAFirstIsIgnored) {
  EXPECT_EQ(Feed(decoder_, {0xFF, 0xAA}), std::nullopt);
  EXPECT_EQ(Feed(decoder_, {0x55, 0xAA, 0xFF}), 0x1555);  // the first byte is used up
  EXPECT_EQ(Feed(decoder_, {0x81}), std::nullopt);
}

TEST_F(DecoderTest, TheNewerFirstByteWins) { EXPECT_EQ(Feed(decoder_, {0x7F, 0x01, 0x80}), 0x0001); }

TEST_F(DecoderTest, AResetForgetsThePendingFirstByte) {
  Feed(decoder_, {0x55});
  frame_decoder_reset(&decoder_);
  EXPECT_EQ(Feed(decoder_, {0xAA}), std::nullopt);
}

}  // namespace
}  // namespace lumi::firmware
