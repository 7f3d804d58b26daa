#pragma once

#include "elements/window/win.h"

namespace lumi {

// Static text.
class TElLabel : public TElWin {
 public:
  explicit TElLabel(TElWin* parent) : TElWin(platform::ControlKind::Label, parent) {}

  Text Caption;
  TEl_Event InText;

  // The text read from InText (the incoming value when unlinked) becomes the caption.
  void SetText(TData& data, uint16_t index);

 protected:
  void ApplyOwn() override;
};

}  // namespace lumi
