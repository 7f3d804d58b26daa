#pragma once

#include "elements/window/win.h"

namespace lumi {

// Push button.
class TElButton : public TElWin {
 public:
  explicit TElButton(TElWin* parent) : TElWin(platform::ControlKind::Button, parent) {}

  Text Caption;
  TEl_Event OnClick;  // no value

 protected:
  void ApplyOwn() override;
  void Clicked() override;
};

}  // namespace lumi
