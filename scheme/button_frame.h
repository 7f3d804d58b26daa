#pragma once

#include "elements/window/group_box.h"
#include "runtime/container.h"

namespace lumi {

// The frame around the mode, About, exit and debug buttons; its size follows the mode.
//
// Work[0]: width. Work[1]: height.
class TClassChildGroupBox_E0BBC0 : public Container {
 public:
  explicit TClassChildGroupBox_E0BBC0(TElement* parent);

  TElGroupBox* box;
  TElEditMulti* edit;
};
using ButtonFrame = TClassChildGroupBox_E0BBC0;

}  // namespace lumi
