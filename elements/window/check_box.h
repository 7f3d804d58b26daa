#pragma once

#include "elements/window/win.h"

namespace lumi {

// Check box. OnCheck follows every Check and every change by the user; OnClick only a
// change by the user, after OnCheck.
class TElCheckBox : public TElWin {
 public:
  explicit TElCheckBox(TElWin* parent) : TElWin(platform::ControlKind::CheckBox, parent) {}

  Text Caption;
  bool Checked = false;
  TEl_Event OnCheck;  // integer 0 or 1
  TEl_Event OnClick;  // integer 0 or 1

  // IsTrue of the value checks, anything else unchecks; OnCheck follows even when the
  // box already was so.
  void Check(TData& data, uint16_t index);

 protected:
  void ApplyOwn() override;
  void CheckChanged(bool checked) override;
};

}  // namespace lumi
