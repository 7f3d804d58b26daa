#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using FixtureSmoke = test::SchemeTest;

TEST_F(FixtureSmoke, ServicesPointAtTheFakes) {
  EXPECT_EQ(platform::Current().ui, &ui);
  EXPECT_EQ(system.ExecutableFolder(), folder.string() + "/");
  EXPECT_TRUE(profile.WriteString(SettingsPath(), "Main", "Pause", "1"));
  EXPECT_EQ(profile.ReadInteger(SettingsPath(), "Main", "Pause", 0), 1);
  auto port = serial.Open(1, "baud=9600", 10);
  ASSERT_NE(port, nullptr);
  port->Write("AT");
  EXPECT_EQ(serial.WrittenTo(1), "AT");
  EXPECT_EQ(serial.Open(2, "baud=9600", 10), nullptr);
  processors.SetLoad(50);
  auto first = processors.Sample();
  auto second = processors.Sample();
  EXPECT_EQ((second[2].busy - first[2].busy) * 100 / (second[2].total - first[2].total), 50u);
}

}  // namespace
}  // namespace lumi
