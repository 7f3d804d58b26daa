#include "scheme/port_panel.h"

#include <memory>
#include <string>
#include <vector>

#include "elements/device/com.h"
#include "elements/window/combo_box.h"
#include "elements/window/group_box.h"
#include "runtime/multi_element.h"
#include "scheme/port_scanner.h"
#include "tests/support/probe.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using test::Probe;

class PortPanelTest : public test::SchemeTest {
 protected:
  void SetUp() override {
    SchemeTest::SetUp();
    window = std::make_unique<TElGroupBox>(nullptr);
    window->Width = 558;
    window->Height = 616;
    window->Init();
    path = std::make_unique<test::Source>(TData::String(SettingsPath()));
    panel = std::make_unique<TElMultiElement>();
    panel->parent = window.get();
    panel->SetCreator(CreatorOf<PortPanel>());
    panel->OnEvent.Resize(1);
    panel->InData.Resize(1);
    panel->InData[0] = test::FromSource(path.get());
    panel->OnEvent[0] = test::ToProbe(&intervals);
  }
  void TearDown() override {
    panel.reset();  // the panel's controls go before the window they live in
    window.reset();
    SchemeTest::TearDown();
  }

  PortPanel& Scheme() { return *static_cast<PortPanel*>(panel->Inner()->container); }
  void Do(uint16_t point, TData value = {}) { panel->Work(value, point); }
  std::string Selected(TElComboBox* list) {
    TData text;
    list->OutText(text, 0);
    return text.AsString();
  }
  // Writes the "Main" keys and reads them back through the panel.
  void Load(const char* port, const char* baud, const char* pause) {
    profile.WriteString(SettingsPath(), "Main", "Port", port);
    profile.WriteString(SettingsPath(), "Main", "BaudRade", baud);
    profile.WriteString(SettingsPath(), "Main", "Pause", pause);
    intervals.received.clear();
    Do(1);
    Do(2);
    Do(3);
  }
  int32_t Interval() { return intervals.Count() == 1 ? intervals.Last().AsInteger() : -1; }

  std::unique_ptr<TElGroupBox> window;
  std::unique_ptr<test::Source> path;
  Probe intervals;
  std::unique_ptr<TElMultiElement> panel;
};

TEST_F(PortPanelTest, ScanGreetsEveryPortThatOpensAndListsIt) {
  serial.present = {0, 3, 17, 255};
  Do(0);
  EXPECT_EQ(Scheme().PortList()->Items(), (std::vector<Text>{"COM 0", "COM 3", "COM 17", "COM 255"}));
  for (int32_t n : serial.present) EXPECT_EQ(serial.WrittenTo(n), "AT\r\n") << n;
  ASSERT_EQ(serial.opens.size(), 256u);
  EXPECT_EQ(serial.opens.front().number, 0);
  EXPECT_EQ(serial.opens.back().number, 255);
  EXPECT_EQ(serial.opens[5].mode, "baud=9600 parity=N data=8 stop=1 octs=off");
  EXPECT_EQ(serial.closes, 4);
  // The panel's own port is not opened at start-up.
  EXPECT_FALSE(Scheme().Port()->IsOpen());
}

