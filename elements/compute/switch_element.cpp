#include "elements/compute/switch_element.h"

namespace lumi {

void TElSwitch::SetDefault(bool value) {
  Default = value;
  on_ = !value;
  current_ = on_ ? OnValue.Value() : OffValue.Value();
}

void TElSwitch::Toggle(TData& data, uint16_t) {
  on_ = !on_;
  if (on_) {
    current_ = PullData(data, InOnValue, &OnValue);
  } else {
    current_ = PullData(data, InOffValue, &OffValue);
  }
  // A listener on OnToggle may toggle this switch again; the closing event still
  // reports what this toggle did, so both events of one toggle agree.
  const bool on = on_;
  const TData value = current_;
  data = value;
  Fire(OnToggle, data);
  TailData(data, on ? OnOn : OnOff, value);
}

void TElSwitch::Reset(TData& data, uint16_t index) {
  if (on_) Toggle(data, index);
}

void TElSwitch::OutValue(TData& result, uint16_t) { result = current_; }

}  // namespace lumi
