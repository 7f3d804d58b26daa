#include "elements/window/date_picker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/elements/window/window_fixture.h"

namespace lumi {
namespace {

class DatePickerTest : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    picker.TimeFormat = true;
    picker.UpDown = true;
    picker.TitleBackColor = 0xFF0000;
    picker.TitleTextColor = 0xFFFFFF;
    picker.Width = 70;
    picker.Height = 21;
    picker.OnChange = test::ToProbe(&changes);
    picker.Init();
  }
  const CalendarTime& Shown() { return Mirror(picker)->State().date_time; }

  TElDatePicker picker{nullptr};
  test::Probe changes;
};

TEST_F(DatePickerTest, StartsAtTheLocalClockWithItsStyle) {
  EXPECT_EQ(Shown(), clock.now);
  const auto& style = Mirror(picker)->State().date_style;
  EXPECT_TRUE(style.time_format);
  EXPECT_TRUE(style.up_down);
  EXPECT_FALSE(style.long_date);
  EXPECT_EQ(style.title_background, 0xFF0000u);
  EXPECT_EQ(style.title_text, 0xFFFFFFu);

  const double now = *CalendarToValue(clock.now);
  EXPECT_DOUBLE_EQ(Read<&TElDatePicker::OutDateTime>(picker).AsReal(), now);
  clock.now.minute = 6;  // OutNow reads the clock anew, the picker keeps its value
  EXPECT_DOUBLE_EQ(Read<&TElDatePicker::OutNow>(picker).AsReal(), *CalendarToValue(clock.now));
  EXPECT_DOUBLE_EQ(Read<&TElDatePicker::OutDateTime>(picker).AsReal(), now);
}

TEST_F(DatePickerTest, TheProgramSetsItSilentlyAndIgnoresValuesNamingNoMoment) {
  Act<&TElDatePicker::SetDateTime>(picker, TData::Real(739957.5));  // 7 December 2026, 12:00
  EXPECT_EQ(Shown().year, 2026);
  EXPECT_EQ(Shown().month, 12);
  EXPECT_EQ(Shown().day, 7);
  EXPECT_EQ(Shown().hour, 12);
  EXPECT_EQ(Shown().minute, 0);
  EXPECT_DOUBLE_EQ(Read<&TElDatePicker::OutDateTime>(picker).AsReal(), 739957.5);

  test::Source moment(TData::String("739958.25"));
  picker.InDateTime = test::FromSource(&moment);
  Act<&TElDatePicker::SetDateTime>(picker);
  EXPECT_EQ(Shown().day, 8);
  EXPECT_EQ(Shown().hour, 6);

  for (double bad : {0.0, -3.0, 5e8, std::numeric_limits<double>::quiet_NaN()}) {
    moment.value = TData::Real(bad);
    Act<&TElDatePicker::SetDateTime>(picker);
    EXPECT_EQ(Shown().day, 8) << bad;
  }
  moment.value = TData::Real(*CalendarToValue({9999, 12, 31, 23, 59, 59, 0}) + 1.0);  // year 10000
  Act<&TElDatePicker::SetDateTime>(picker);
  EXPECT_EQ(Shown().year, 2026);
  EXPECT_EQ(changes.Count(), 0u);
}

TEST_F(DatePickerTest, EveryUserChangeFiresOnChangeWithTheNewValue) {
  CalendarTime noon{2026, 12, 7, 12, 0, 0, 0};
  ASSERT_TRUE(user.ChangeDate(picker.PlatformControl(), noon));
  noon.hour = 13;
  user.ChangeDate(picker.PlatformControl(), noon);

  ASSERT_EQ(changes.Count(), 2u);
  EXPECT_EQ(changes.received[0].type, DataType::Real);
  EXPECT_DOUBLE_EQ(changes.received[0].real, 739957.5);
  EXPECT_DOUBLE_EQ(Read<&TElDatePicker::OutDateTime>(picker).AsReal(), *CalendarToValue(noon));

  Act<&TElWin::SetEnabled>(picker, TData::Integer(0));
  EXPECT_FALSE(user.ChangeDate(picker.PlatformControl(), noon));
  EXPECT_EQ(changes.Count(), 2u);
}

}  // namespace
}  // namespace lumi