TEST_F(PortPanelTest, ReadsSelectsAndSendsOnTheChosenPort) {
  serial.present = {1, 3};
  Do(0);
  Load("com 3", "19200", "0.5");
  EXPECT_EQ(Selected(Scheme().PortList()), "COM 3");
  EXPECT_EQ(Selected(Scheme().SpeedList()), "19200");
  EXPECT_EQ(Selected(Scheme().PauseList()), "0.5");
  EXPECT_EQ(Interval(), 500);

  serial.opens.clear();
  Do(4, TData::String(std::string(1, '\0')));
  Do(4, TData::String("\x80"));
  ASSERT_FALSE(serial.opens.empty());
  EXPECT_EQ(serial.opens.back().number, 3);
  EXPECT_EQ(serial.opens.back().mode, "baud=19200 parity=N data=8 stop=1 octs=off");
  EXPECT_EQ(serial.WrittenTo(3), std::string("AT\r\n\0\x80", 6));

  // A picked speed is written and used by the next byte.
  ASSERT_TRUE(ui.PickItem(Scheme().SpeedList()->PlatformControl(), 0));
  EXPECT_EQ(profile.ReadString(SettingsPath(), "Main", "BaudRade", "", 100), "75");
  Do(4, TData::String("A"));
  EXPECT_EQ(serial.opens.back().mode.substr(0, 8), "baud=75 ");
  // A picked pause is written and reported at once.
  intervals.received.clear();
  ASSERT_TRUE(ui.PickItem(Scheme().PauseList()->PlatformControl(), 14));
  EXPECT_EQ(profile.ReadString(SettingsPath(), "Main", "Pause", "", 100), "4");
  EXPECT_EQ(Interval(), 4000);
}

TEST_F(PortPanelTest, PauseAlwaysGivesAListedInterval) {
  Do(0);
  struct Case {
    const char* stored;
    const char* shown;
    int32_t ms;
  };
  for (const Case& c : std::vector<Case>{{"1", "1", 1000},
                                         {"0.5", "0.5", 500},
                                         {"4", "4", 4000},
                                         {"0", "0.2", 200},
                                         {"5", "4", 4000},
                                         {"abc", "4", 4000},
                                         {"10", "1", 1000},
                                         {"-1", "1", 1000},
                                         {"0.05", "1", 1000},
                                         {"", "1", 1000}}) {
    Load("COM 1", "9600", c.stored);
    EXPECT_EQ(Selected(Scheme().PauseList()), c.shown) << c.stored;
    EXPECT_EQ(Interval(), c.ms) << c.stored;
    // The file keeps what it held.
    EXPECT_EQ(profile.ReadString(SettingsPath(), "Main", "Pause", "", 100), c.stored);
  }
}

TEST_F(PortPanelTest, UnlistedPortOrSpeedNeverOpensAPort) {
  serial.present = {1};
  Do(0);
  // From here on the line refuses, as a real one refuses "baud=0": every byte tries
  // anew and the test sees each mode text.
  serial.present = {};
  for (const char* baud : {"12345", "0", "", "abc"}) {
    Load("COM 1", baud, "1");
    EXPECT_EQ(Selected(Scheme().SpeedList()), "") << baud;
    serial.opens.clear();
    Do(4, TData::String("x"));
    ASSERT_EQ(serial.opens.size(), 1u);
    // No speed reaches the line: the mode text is refused.
    EXPECT_EQ(serial.opens[0].mode.substr(0, 7), "baud=0 ") << baud;
  }

  // A port the scan did not find: no number, every byte goes nowhere, nothing stops.
  Load("COM 9", "9600", "1");
  EXPECT_EQ(Selected(Scheme().PortList()), "");
  EXPECT_EQ(Interval(), 1000);
  serial.writes.clear();
  serial.opens.clear();
  Do(4, TData::String("x"));
  Do(4, TData::String("y"));
  EXPECT_EQ(serial.opens.size(), 2u);
  EXPECT_EQ(serial.opens[0].number, 0);
  EXPECT_TRUE(serial.writes.empty());
}

TEST_F(PortPanelTest, PickingAPortWritesItAndReopens) {
  serial.present = {1, 2};
  Do(0);
  Load("COM 1", "9600", "1");
  serial.opens.clear();
  ASSERT_TRUE(ui.PickItem(Scheme().PortList()->PlatformControl(), 1));
  EXPECT_EQ(profile.ReadString(SettingsPath(), "Main", "Port", "", 100), "COM 2");
  ASSERT_EQ(serial.opens.size(), 1u);
  EXPECT_EQ(serial.opens[0].number, 2);
  Do(4, TData::String("z"));
  EXPECT_EQ(serial.WrittenTo(2), "AT\r\nz");
}

}  // namespace
}  // namespace lumi
