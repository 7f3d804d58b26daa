#include "platform/linux/serial_mode.h"

#include <gtest/gtest.h>

namespace lumi::platform::linux_backend {
namespace {

TEST(SerialModeTest, ReadsTheElementsTextAndItsVariants) {
  auto mode = ParseSerialMode("baud=9600 parity=N data=8 stop=1 octs=off");
  ASSERT_TRUE(mode);
  EXPECT_EQ(mode->baud, 9600);
  EXPECT_EQ(mode->parity, 'N');
  EXPECT_EQ(mode->data_bits, 8);
  EXPECT_EQ(mode->stop, StopBits::One);
  EXPECT_FALSE(mode->cts_flow);

  mode = ParseSerialMode("  BAUD=115200\tParity=m  DATA=7 STOP=2 OCTS=ON ");
  ASSERT_TRUE(mode);
  EXPECT_EQ(mode->baud, 115200);
  EXPECT_EQ(mode->parity, 'M');
  EXPECT_EQ(mode->data_bits, 7);
  EXPECT_EQ(mode->stop, StopBits::Two);
  EXPECT_TRUE(mode->cts_flow);

  // Only the speed is required.
  mode = ParseSerialMode("baud=14400");
  ASSERT_TRUE(mode);
  EXPECT_EQ(mode->parity, 'N');
  EXPECT_EQ(mode->data_bits, 8);
  mode = ParseSerialMode("baud=9600 data=5 stop=1.5");
  ASSERT_TRUE(mode);
  EXPECT_EQ(mode->stop, StopBits::OneAndHalf);
}

TEST(SerialModeTest, ValuesTheLineCannotCarryFail) {
  for (const char* text : {"", "parity=N data=8", "baud=0", "baud=-9600", "baud=+9600", "baud=96OO",
                           "baud=", "baud=2147483648", "baud=99999999999999999999", "baud=300 parity=X",
                           "baud=300 parity=NE", "baud=300 data=4", "baud=300 data=9", "baud=300 stop=3",
                           "baud=300 data=8 stop=1.5", "baud=300 data=5 stop=2", "baud=300 octs=maybe"}) {
    EXPECT_FALSE(ParseSerialMode(text)) << text;
  }
  // What a parity index past the five letters would have produced.
  EXPECT_FALSE(ParseSerialMode(std::string("baud=300 parity=\0 data=8", 24)));
  EXPECT_TRUE(ParseSerialMode("baud=2147483647"));
}

TEST(SerialModeTest, UnknownOrMalformedWordsFail) {
  for (const char* text : {"baud=9600 xon=on", "baud=9600 octs", "baud 9600", "baud = 9600", "9600,n,8,1"}) {
    EXPECT_FALSE(ParseSerialMode(text)) << text;
  }
}

}  // namespace
}  // namespace lumi::platform::linux_backend
