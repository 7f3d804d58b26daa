#include "scheme/main_scheme.h"

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "elements/compute/counter.h"
#include "resources/resources.h"
#include "scheme/channel_sequencer.h"
#include "scheme/cpu_load_panel.h"
#include "scheme/selection_panel.h"
#include "tests/scheme/main_scheme_fixture.h"

namespace lumi {
namespace {

using platform::MouseButton;

class MainSchemeTest : public test::MainSchemeFixture {
 protected:
  void WriteDefaults() { std::ofstream(SettingsPath(), std::ios::binary) << resources::Text("Str1"); }
  std::string LastFrame() const {
    const std::string all = Frames();
    return all.size() >= 2 ? all.substr(all.size() - 2) : std::string();
  }
  // One whole cycle: the tick, fourteen steps, the frame.
  void RunCycle() { loop.AdvanceBy(1000); }
  int32_t SequencerCount() const {
    auto* inner = static_cast<ChannelSequencer*>(scheme->sequencer->Inner()->container);
    TData count;
    inner->Counter()->OutCount(count, 0);
    return count.AsInteger();
  }
  CpuLoadPanel& Cpu() const {
    return *static_cast<CpuLoadPanel*>(scheme->cpu_load_panel->Inner()->container);
  }

  static std::string Bytes(unsigned char first, unsigned char second) {
    return std::string{static_cast<char>(first), static_cast<char>(second)};
  }
};

TEST_F(MainSchemeTest, FirstStartWritesTheDefaultsAndOpensInSetupMode) {
  StartProgram();
  EXPECT_EQ(FileText(), resources::Text("Str1"));
  EXPECT_EQ(scheme->form->Width, 554);
  EXPECT_EQ(scheme->form->Height, 614);
  auto* selection = static_cast<SelectionPanel*>(scheme->selection_panel->Inner()->container);
  EXPECT_TRUE(selection->radios[0]->IsChecked());
  EXPECT_FALSE(scheme->setup_button->Enabled);
  EXPECT_TRUE(scheme->debug_button->Visible);
  EXPECT_FALSE(scheme->cycle_timer->IsEnabled());
  // Channel 0 was evaluated for the user to see: its type is in the list.
  EXPECT_EQ(scheme->event_list->Selected(), 0);
  EXPECT_TRUE(Cpu().plus_button->Visible);
  EXPECT_EQ(Cpu().value_edit->Text, "7");

  loop.AdvanceBy(3000);
  EXPECT_EQ(Frames(), "");  // setup mode sends nothing
}

TEST_F(MainSchemeTest, LaterStartRunsTheCycleInWorkMode) {
  WriteDefaults();
  StartProgram();
  EXPECT_EQ(scheme->form->Width, 287);
  EXPECT_EQ(scheme->form->Height, 544);
  EXPECT_TRUE(scheme->setup_button->Enabled);
  EXPECT_FALSE(scheme->debug_button->Visible);
  EXPECT_TRUE(scheme->cycle_timer->IsEnabled());

  loop.AdvanceBy(999);
  EXPECT_EQ(Frames().size(), 0u);
  // The tick, the fourteen steps each at a turn of the loop, and the frame: all at the
  // moment of the tick.
  loop.AdvanceBy(1);
  EXPECT_EQ(Frames().size(), 2u);
  EXPECT_EQ(loop.NowMs(), 1000);
}

TEST_F(MainSchemeTest, LaterStartHidesToTheTrayAndTheMenuRestoresOrEnds) {
  WriteDefaults();
  StartProgram();
  auto* window = ui.Mirror(scheme->form->PlatformControl());
  ASSERT_NE(window, nullptr);
  // Straight into the tray: the window is never shown on the way.
  EXPECT_FALSE(window->State().visible);
  EXPECT_TRUE(ui.TrayShown());
  EXPECT_EQ(ui.TrayTip(), Cp("Lumiscope 1.0.0.0 — COM 1"));

  ASSERT_TRUE(user.ClickTray(MouseButton::Left));  // restores, and the icon goes
  EXPECT_TRUE(window->State().visible);
  EXPECT_FALSE(ui.TrayShown());

  ASSERT_TRUE(user.RequestClose(scheme->form->PlatformControl()));  // the caption's close hides
  EXPECT_FALSE(window->State().visible);
  EXPECT_TRUE(ui.TrayShown());
  ui.QueueMenuAnswer(0);  // "Восстановить"
  ASSERT_TRUE(user.ClickTray(MouseButton::Right));
  ASSERT_EQ(ui.MenusShown().size(), 1u);
  ASSERT_EQ(ui.MenusShown()[0].size(), 5u);
  EXPECT_EQ(ui.MenusShown()[0][4].text, Cp("Выход"));
  EXPECT_TRUE(window->State().visible);

  ASSERT_TRUE(user.RequestClose(scheme->form->PlatformControl()));
  ui.QueueMenuAnswer(4);  // "Выход"
  ASSERT_TRUE(user.ClickTray(MouseButton::Right));
  EXPECT_TRUE(scheme->form->HasEnded());
}

TEST_F(MainSchemeTest, DefaultSettingsMakeABarGraphOfTheLoad) {
  WriteDefaults();
  StartProgram();
  processors.SetLoad(0);
  RunCycle();
  RunCycle();
  EXPECT_EQ(LastFrame(), Bytes(0x00, 0x80));
  processors.SetLoad(50);  // thresholds 7..49 lie below
  RunCycle();
  RunCycle();
  EXPECT_EQ(LastFrame(), Bytes(0x7F, 0x80));
  processors.SetLoad(100);  // even the 99 of channel 13
  RunCycle();
  RunCycle();
  EXPECT_EQ(LastFrame(), Bytes(0x7F, 0xFF));
}

TEST_F(MainSchemeTest, ThresholdsOutsideTheRangeAreAlwaysOrNeverMet) {
  WriteDefaults();
  profile.WriteString(SettingsPath(), "0", "Var1", "-1");
  profile.WriteString(SettingsPath(), "7", "Var1", "100");
  StartProgram();
  processors.SetLoad(0);
  RunCycle();
  RunCycle();
  EXPECT_EQ(LastFrame(), Bytes(0x01, 0x80));
  processors.SetLoad(100);
  RunCycle();
  RunCycle();
  EXPECT_EQ(LastFrame(), Bytes(0x7F, 0xFE));
}

TEST_F(MainSchemeTest, SetupModeInterruptsTheCycleWhichLaterContinues) {
  WriteDefaults();
  StartProgram();
  loop.AdvanceBy(999);
  for (int turn = 0; turn < 4; ++turn) ASSERT_TRUE(loop.Turn(1000));  // the tick and channels 0..3
  ASSERT_EQ(SequencerCount(), 4);
  RestoreWindow();  // the window went to the tray at start
  Click(scheme->setup_button);
  EXPECT_EQ(scheme->form->Width, 554);
  loop.AdvanceBy(2000);
  EXPECT_EQ(SequencerCount(), 4);
  EXPECT_EQ(Frames(), "");

  Click(scheme->work_button);
  const int64_t tick = loop.NowMs() + 1000;
  loop.AdvanceTo(tick - 1);
  ASSERT_TRUE(loop.Turn(tick));  // the tick evaluates channel 4 at once
  EXPECT_EQ(SequencerCount(), 5);
  for (int turn = 0; turn < 9; ++turn) ASSERT_TRUE(loop.Turn(tick));  // channels 5..13
  EXPECT_EQ(SequencerCount(), 14);
  EXPECT_EQ(Frames(), "");
  ASSERT_TRUE(loop.Turn(tick));  // the step after the last channel sends the frame
  EXPECT_EQ(SequencerCount(), 0);
  EXPECT_EQ(Frames().size(), 2u);
}

TEST_F(MainSchemeTest, PickingATypeWritesTheChannelAtOnceAndItsRowSaysSo) {
  StartProgram();  // setup mode on channel 0
  ASSERT_TRUE(user.PickItem(scheme->event_list->PlatformControl(), 5));
  std::string file = FileText();
  // The type, with the threshold its panel shows.
  EXPECT_NE(file.find("[0]\r\nSignal=5\r\nVar1=7\r\nVar2=C\r\n"), std::string::npos) << file;
  EXPECT_EQ(RowText(0), Cp("RAM занята более чем на 7 %"));
  EXPECT_FALSE(Cpu().plus_button->Visible);

  // Another indicator and back: the choice is still there.
  auto* selection = static_cast<SelectionPanel*>(scheme->selection_panel->Inner()->container);
  ASSERT_TRUE(user.SelectRadio(selection->radios[1]->PlatformControl()));
  EXPECT_EQ(scheme->event_list->Selected(), 0);
  ASSERT_TRUE(user.SelectRadio(selection->radios[0]->PlatformControl()));
  EXPECT_EQ(scheme->event_list->Selected(), 5);

  ASSERT_TRUE(user.PickItem(scheme->event_list->PlatformControl(), 0));
  Click(Cpu().plus_button);
  file = FileText();
  EXPECT_NE(file.find("[0]\r\nSignal=0\r\nVar1=8\r\nVar2=C\r\n"), std::string::npos) << file;
  EXPECT_EQ(profile.ReadInteger(SettingsPath(), "0", "Var1", -5), 8);
  EXPECT_EQ(RowText(0), Cp("Загрузка ЦП больше 8 %"));
  // Other channels stay as they were.
  EXPECT_NE(file.find("[1]\r\nSignal=0\r\nVar1=14\r\n"), std::string::npos);
}

TEST_F(MainSchemeTest, EveryRowShowsItsOwnChannelFromTheFirstStartOn) {
  StartProgram();  // setup mode: every channel was evaluated once, no frame sent
  for (int channel = 0; channel < MainScheme::kChannels; ++channel) {
    const int threshold = channel == 13 ? 99 : 7 * (channel + 1);
    EXPECT_EQ(RowText(channel), Cp(("Загрузка ЦП больше " + std::to_string(threshold) + " %").c_str()))
        << "row " << channel + 1;
  }
  EXPECT_EQ(scheme->event_list->Selected(), 0);  // and №01 is the one shown
  EXPECT_EQ(Cpu().value_edit->Text, "7");
  loop.AdvanceBy(3000);
  EXPECT_EQ(Frames(), "");
}

TEST_F(MainSchemeTest, ATypedThresholdIsTakenOnEnterOrLeavingTheFieldAndHeldToItsRange) {
  StartProgram();
  platform::Control* field = Cpu().value_edit->PlatformControl();
  // What a person does: empty the field, then type.
  const auto retype = [&](const std::string& text) {
    return user.Type(field, std::string(ui.Mirror(field)->State().text.size(), '\b') + text);
  };
  ASSERT_TRUE(retype("75"));
  EXPECT_EQ(profile.ReadString(SettingsPath(), "0", "Var1", "", 100), "7");  // not yet
  ASSERT_TRUE(user.PressKey(field, 13));
  EXPECT_EQ(profile.ReadString(SettingsPath(), "0", "Var1", "", 100), "75");
  EXPECT_EQ(RowText(0), Cp("Загрузка ЦП больше 75 %"));
  Click(Cpu().plus_button);
  EXPECT_EQ(profile.ReadString(SettingsPath(), "0", "Var1", "", 100), "76");

  // Past the top: held to 99, taken when the field loses the focus.
  ASSERT_TRUE(retype("250"));
  ASSERT_TRUE(user.Focus(Cpu().plus_button->PlatformControl()));
  EXPECT_EQ(profile.ReadString(SettingsPath(), "0", "Var1", "", 100), "99");
  EXPECT_EQ(ui.Mirror(field)->State().text, "99");

  // Not a number: the last value comes back and nothing is written.
  const std::string before = FileText();
  ASSERT_TRUE(retype("abc"));
  ASSERT_TRUE(user.PressKey(field, 13));
  EXPECT_EQ(ui.Mirror(field)->State().text, "99");
  EXPECT_EQ(FileText(), before);
  ASSERT_TRUE(retype("-5"));
  ASSERT_TRUE(user.PressKey(field, 13));
  EXPECT_EQ(profile.ReadString(SettingsPath(), "0", "Var1", "", 100), "0");
}

TEST_F(MainSchemeTest, PickingAnIndicatorInSetupModeShowsAndWritesThatChannel) {
  WriteDefaults();
  StartProgram();
  processors.SetLoad(100);
  RunCycle();
  RunCycle();
  ASSERT_EQ(LastFrame(), Bytes(0x7F, 0xFF));
  ASSERT_TRUE(user.ClickTray(MouseButton::Left));
  Click(scheme->setup_button);
  auto* selection = static_cast<SelectionPanel*>(scheme->selection_panel->Inner()->container);
  ASSERT_TRUE(user.SelectRadio(selection->radios[2]->PlatformControl()));
  EXPECT_EQ(Cpu().value_edit->Text, "21");
  processors.SetLoad(0);
  loop.AdvanceBy(3000);
  EXPECT_EQ(LastFrame(), Bytes(0x7F, 0xFF));  // nothing sent, the lamps stay

  Click(Cpu().minus_button);
  EXPECT_EQ(profile.ReadString(SettingsPath(), "2", "Var1", "", 100), "20");
  EXPECT_EQ(profile.ReadString(SettingsPath(), "0", "Var1", "", 100), "7");
}

TEST_F(MainSchemeTest, AChannelOfNoKnownTypeCountsAsOff) {
  WriteDefaults();
  profile.WriteString(SettingsPath(), "0", "Signal", "11");
  profile.WriteString(SettingsPath(), "9", "Signal", "-1");
  StartProgram();
  processors.SetLoad(100);
  RunCycle();
  RunCycle();
  EXPECT_EQ(LastFrame(), Bytes(0x7E, 0xFB));
}

TEST_F(MainSchemeTest, ASecondCopyAsksTheRunningOneForItsWindowAndCloses) {
  system.processes = {"/usr/bin/other", system.ExecutablePath(), "/elsewhere/lumiscope"};
  system.running_copy = 4242;
  StartProgram();
  EXPECT_TRUE(scheme->form->HasEnded());
  EXPECT_EQ(system.show_requests, 1);
  EXPECT_EQ(scheme->RunningCopy(), 4242);
  EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
  EXPECT_TRUE(serial.writes.empty());
}

TEST_F(MainSchemeTest, TheRunningCopyComesForwardWhenAnotherStartAsksForIt) {
  WriteDefaults();
  StartProgram();
  loop.AdvanceBy(10);  // hidden to the tray
  auto* window = ui.Mirror(scheme->form->PlatformControl());
  ASSERT_FALSE(window->State().visible);
  EXPECT_EQ(scheme->RunningCopy(), 0);
  EXPECT_EQ(system.show_requests, 0);

  loop.RequestShow();
  EXPECT_TRUE(window->State().visible);
  EXPECT_FALSE(ui.TrayShown());
  EXPECT_FALSE(scheme->form->HasEnded());
  loop.RequestShow();  // already shown: stays so
  EXPECT_TRUE(window->State().visible);
}

TEST_F(MainSchemeTest, HidingTheWindowFromSetupModeStartsWatching) {
  StartProgram();  // first start: setup mode, the cycle stopped
  processors.SetLoad(100);
  ASSERT_TRUE(scheme->InSetupMode());
  ASSERT_TRUE(user.RequestClose(scheme->form->PlatformControl()));
  EXPECT_FALSE(scheme->InSetupMode());
  EXPECT_TRUE(ui.TrayShown());
  RunCycle();
  RunCycle();
  EXPECT_EQ(LastFrame(), Bytes(0x7F, 0xFF));
}

TEST_F(MainSchemeTest, TheUnitIsSwitchedOffWhenTheProgramEndsWithThePortOpen) {
  WriteDefaults();
  StartProgram();
  scheme->SwitchUnitOff();  // nothing sent yet: the port is not open, nothing goes out
  EXPECT_EQ(Frames(), "");
  processors.SetLoad(100);
  RunCycle();
  RunCycle();
  ASSERT_EQ(LastFrame(), Bytes(0x7F, 0xFF));
  scheme->SwitchUnitOff();
  EXPECT_EQ(LastFrame(), Bytes(0x00, 0x80));
}

}  // namespace
}  // namespace lumi
