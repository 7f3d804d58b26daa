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
  ASSERT_TRUE(user.PickItem(Scheme().SpeedList()->PlatformControl(), 0));
  EXPECT_EQ(profile.ReadString(SettingsPath(), "Main", "BaudRade", "", 100), "75");
  Do(4, TData::String("A"));
  EXPECT_EQ(serial.opens.back().mode.substr(0, 8), "baud=75 ");
  // A picked pause is written and reported at once.
  intervals.received.clear();
  ASSERT_TRUE(user.PickItem(Scheme().PauseList()->PlatformControl(), 14));
  EXPECT_EQ(profile.ReadString(SettingsPath(), "Main", "Pause", "", 100), "4");
  EXPECT_EQ(Interval(), 4000);
}

TEST_F(PortPanelTest, PauseIsANumberHeldToTheListsRange) {
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
                                         {"10", "4", 4000},
                                         {"100", "4", 4000},
                                         {"1e9", "4", 4000},
                                         {"3.9", "4", 4000},
                                         {"-1", "0.2", 200},
                                         {"0.05", "0.2", 200},
                                         {"0.26", "0.3", 300},
                                         {"1.3", "1.5", 1500},
                                         {"2.6", "2.5", 2500},
                                         {"2", "2", 2000},
                                         {"abc", "1", 1000},
                                         {"", "1", 1000},
                                         {"1,5", "1", 1000}}) {
    Load("COM 1", "9600", c.stored);
    EXPECT_EQ(Selected(Scheme().PauseList()), c.shown) << c.stored;
    EXPECT_EQ(Interval(), c.ms) << c.stored;
    // The file keeps what it held.
    EXPECT_EQ(profile.ReadString(SettingsPath(), "Main", "Pause", "", 100), c.stored);
  }
  // What is no number is said, once each; an empty value is not.
  EXPECT_EQ(messages.notices,
            (std::vector<std::string>{Cp("Пауза «abc» из файла настроек не число, взята 1 с"),
                                      Cp("Пауза «1,5» из файла настроек не число, взята 1 с")}));
}

TEST_F(PortPanelTest, AnUnlistedSpeedIsSaidAndGives9600) {
  serial.present = {1};
  Do(0);
  for (const char* baud : {"230400", "0", "abc"}) {
    messages.notices.clear();
    Load("COM 1", baud, "1");
    EXPECT_EQ(Selected(Scheme().SpeedList()), "9600") << baud;
    ASSERT_EQ(messages.notices.size(), 1u) << baud;
    EXPECT_EQ(messages.notices[0],
              Cp("Скорость «") + baud + Cp("» из файла настроек не из списка, взята 9600"));
    Do(4, TData::String("x"));
    EXPECT_EQ(serial.opens.back().mode.substr(0, 10), "baud=9600 ") << baud;
    EXPECT_EQ(serial.WrittenTo(1).back(), 'x') << baud;
  }
  messages.notices.clear();
  Load("COM 1", "", "1");  // no speed stored: the default, nothing to say
  EXPECT_EQ(Selected(Scheme().SpeedList()), "9600");
  EXPECT_TRUE(messages.notices.empty());
}

TEST_F(PortPanelTest, TheStoredPortStaysChosenWhileItIsNotThere) {
  serial.present = {1};
  Do(0);
  Load("COM 9", "9600", "1");
  // Shown as stored, said to be missing, and tried with every byte.
  EXPECT_EQ(Selected(Scheme().PortList()), "COM 9");
  EXPECT_EQ(Scheme().PortList()->Hint, Cp("Имя порта: COM 9 не найден"));
  serial.opens.clear();
  Do(4, TData::String("x"));
  Do(4, TData::String("y"));
  EXPECT_EQ(serial.opens.size(), 2u);
  EXPECT_EQ(serial.opens[0].number, 9);
  EXPECT_TRUE(serial.WrittenTo(9).empty());

  // The unit is plugged in: the next byte reaches it.
  serial.present = {1, 9};
  Do(4, TData::String("z"));
  EXPECT_EQ(serial.WrittenTo(9), "z");

  // Opening the list looks again: now it is found, and the hint says so.
  ASSERT_TRUE(user.OpenList(Scheme().PortList()->PlatformControl()));
  EXPECT_EQ(Selected(Scheme().PortList()), "COM 9");
  EXPECT_EQ(Scheme().PortList()->Hint, Cp("Имя порта: COM 9"));
  EXPECT_TRUE(messages.notices.empty());
}

TEST_F(PortPanelTest, PortNamesAreReadWithOrWithoutBlanksAndZeros) {
  serial.present = {1, 12};
  Do(0);
  for (const char* stored : {"COM1", "COM 01", "COM  1", "com 1"}) {
    Load(stored, "9600", "1");
    EXPECT_EQ(Selected(Scheme().PortList()), "COM 1") << stored;
    Do(4, TData::String(stored));
    EXPECT_TRUE(serial.WrittenTo(1).ends_with(stored)) << stored;
  }
  Load("COM012", "9600", "1");
  EXPECT_EQ(Selected(Scheme().PortList()), "COM 12");
  EXPECT_TRUE(messages.notices.empty());

  // What names no port is said, and COM 1 is used.
  for (const char* stored : {"LPT1", "COM 0", "COM 300", "COM x"}) {
    messages.notices.clear();
    Load(stored, "9600", "1");
    EXPECT_EQ(Selected(Scheme().PortList()), "COM 1") << stored;
    ASSERT_EQ(messages.notices.size(), 1u) << stored;
    EXPECT_EQ(messages.notices[0], Cp("Порт «") + stored + Cp("» из файла настроек не понят, взят COM 1"));
  }
  messages.notices.clear();
  Load("", "", "");  // an empty file, or one without [Main]
  EXPECT_EQ(messages.notices,
            (std::vector<std::string>{Cp("В файле настроек нет порта ([Main] Port), взят COM 1")}));
  EXPECT_EQ(Selected(Scheme().PortList()), "COM 1");
  EXPECT_EQ(Selected(Scheme().SpeedList()), "9600");
  EXPECT_EQ(Interval(), 1000);
}

TEST_F(PortPanelTest, PickingAPortWritesItAndReopens) {
  serial.present = {1, 2};
  Do(0);
  Load("COM 1", "9600", "1");
  serial.opens.clear();
  ASSERT_TRUE(user.PickItem(Scheme().PortList()->PlatformControl(), 1));
  EXPECT_EQ(profile.ReadString(SettingsPath(), "Main", "Port", "", 100), "COM 2");
  ASSERT_EQ(serial.opens.size(), 1u);
  EXPECT_EQ(serial.opens[0].number, 2);
  Do(4, TData::String("z"));
  EXPECT_EQ(serial.WrittenTo(2), "AT\r\nz");
}

}  // namespace
}  // namespace lumi
