#pragma once

#include <cstdint>

#include "elements/sensors/date_format.h"
#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Turns a date-time value (days since 1 January of year 1, fraction = time of day)
// into text by the picture `Format`.
class TElDateConvertor : public TElement {
 public:
  Text Format;
  DateNames Names;  // the clock's, at creation: the user's locale

  TElDateConvertor();
  TEl_Event InDateTime;
  TEl_Event OnResult;

  // Values past the last convertible date are dropped without an event. A value that
  // names no calendar date (below 1, NaN, -infinity; an unlinked InDateTime reads as
  // 0) gives the empty text, which is kept and fired like any other result, so a
  // display fed from here is cleared rather than left showing a stale date.
  void Convert(TData& data, uint16_t index);

  // The text of the last Convert (empty before the first).
  void OutResult(TData& data, uint16_t index);

  double LastValue() const { return last_value_; }

 private:
  double last_value_ = 0.0;
  Text result_;
};

}  // namespace lumi
