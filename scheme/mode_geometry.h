#pragma once

#include "runtime/container.h"

namespace lumi {

// The sizes of the two modes.
//   Work[0] setup mode, Work[1] work mode: each fires, in this order, OnEvent[0]
//   window width, OnEvent[1] window height, OnEvent[2] button-frame width,
//   OnEvent[3] button-frame height.
class TClassMultiElement_E405DC : public Container {
 public:
  explicit TClassMultiElement_E405DC(TElement* parent);
};
using ModeGeometry = TClassMultiElement_E405DC;

}  // namespace lumi
