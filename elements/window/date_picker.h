#pragma once

#include "elements/window/win.h"
#include "runtime/date_time.h"

namespace lumi {

// Date-and-time picker. Values cross its points as date-time reals (days, 1.0 = 1
// January of year 1). Only the user's changes raise OnChange.
class TElDatePicker : public TElWin {
 public:
  explicit TElDatePicker(TElWin* parent) : TElWin(platform::ControlKind::DatePicker, parent) {}

  bool LongDate = false;    // false: the short date format
  bool TimeFormat = false;  // shows and edits the time instead of the date
  bool UpDown = false;      // spin buttons instead of a drop-down calendar
  bool RightAlign = false;
  // The drop-down calendar.
  platform::Color TitleBackColor = 0;
  platform::Color TitleTextColor = 0;
  platform::Color MonthBackColor = 0;
  platform::Color TrailingTextColor = 0;

  TEl_Event InDateTime;
  TEl_Event OnChange;  // real: the new date-time

  void OutDateTime(TData& result, uint16_t index);  // 0 while the picker holds no valid moment
  void OutNow(TData& result, uint16_t index);       // the local clock
  // Sets the picker from the real read from InDateTime (the incoming value when
  // unlinked); a value that names no moment a picker can show changes nothing.
  void SetDateTime(TData& data, uint16_t index);

  // Until set, Init starts the picker at the local clock, as a native picker does.
  const CalendarTime& Value() const { return value_; }

 protected:
  void ApplyOwn() override;
  void DateTimeChanged(const CalendarTime& value) override;

 private:
  CalendarTime value_;
  bool has_value_ = false;
};

}  // namespace lumi
