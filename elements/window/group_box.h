#pragma once

#include "elements/window/win.h"

namespace lumi {

// A frame with a caption; the controls of a panel are created inside it.
class TElGroupBox : public TElWin {
 public:
  explicit TElGroupBox(TElWin* parent) : TElWin(platform::ControlKind::GroupBox, parent) {}

  Text Caption;

 protected:
  void ApplyOwn() override;
};

}  // namespace lumi
