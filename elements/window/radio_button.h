#pragma once

#include "elements/window/win.h"

namespace lumi {

// Radio button. Checking one unchecks the other radio buttons of the same parent, as
// Windows automatic radio buttons of one group do.
class TElRadioButton : public TElWin {
 public:
  explicit TElRadioButton(TElWin* parent) : TElWin(platform::ControlKind::RadioButton, parent) {}

  Text Caption;
  bool Checked = false;  // at creation
  TEl_Event OnSelect;    // no value

  // IsTrue of the value: selects the button as a user's click would, OnSelect
  // included; otherwise unchecks it without an event.
  void Select(TData& data, uint16_t index);

  bool IsChecked() const { return Checked; }

 protected:
  void ApplyOwn() override;
  void RadioSelected() override;

 private:
  void TakeCheck();
  void SetCheck(bool checked);
};

}  // namespace lumi
