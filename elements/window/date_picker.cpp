#include "elements/window/date_picker.h"

#include "platform/clock.h"
#include "platform/services.h"

namespace lumi {
namespace {

double ValueOf(const CalendarTime& time) { return CalendarToValue(time).value_or(0.0); }

}  // namespace

void TElDatePicker::ApplyOwn() {
  if (!has_value_) {
    value_ = platform::Current().clock->LocalTime();
    has_value_ = true;
  }
  if (PlatformControl() == nullptr) return;
  platform::DatePickerStyle style;
  style.time_format = TimeFormat;
  style.long_date = LongDate;
  style.up_down = UpDown;
  style.right_align = RightAlign;
  style.title_background = TitleBackColor;
  style.title_text = TitleTextColor;
  style.month_background = MonthBackColor;
  style.trailing_text = TrailingTextColor;
  PlatformControl()->SetDatePickerStyle(style);
  PlatformControl()->SetDateTime(value_);
}

void TElDatePicker::OutDateTime(TData& result, uint16_t) { result.SetReal(ValueOf(value_)); }

void TElDatePicker::OutNow(TData& result, uint16_t) {
  result.SetReal(ValueOf(platform::Current().clock->LocalTime()));
}

void TElDatePicker::SetDateTime(TData& data, uint16_t) {
  const std::optional<CalendarTime> time = ValueToCalendar(PullReal(data, InDateTime, 0.0));
  // Years past 9999 convert to fields but no picker shows them.
  if (!time || !CalendarToValue(*time)) return;
  value_ = *time;
  has_value_ = true;
  if (PlatformControl() != nullptr) PlatformControl()->SetDateTime(value_);
}

void TElDatePicker::DateTimeChanged(const CalendarTime& value) {
  if (Destroying()) return;
  value_ = value;
  has_value_ = true;
  FireReal(OnChange, ValueOf(value_));
}

}  // namespace lumi
