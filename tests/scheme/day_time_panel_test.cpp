#include "scheme/day_time_panel.h"

#include "runtime/number_text.h"
#include "tests/scheme/panel_host.h"
#include "tests/support/probe.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using platform::MouseButton;
using platform::Rect;

CalendarTime At(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second) {
  return CalendarTime{year, month, day, hour, minute, second, 0, 0};
}
double ValueOf(const CalendarTime& time) { return CalendarToValue(time).value_or(0.0); }

class DayTimePanelTest : public test::SchemeTest {
 protected:
  void SetUp() override {
    SchemeTest::SetUp();
    clock.now = At(2026, 12, 7, 11, 59, 59);
    panel = std::make_unique<test::PanelHost<DayTimePanel>>(1, 1);
    panel->multi->OnEvent[0] = test::ToProbe(&changes);
    panel->multi->InData[0] = test::FromSource(&phase);
  }
  void TearDown() override {
    panel.reset();
    SchemeTest::TearDown();
  }

  const platform::headless::ControlState& Mirror(TElWin* element) {
    return ui.Mirror(element->PlatformControl())->State();
  }
  double Shown(TElWin* picker) { return ValueOf(Mirror(picker).date_time); }
  // Var2 comes from the settings file as the text of a day number; the work cycle's
  // blinking phase alternates from one evaluation to the next.
  int32_t Evaluate(double moment) {
    phase.value = TData::Integer(lit ? 1 : 0);
    lit = !lit;
    panel->Work(1, TData::String(RealToText(moment)));
    return panel->OutVar(0).AsInteger();
  }
  platform::Control* DatePicker() { return (*panel)->date_picker->PlatformControl(); }
  platform::Control* TimePicker() { return (*panel)->time_picker->PlatformControl(); }

  test::Probe changes;
  test::Source phase;
  bool lit = true;
  std::unique_ptr<test::PanelHost<DayTimePanel>> panel;
};

TEST_F(DayTimePanelTest, BlinksFromTheMomentOn) {
  const double noon = ValueOf(At(2026, 12, 7, 12, 0, 0));
  ASSERT_EQ(noon, 739957.5);
  EXPECT_EQ(panel->OutVar(0).AsInteger(), 0);

  EXPECT_EQ(Evaluate(noon), 0);
  EXPECT_EQ(Evaluate(noon), 0);
  EXPECT_EQ(panel->OutVar(1).AsReal(), noon);
  // Still ahead: the message says it is to come.
  EXPECT_EQ(panel->OutVar(2).text, Cp("Наступит: 12:00:00 07-12-2026"));
  EXPECT_EQ(Shown((*panel)->date_picker), noon);
  EXPECT_EQ(Shown((*panel)->time_picker), noon);

  clock.now = At(2026, 12, 7, 12, 0, 0);
  lit = true;
  EXPECT_EQ(Evaluate(noon), 1);
  EXPECT_EQ(panel->OutVar(2).text, Cp("Наступило: 12:00:00 07-12-2026"));
  EXPECT_EQ(Evaluate(noon), 0);
  clock.now = At(2026, 12, 9, 8, 0, 0);
  EXPECT_EQ(Evaluate(noon), 1);

  // The setup-mode reset switches it off.
  panel->Work(2, TData());
  EXPECT_EQ(panel->OutVar(0).AsInteger(), 0);
  panel->Work(2, TData());
  EXPECT_EQ(panel->OutVar(0).AsInteger(), 0);
  lit = true;
  EXPECT_EQ(Evaluate(noon), 1);

  // Another channel whose moment lies ahead is off, and says it is to come.
  lit = true;
  EXPECT_EQ(Evaluate(ValueOf(At(2030, 1, 1, 0, 0, 0))), 0);
  EXPECT_EQ(panel->OutVar(2).text, Cp("Наступит: 00:00:00 01-01-2030"));
  EXPECT_EQ(changes.Count(), 0u);
}

TEST_F(DayTimePanelTest, MomentInThePastBlinksFromTheFirstCycle) {
  const double past = ValueOf(At(2020, 2, 29, 23, 30, 15));
  EXPECT_EQ(Evaluate(past), 1);
  EXPECT_EQ(Evaluate(past), 0);
  EXPECT_EQ(Evaluate(past), 1);
  EXPECT_EQ(panel->OutVar(2).text, Cp("Наступило: 23:30:15 29-02-2020"));
}

