#pragma once

#include "elements/window/group_box.h"
#include "runtime/container.h"

namespace lumi {

// The frame around the mode, About, exit and debug buttons; its size follows the mode.
//
// Work[0]: width. Work[1]: height.
class ButtonFrame : public Container {
 public:
  explicit ButtonFrame(TElement* parent);

  TElGroupBox* box;
  TElEditMulti* edit;
};

}  // namespace lumi
