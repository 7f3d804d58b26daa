#include "elements/sensors/date_convertor.h"

#include "platform/clock.h"
#include "platform/services.h"

namespace lumi {

TElDateConvertor::TElDateConvertor() : Names(platform::Current().clock->Names()) {}

void TElDateConvertor::Convert(TData& data, uint16_t) {
  last_value_ = PullReal(data, InDateTime, 0.0);
  if (last_value_ > kLastConvertibleDate) return;
  std::optional<CalendarTime> fields = ValueToCalendar(last_value_);
  if (fields)
    result_ = FormatDateTime(Format, *fields, Names);
  else
    result_.clear();
  TailString(data, OnResult, result_);
}

void TElDateConvertor::OutResult(TData& data, uint16_t) { data.SetString(result_); }

}  // namespace lumi
