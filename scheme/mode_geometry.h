#pragma once

#include "runtime/container.h"

namespace lumi {

// The sizes of the two modes.
//   Work[0] setup mode, Work[1] work mode: each fires, in this order, OnEvent[0]
//   window width, OnEvent[1] window height, OnEvent[2] button-frame width,
//   OnEvent[3] button-frame height.
class ModeGeometry : public Container {
 public:
  explicit ModeGeometry(TElement* parent);
};

}  // namespace lumi