TEST_F(DayTimePanelTest, OnlyTheUsersChangesAreReported) {
  const double moment = ValueOf(At(2026, 12, 24, 18, 0, 0));
  Evaluate(moment);
  EXPECT_EQ(changes.Count(), 0u);

  // A toolkit may report the program's own setting as a change; without a press on
  // the picker first it is not the user's.
  ASSERT_TRUE(user.ChangeDate(TimePicker(), At(2026, 12, 24, 18, 0, 1)));
  ASSERT_TRUE(user.ChangeDate(DatePicker(), At(2026, 12, 25, 18, 0, 0)));
  EXPECT_EQ(changes.Count(), 0u);

  // The user opens the date picker's calendar and picks another day.
  Evaluate(moment);
  const CalendarTime new_year = At(2027, 1, 1, 18, 0, 0);
  ASSERT_TRUE(user.PressMouse(DatePicker(), MouseButton::Left, {70, 10}));
  ASSERT_TRUE(user.ReleaseMouse(DatePicker(), MouseButton::Left, {70, 10}));
  ASSERT_TRUE(user.ChangeDate(DatePicker(), new_year));
  ASSERT_EQ(changes.Count(), 1u);
  EXPECT_EQ(changes.Last().AsReal(), ValueOf(new_year));
  EXPECT_EQ(Shown((*panel)->time_picker), ValueOf(new_year));
  EXPECT_EQ(panel->OutVar(1).AsReal(), ValueOf(new_year));
  ASSERT_TRUE(user.ChangeDate(DatePicker(), At(2027, 1, 2, 18, 0, 0)));
  EXPECT_EQ(changes.Count(), 2u);

  // Spinning the time after a press on the time picker moves the date picker along.
  const CalendarTime later = At(2027, 1, 2, 18, 30, 0);
  ASSERT_TRUE(user.PressMouse(TimePicker(), MouseButton::Left, {60, 5}));
  ASSERT_TRUE(user.ChangeDate(TimePicker(), later));
  ASSERT_EQ(changes.Count(), 3u);
  EXPECT_EQ(changes.Last().AsReal(), ValueOf(later));
  EXPECT_EQ(Shown((*panel)->date_picker), ValueOf(later));

  // The next evaluation clears both flags again.
  Evaluate(moment);
  ASSERT_TRUE(user.ChangeDate(TimePicker(), later));
  EXPECT_EQ(changes.Count(), 3u);
  EXPECT_EQ(Shown((*panel)->date_picker), moment);

  // Every key released in a picker copies its moment and reports it.
  ASSERT_TRUE(user.PressKey(TimePicker(), 0x26));  // up arrow
  ASSERT_EQ(changes.Count(), 4u);
  EXPECT_EQ(changes.Last().AsReal(), ValueOf(later));
  EXPECT_EQ(Shown((*panel)->date_picker), ValueOf(later));
  EXPECT_EQ(panel->OutVar(1).AsReal(), ValueOf(later));
}

TEST_F(DayTimePanelTest, ClockRunsOnlyWhileShown) {
  DayTimePanel& p = **panel;
  EXPECT_EQ(Mirror(p.clock_label).text, "  ");
  EXPECT_EQ(loop.RunningTimers(), 0u);

  panel->Work(0, TData::Integer(1));
  clock.now = At(2026, 12, 7, 14, 5, 9);
  loop.AdvanceBy(DayTimePanel::kClockIntervalMs);
  EXPECT_EQ(Mirror(p.clock_label).text, Cp("Сейчас: 07-12-2026 14:05:09"));
  clock.now = At(2026, 12, 7, 14, 5, 10);
  loop.AdvanceBy(DayTimePanel::kClockIntervalMs);
  EXPECT_EQ(Mirror(p.clock_label).text, Cp("Сейчас: 07-12-2026 14:05:10"));

  panel->Work(0, TData::Integer(0));
  EXPECT_EQ(loop.RunningTimers(), 0u);
  clock.now = At(2026, 12, 7, 15, 0, 0);
  loop.AdvanceBy(10 * DayTimePanel::kClockIntervalMs);
  EXPECT_EQ(Mirror(p.clock_label).text, Cp("Сейчас: 07-12-2026 14:05:10"));
}

TEST_F(DayTimePanelTest, WorkZeroShowsAndHidesEveryControl) {
  DayTimePanel& p = **panel;
  EXPECT_EQ(Mirror(p.box).geometry, (Rect{315, 439, 232, 55}));
  EXPECT_EQ(Mirror(p.date_picker).geometry, (Rect{55, 10, 80, 21}));
  EXPECT_EQ(Mirror(p.time_picker).geometry, (Rect{156, 10, 70, 21}));
  EXPECT_FALSE(Mirror(p.date_picker).date_style.time_format);
  EXPECT_TRUE(Mirror(p.time_picker).date_style.time_format);
  EXPECT_TRUE(Mirror(p.time_picker).date_style.up_down);
  EXPECT_EQ(Mirror(p.signal_label).text, Cp("Сигнал"));
  EXPECT_EQ(Mirror(p.at_label).text, Cp("в"));

  TElWin* controls[] = {p.date_picker, p.time_picker, p.signal_label, p.at_label, p.clock_label};
  panel->Work(0, TData::Integer(0));
  for (TElWin* control : controls) EXPECT_FALSE(Mirror(control).visible);
  EXPECT_FALSE(user.ChangeDate(DatePicker(), At(2027, 1, 1, 0, 0, 0)));
  panel->Work(0, TData::Integer(1));
  for (TElWin* control : controls) EXPECT_TRUE(Mirror(control).visible);
}

}  // namespace
}  // namespace lumi
