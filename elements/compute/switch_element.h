#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// An on/off flip-flop that announces every change and keeps the value of its state.
class TElSwitch : public TElement {
 public:
  TData OnValue;
  TData OffValue;
  bool Default = false;
  TEl_Event OnOff;
  TEl_Event OnOn;
  TEl_Event OnToggle;
  TEl_Event InOffValue;
  TEl_Event InOnValue;

  // A true default starts the switch off (and false starts it on). Call it after
  // OnValue and OffValue are set: it takes the current value from them.
  void SetDefault(bool value);

  void Toggle(TData& data, uint16_t index);
  void Reset(TData& data, uint16_t index);  // switches off; nothing when already off
  void OutValue(TData& result, uint16_t index);

  bool IsOn() const { return on_; }

 private:
  bool on_ = false;
  TData current_;
};

}  // namespace lumi
