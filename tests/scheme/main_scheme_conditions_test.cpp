// The whole program with channels of every event type: settings files as a user
// leaves them, fake sensors, and the frame, lamps, labels and debug window that come
// out of the work cycle.
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/linux/linux_registry.h"
#include "platform/linux/linux_resolver.h"
#include "resources/resources.h"
#include "runtime/date_time.h"
#include "runtime/number_text.h"
#include "scheme/autostart_switch.h"
#include "scheme/cpu_load_panel.h"
#include "scheme/day_time_panel.h"
#include "scheme/disk_present_panel.h"
#include "scheme/disk_space_panel.h"
#include "scheme/internet_panel.h"
#include "scheme/keyboard_layout_panel.h"
#include "scheme/main_scheme.h"
#include "scheme/memory_panel.h"
#include "tests/scheme/main_scheme_fixture.h"

namespace lumi {
namespace {

namespace fs = std::filesystem;
using platform::MouseButton;

constexpr uint64_t kMiB = 1ull << 20;
constexpr uint64_t kKiB = 1ull << 10;

// One channel's section of the settings file.
struct Channel {
  int signal = 0;
  std::string var1;
  std::string var2;  // Windows-1251, as the file holds it
};

CalendarTime At(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second) {
  return CalendarTime{year, month, day, hour, minute, second, 0, 0};
}
double ValueOf(const CalendarTime& time) { return CalendarToValue(time).value_or(0.0); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The language table's name for a keyboard layout value, as the program lists it.
std::string LanguageOf(int32_t layout) {
  const std::vector<std::string> names = Lines(resources::Text("Str3"));
  const std::vector<std::string> layouts = Lines(resources::Text("Str4"));
  for (size_t i = 0; i < layouts.size() && i < names.size(); ++i)
    if (std::atoll(layouts[i].c_str()) == layout) return names[i];
  return {};
}

class MainSchemeConditionsTest : public test::MainSchemeFixture {
 protected:
  void SetUp() override {
    MainSchemeFixture::SetUp();
    // The autostart entry goes to the test's own folder, never to the user's.
    platform::Current().registry = &registry;
  }

  // Channels not named watch a processor load above 100 %: never on.
  void WriteSettings(const std::map<int, Channel>& channels) {
    std::string text;
    for (int i = 0; i < MainScheme::kChannels; ++i) {
      auto found = channels.find(i);
      const Channel channel = found != channels.end() ? found->second : Channel{0, "100", "C"};
      text += "[" + std::to_string(i) + "]\r\nSignal=" + std::to_string(channel.signal) +
              "\r\nVar1=" + channel.var1 + "\r\nVar2=" + channel.var2 + "\r\n\r\n";
    }
    text += "[Main]\r\nPort=COM 1\r\nBaudRade=9600\r\nPause=1\r\n";
    std::ofstream(SettingsPath(), std::ios::binary) << text;
  }
  std::string Read(int channel, const char* key) {
    return profile.ReadString(SettingsPath(), std::to_string(channel), key, "?", 200);
  }

  // Runs the loop until the next frame has gone out, and gives it.
  std::string NextFrame() {
    const size_t before = Frames().size();
    for (int step = 0; step < 1000 && Frames().size() < before + 2; ++step) loop.AdvanceBy(10);
    const std::string all = Frames();
    EXPECT_EQ(all.size(), before + 2) << "no frame, or a broken one";
    return all.size() == before + 2 ? all.substr(before) : std::string(2, '\xEE');
  }
  // The frame's bytes as numbers, and the lamp bit of one channel.
  static int First(const std::string& frame) { return static_cast<unsigned char>(frame[0]); }
  static int Second(const std::string& frame) { return static_cast<unsigned char>(frame[1]); }
  static int Bit(const std::string& frame, int channel) {
    return channel < 7 ? (First(frame) >> channel) & 1 : (Second(frame) >> (channel - 7)) & 1;
  }

  std::string ByHint(const char* hint) const {
    const platform::headless::HeadlessControl* control = ui.FindByHint(Cp(hint));
    return control != nullptr ? control->State().text : "<none>";
  }

  template <class Panel>
  static Panel& PanelOf(TElMultiElement* multi) {
    return *static_cast<Panel*>(multi->Inner()->container);
  }
  MemoryPanel& Memory(int type) const { return PanelOf<MemoryPanel>(scheme->memory_panels[type - 4]); }
  static int32_t Value(TElMemory* memory) {
    TData value;
    memory->OutValue(value, 0);
    return value.AsInteger();
  }

  void SetMemory(uint64_t total_mb, uint64_t available_mb, uint64_t swap_mb, uint64_t swap_free_mb) {
    memory.status = {total_mb * kMiB, available_mb * kMiB, swap_mb * kMiB, swap_free_mb * kMiB};
  }

  platform::linux_backend::LinuxRegistry registry{(folder / "config").string()};
};

TEST_F(MainSchemeConditionsTest, EveryEventTypeGivesItsBitAndItsText) {
  const std::string english = LanguageOf(0x04090409);
  ASSERT_FALSE(english.empty());
  const double past = ValueOf(At(2026, 12, 7, 12, 0, 0));  // the clock says 14:05:09 that day
  WriteSettings({
      {0, {0, "50", "C"}},        // load 60 above 50: on
      {1, {1, "0", "C"}},         // drive C present: on
      {2, {2, "30", "C"}},        // 25 % free, below 30: on
      {3, {3, "80", "C"}},        // 75 % used, not above 80: off
      {4, {4, "30", ""}},         // 25 % RAM free, below 30: blinks
      {5, {5, "80", ""}},         // 75 % RAM used, not above 80: off
      {6, {6, "60", ""}},         // 50 % swap free, below 60: blinks
      {7, {7, "60", ""}},         // 50 % swap used, not above 60: off
      {8, {8, "0", "739957.5"}},  // the moment has come: blinks
      {9, {9, "0", "1"}},         // connected, as wanted: on
      {10, {10, "0", english}},   // US layout in front: on
  });
  ASSERT_EQ(past, 739957.5);
  drives.drives = {{'C', platform::DriveType::Fixed, {262144 * kKiB, 1048576 * kKiB}}};
  SetMemory(1024, 256, 2048, 1024);
  processors.SetLoad(60);
  StartProgram();

  NextFrame();  // the first load reading has nothing before it
  // The blinking channels 4, 6 and 8 are off in the second cycle, on in the third.
  std::string frame = NextFrame();
  EXPECT_EQ(First(frame), 0x07);
  EXPECT_EQ(Second(frame), 0x8C);
  frame = NextFrame();
  EXPECT_EQ(First(frame), 0x57);
  EXPECT_EQ(Second(frame), 0x8E);
  frame = NextFrame();
  EXPECT_EQ(First(frame), 0x07);
  EXPECT_EQ(Second(frame), 0x8C);

  // Every row names its channel's condition, taken from the panel of its type.
  EXPECT_EQ(RowText(0), Cp("Загрузка ЦП больше 50 %"));
  EXPECT_EQ(RowText(1), Cp("Диск C подключен"));
  EXPECT_EQ(RowText(2), Cp("На диске C свободно менее 30 %"));
  EXPECT_EQ(RowText(3), Cp("На диске C занято более 80 %"));
  EXPECT_EQ(RowText(4), Cp("RAM свободна менее чем на 30 %"));
  EXPECT_EQ(RowText(5), Cp("RAM занята более чем на 80 %"));
  EXPECT_EQ(RowText(6), Cp("Файл подкачки свободен менее чем на 60 %"));
  EXPECT_EQ(RowText(7), Cp("Файл подкачки занят более чем на 60 %"));
  EXPECT_EQ(RowText(8), Cp("Наступило: 12:00:00 07-12-2026"));
  EXPECT_EQ(RowText(9), Cp("Интернет подключен"));
  EXPECT_EQ(RowText(10), Cp("Язык: ") + english);
  EXPECT_EQ(RowText(11), Cp("Загрузка ЦП больше 100 %"));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(MainSchemeConditionsTest, DiskPresenceFollowsTheDrivesFromCycleToCycle) {
  WriteSettings({{0, {1, "0", "C"}}, {1, {1, "0", "E"}}, {2, {1, "0", "C"}}, {3, {1, "0", "E"}}});
  drives.drives = {{'A', platform::DriveType::Removable, {}},
                   {'C', platform::DriveType::Fixed, {1 * kMiB, 4 * kMiB}},
                   {'D', platform::DriveType::CdRom, {}}};
  StartProgram();
  std::string frame = NextFrame();
  EXPECT_EQ(First(frame), 0x05);
  EXPECT_EQ(Second(frame), 0x80);
  EXPECT_EQ(RowText(1), Cp("Диск E подключен"));

  drives.drives.push_back({'E', platform::DriveType::Removable, {1 * kMiB, 2 * kMiB}});  // a stick goes in
  frame = NextFrame();
  EXPECT_EQ(First(frame), 0x0F);

  drives.drives.erase(drives.drives.begin() + 1);  // C goes away
  frame = NextFrame();
  EXPECT_EQ(First(frame), 0x0A);
}

TEST_F(MainSchemeConditionsTest, DiskSpaceAgainstStrictThresholds) {
  WriteSettings({
      {0, {2, "30", "C"}},   // 25 % free < 30: on
      {1, {2, "25", "C"}},   // 25 % free < 25: off
      {2, {3, "74", "C"}},   // 75 % used > 74: on
      {3, {3, "75", "C"}},   // 75 % used > 75: off
      {4, {2, "14", "D"}},   // 127 of 1000 free: 12.7 rounds to 13 < 14: on
      {5, {2, "13", "D"}},   // 13 < 13: off
      {6, {3, "86", "D"}},   // 87 % used > 86: on
      {7, {2, "100", "E"}},  // no drive E: off, whatever the threshold
      {8, {3, "0", "E"}},
  });
  drives.drives = {{'C', platform::DriveType::Fixed, {262144 * kKiB, 1048576 * kKiB}},
                   {'D', platform::DriveType::Fixed, {127 * kKiB, 1000 * kKiB}}};
  StartProgram();
  const std::string frame = NextFrame();
  EXPECT_EQ(First(frame), 0x55);
  EXPECT_EQ(Second(frame), 0x80);
  EXPECT_EQ(RowText(4), Cp("На диске D свободно менее 14 %"));
  EXPECT_EQ(RowText(6), Cp("На диске D занято более 86 %"));

  // The drive fills up: 10 % free on C.
  drives.drives[0].space.free_bytes = 104857 * kKiB;
  EXPECT_EQ(First(NextFrame()), 0x5F);
}

TEST_F(MainSchemeConditionsTest, MemoryConditionsBlinkWhileTheyHold) {
  WriteSettings({{0, {4, "30", ""}}});
  SetMemory(1024, 256, 0, 0);  // 25 % free
  StartProgram();
  EXPECT_EQ(Bit(NextFrame(), 0), 1);
  EXPECT_EQ(Bit(NextFrame(), 0), 0);
  EXPECT_EQ(Bit(NextFrame(), 0), 1);
  // The condition stops holding: off, and off it stays.
  SetMemory(1024, 512, 0, 0);
  EXPECT_EQ(Bit(NextFrame(), 0), 0);
  EXPECT_EQ(Bit(NextFrame(), 0), 0);
  // Holding again, it blinks in the phase every blinking lamp keeps: dark in this cycle.
  SetMemory(1024, 300, 0, 0);
  EXPECT_EQ(Bit(NextFrame(), 0), 0);
  EXPECT_EQ(Bit(NextFrame(), 0), 1);
}

TEST_F(MainSchemeConditionsTest, EveryBlinkingChannelBlinksInOnePhaseWhileItsOwnConditionHolds) {
  // Two used-RAM channels, a free-RAM channel that holds, one that does not, and a day
  // and time that has come: each that holds is lit in one cycle and dark in the next,
  // all together, whatever the others of its type do.
  WriteSettings({{0, {5, "50", ""}},
                 {1, {5, "50", ""}},
                 {2, {4, "30", ""}},
                 {3, {4, "10", ""}},
                 {4, {8, "0", "739957.5"}},
                 {9, {8, "0", "739957.5"}}});
  SetMemory(1024, 256, 0, 0);
  StartProgram();
  for (int cycle = 0; cycle < 4; ++cycle) {
    const std::string frame = NextFrame();
    const bool lit = cycle % 2 == 0;
    EXPECT_EQ(First(frame), lit ? 0x17 : 0x00) << "cycle " << cycle;
    EXPECT_EQ(Bit(frame, 9), lit ? 1 : 0) << "cycle " << cycle;
  }
}

TEST_F(MainSchemeConditionsTest, EnteringSetupModeSwitchesTheBlinkingOff) {
  WriteSettings({{1, {4, "30", ""}}, {2, {8, "0", "739957.5"}}});
  SetMemory(1024, 256, 0, 0);
  StartProgram();
  EXPECT_EQ(First(NextFrame()), 0x06);
  EXPECT_EQ(First(NextFrame()), 0x00);
  EXPECT_EQ(First(NextFrame()), 0x06);  // both switches are on now

  RestoreWindow();
  Click(scheme->setup_button);
  ASSERT_TRUE(scheme->InSetupMode());
  EXPECT_EQ(Value(Memory(4).state), 0);
  EXPECT_EQ(Value(PanelOf<DayTimePanel>(scheme->day_time_panel).state), 0);
  loop.AdvanceBy(3000);

  // Had they kept their state, the next cycle would switch both off.
  Click(scheme->work_button);
  EXPECT_EQ(First(NextFrame()), 0x06);
  EXPECT_EQ(First(NextFrame()), 0x00);
}

TEST_F(MainSchemeConditionsTest, NoSwapNeverBringsAMessageBox) {
  WriteSettings({{0, {6, "50", ""}}, {1, {7, "50", ""}}, {2, {6, "100", ""}}, {3, {4, "30", ""}}});
  SetMemory(1024, 256, 0, 0);
  StartProgram();
  for (int cycle = 0; cycle < 10; ++cycle) {
    const std::string frame = NextFrame();
    EXPECT_EQ(First(frame) & 0x07, 0) << "cycle " << cycle;                 // a share of nothing never holds
    EXPECT_EQ(Bit(frame, 3), cycle % 2 == 0 ? 1 : 0) << "cycle " << cycle;  // RAM goes on
  }
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(RowText(0), Cp("Файл подкачки свободен менее чем на 50 %"));

  // In setup mode the user picks the swap channel: no message either.
  RestoreWindow();
  Click(scheme->setup_button);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(MainSchemeConditionsTest, InternetReachableOrNot) {
  WriteSettings({{0, {9, "0", "1"}}, {1, {9, "0", "0"}}, {2, {9, "0", "2"}}});
  resolver.reachable = true;
  StartProgram();
  EXPECT_EQ(First(NextFrame()), 0x01);
  EXPECT_EQ(RowText(0), Cp("Интернет подключен"));
  EXPECT_EQ(RowText(1), Cp("Интернет не подключен"));
  // One look-up per Internet channel and cycle, and none by any other channel.
  EXPECT_EQ(resolver.lookups, 3);

  resolver.reachable = false;
  EXPECT_EQ(First(NextFrame()), 0x02);
  EXPECT_EQ(resolver.lookups, 6);
}

TEST_F(MainSchemeConditionsTest, FourteenInternetChannelsNeverWaitForADeadResolver) {
  // A name server that never answers: the lookup hangs until the test ends.
  struct Hang {
    std::mutex mutex;
    std::condition_variable released;
    bool over = false;
    int started = 0;
  };
  auto hang = std::make_shared<Hang>();
  platform::linux_backend::LinuxResolver dead([hang](const std::string&) {
    std::unique_lock<std::mutex> lock(hang->mutex);
    ++hang->started;
    hang->released.notify_all();
    hang->released.wait(lock, [&] { return hang->over; });
    return true;
  });
  platform::Current().resolver = &dead;
  std::map<int, Channel> all;
  for (int channel = 0; channel < 14; ++channel) all[channel] = {9, "0", "1"};
  WriteSettings(all);

  StartProgram();
  for (int cycle = 0; cycle < 3; ++cycle) {
    const auto start = std::chrono::steady_clock::now();
    const std::string frame = NextFrame();
    const auto spent = std::chrono::steady_clock::now() - start;
    // No answer yet reads as "not connected" on every channel...
    EXPECT_EQ(First(frame), 0x00);
    EXPECT_EQ(Second(frame), 0x80);
    // ...and a cycle takes no real time: waiting 2 s per channel would be 28 s.
    EXPECT_LT(spent, std::chrono::milliseconds(500));
  }
  EXPECT_EQ(RowText(13), Cp("Интернет подключен"));
  {
    std::unique_lock<std::mutex> lock(hang->mutex);
    hang->released.wait_for(lock, std::chrono::seconds(5), [&] { return hang->started > 0; });
    EXPECT_EQ(hang->started, 1) << "one lookup in flight, whatever the number of channels";
    hang->over = true;
  }
  hang->released.notify_all();
}

TEST_F(MainSchemeConditionsTest, KeyboardLayoutOfTheWindowInFront) {
  const std::string russian = LanguageOf(0x04190419);
  const std::string english = LanguageOf(0x04090409);
  ASSERT_EQ(russian, Cp("Русский"));
  ASSERT_FALSE(english.empty());
  WriteSettings({{0, {10, "0", russian}}, {1, {10, "0", english}}});
  keyboard.layout = 0x04190419;
  StartProgram();
  EXPECT_EQ(First(NextFrame()), 0x01);
  EXPECT_EQ(RowText(0), Cp("Язык: Русский"));

  keyboard.layout = 0x04090409;  // the user switches the window in front to English
  EXPECT_EQ(First(NextFrame()), 0x02);
  keyboard.layout = 0x04070407;  // German: neither
  EXPECT_EQ(First(NextFrame()), 0x00);
}

TEST_F(MainSchemeConditionsTest, DayAndTimeBlinksOnceTheMomentHasCome) {
  clock.now = At(2026, 12, 7, 14, 59, 58);
  const double moment = ValueOf(At(2026, 12, 7, 15, 0, 0));
  WriteSettings({{13, {8, "0", RealToText(moment)}}});
  StartProgram();
  EXPECT_EQ(Bit(NextFrame(), 13), 0);
  EXPECT_EQ(Bit(NextFrame(), 13), 0);
  EXPECT_EQ(RowText(13), Cp("Наступит: 15:00:00 07-12-2026"));

  clock.now = At(2026, 12, 7, 15, 0, 0);
  EXPECT_EQ(Bit(NextFrame(), 13), 1);
  EXPECT_EQ(RowText(13), Cp("Наступило: 15:00:00 07-12-2026"));
  EXPECT_EQ(Bit(NextFrame(), 13), 0);
  clock.now = At(2027, 3, 1, 9, 0, 0);
  EXPECT_EQ(Bit(NextFrame(), 13), 1);
}

TEST_F(MainSchemeConditionsTest, DebugWindowShowsTheBytesOfTheLastFrame) {
  StartProgram();                                         // first start: setup mode, nothing sent yet
  EXPECT_EQ(ui.FindByText(Cp("Окно отладки")), nullptr);  // built at its first call

  Click(scheme->debug_button);  // one press shows it
  const platform::headless::HeadlessControl* window = ui.FindByText(Cp("Окно отладки"));
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->State().visible);
  // Zeros in the second byte too, although its tag bit is 1 on the wire.
  EXPECT_EQ(ByHint("Значение первого байта"), "00000000");
  EXPECT_EQ(ByHint("Значение второго байта"), "00000000");

  Click(scheme->work_button);  // the window belongs to setup mode: it closes
  EXPECT_FALSE(window->State().visible);
  processors.SetLoad(0);
  NextFrame();
  EXPECT_EQ(ByHint("Значение первого байта"), "00000000");
  EXPECT_EQ(ByHint("Значение второго байта"), "10000000");
  processors.SetLoad(50);  // the default thresholds 7..49 lie below
  const std::string frame = NextFrame();
  EXPECT_EQ(First(frame), 0x7F);
  EXPECT_EQ(ByHint("Значение первого байта"), "01111111");
  EXPECT_EQ(ByHint("Значение второго байта"), "10000000");

  // Back in setup mode one press shows it again, and Escape in it closes it.
  Click(scheme->setup_button);
  Click(scheme->debug_button);
  EXPECT_TRUE(window->State().visible);
  EXPECT_EQ(ByHint("Значение первого байта"), "01111111");
  ASSERT_TRUE(user.PressKey(ui.FindByHint(Cp("Значение второго байта")), 27));
  EXPECT_FALSE(window->State().visible);
  Click(scheme->debug_button);
  EXPECT_TRUE(window->State().visible);

  // It goes to the tray with the main window and comes back with it.
  ASSERT_TRUE(user.RequestClose(scheme->form->PlatformControl()));
  EXPECT_FALSE(window->State().visible);
  EXPECT_FALSE(scheme->InSetupMode());  // hidden to the tray means watching
  RestoreWindow();
  EXPECT_FALSE(window->State().visible);  // work mode closed it
}

TEST_F(MainSchemeConditionsTest, PickingATypeShowsItsPanelAndWritesIt) {
  drives.drives = {{'C', platform::DriveType::Fixed, {1 * kMiB, 4 * kMiB}},
                   {'D', platform::DriveType::Fixed, {1 * kMiB, 4 * kMiB}}};
  StartProgram();  // setup mode on channel 0 of the defaults
  ASSERT_TRUE(scheme->InSetupMode());
  const std::string english = LanguageOf(0x04090409);

  // One control of each panel, by event type.
  auto& cpu = PanelOf<CpuLoadPanel>(scheme->cpu_load_panel);
  auto& present = PanelOf<DiskPresentPanel>(scheme->disk_present_panel);
  auto& free_disk = PanelOf<DiskSpacePanel>(scheme->free_disk_panel);
  auto& used_disk = PanelOf<DiskSpacePanel>(scheme->used_disk_panel);
  auto& day_time = PanelOf<DayTimePanel>(scheme->day_time_panel);
  auto& internet = PanelOf<InternetPanel>(scheme->internet_panel);
  auto& keys = PanelOf<KeyboardLayoutPanel>(scheme->keyboard_layout_panel);
  const TElWin* shown_by_type[MainScheme::kEventTypes] = {
      cpu.plus_button,       present.drive_list,    free_disk.plus_button, used_disk.plus_button,
      Memory(4).plus_button, Memory(5).plus_button, Memory(6).plus_button, Memory(7).plus_button,
      day_time.date_picker,  internet.state_list,   keys.language_list};

  const CalendarTime new_moment = At(2027, 1, 2, 12, 0, 0);
  // What the user does in panel k, and the parameter that must then be in the file.
  struct Change {
    std::function<void()> act;
    const char* key;
    std::string value;
  };
  const std::vector<Change> changes = {
      {[&] { Click(cpu.plus_button); }, "Var1", "8"},
      {[&] { ASSERT_TRUE(user.PickItem(present.drive_list->PlatformControl(), 3)); }, "Var2", "D"},
      {[&] { Click(free_disk.plus_button); }, "Var1", "9"},
      {[&] { Click(used_disk.plus_button); }, "Var1", "10"},
      {[&] { Click(Memory(4).plus_button); }, "Var1", "11"},
      {[&] { Click(Memory(5).plus_button); }, "Var1", "12"},
      {[&] { Click(Memory(6).plus_button); }, "Var1", "13"},
      {[&] { Click(Memory(7).minus_button); }, "Var1", "12"},
      {[&] {
         ASSERT_TRUE(user.PressMouse(day_time.date_picker->PlatformControl(), MouseButton::Left, {70, 10}));
         ASSERT_TRUE(user.ReleaseMouse(day_time.date_picker->PlatformControl(), MouseButton::Left, {70, 10}));
         ASSERT_TRUE(user.ChangeDate(day_time.date_picker->PlatformControl(), new_moment));
       },
       "Var2", RealToText(ValueOf(new_moment))},
      {[&] { ASSERT_TRUE(user.PickItem(internet.state_list->PlatformControl(), 1)); }, "Var2", "1"},
      {[&] {
         const int32_t index = keys.language_list->Find(english);
         ASSERT_GE(index, 0);
         ASSERT_TRUE(user.PickItem(keys.language_list->PlatformControl(), index));
       },
       "Var2", english},
  };

  for (int type = 0; type < MainScheme::kEventTypes; ++type) {
    SCOPED_TRACE("event type " + std::to_string(type));
    ASSERT_TRUE(user.PickItem(scheme->event_list->PlatformControl(), type));
    for (int other = 0; other < MainScheme::kEventTypes; ++other)
      EXPECT_EQ(shown_by_type[other]->Visible, other == type) << "panel " << other;
    EXPECT_EQ(Read(0, "Signal"), std::to_string(type));

    changes[static_cast<size_t>(type)].act();
    EXPECT_EQ(Read(0, "Signal"), std::to_string(type));
    EXPECT_EQ(Read(0, changes[static_cast<size_t>(type)].key), changes[static_cast<size_t>(type)].value);
    // The other channels are left alone.
    EXPECT_EQ(Read(1, "Signal"), "0");
    EXPECT_EQ(Read(1, "Var1"), "14");
  }

  // Free and used disk also take a drive: the letter goes to Var2.
  ASSERT_TRUE(user.PickItem(scheme->event_list->PlatformControl(), 2));
  ASSERT_EQ(free_disk.drive_list->Find("D"), 1);
  ASSERT_TRUE(user.PickItem(free_disk.drive_list->PlatformControl(), 1));
  EXPECT_EQ(Read(0, "Signal"), "2");
  EXPECT_EQ(Read(0, "Var2"), "D");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainSchemeConditionsTest, AutostartBoxIsSetAtStartWithoutWriting) {
  const fs::path entry = folder / "config" / "autostart" / "Murvane.desktop";
  ASSERT_TRUE(registry.Set(platform::RegistryRoot::CurrentUser, AutostartSwitch::kRunKey,
                           AutostartSwitch::kValueName,
                           {platform::RegistryType::String, system.ExecutablePath()}));
  const std::string written = [&] {
    std::ifstream in(entry, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }();
  const auto stamp = fs::last_write_time(entry);
  WriteSettings({});
  StartProgram();
  EXPECT_TRUE(scheme->autostart_box->Checked);
  EXPECT_TRUE(ui.Mirror(scheme->autostart_box->PlatformControl())->State().checked);
  EXPECT_EQ(fs::last_write_time(entry), stamp);
  {
    std::ifstream in(entry, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), written);
  }

  // The user's click is what switches it, in the window brought back from the tray.
  ASSERT_TRUE(user.ClickTray(MouseButton::Left));
  ASSERT_TRUE(user.ToggleCheck(scheme->autostart_box->PlatformControl()));
  EXPECT_FALSE(fs::exists(entry));
  ASSERT_TRUE(user.ToggleCheck(scheme->autostart_box->PlatformControl()));
  EXPECT_TRUE(fs::exists(entry));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainSchemeConditionsTest, AutostartOfAMovedProgramStartsUnchecked) {
  ASSERT_TRUE(registry.Set(platform::RegistryRoot::CurrentUser, AutostartSwitch::kRunKey,
                           AutostartSwitch::kValueName,
                           {platform::RegistryType::String, "/old/place/lumiscope"}));
  StartProgram();
  EXPECT_FALSE(scheme->autostart_box->Checked);
  EXPECT_EQ(
      registry
          .Query(platform::RegistryRoot::CurrentUser, AutostartSwitch::kRunKey, AutostartSwitch::kValueName)
          ->bytes,
      "/old/place/lumiscope");
}

}  // namespace
}  // namespace lumi
