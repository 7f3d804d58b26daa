#pragma once

#include "elements/compute/chanel_to_index.h"
#include "elements/compute/format_str.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/memory.h"
#include "elements/window/group_box.h"
#include "elements/window/label.h"
#include "runtime/container.h"
#include "runtime/multi_element.h"
#include "scheme/threshold_control.h"

namespace lumi {

// Condition panel of event type 0: on while the processor load is above a threshold
// of 0..99 percent.
//
// Work[0]: show or hide every control. Work[1]: take Var1 as the threshold and
// evaluate. OutVar[0] state, OutVar[1] threshold, OutVar[2] message text.
// OnEvent[0]: the user changed the threshold (the new value). InData[0]: the load.
class CpuLoadPanel : public Container, public ThresholdControls {
 public:
  explicit CpuLoadPanel(TElement* parent);

  TElGroupBox* box;
  TElEditMulti* edit;
  TElMultiElement* threshold;
  TElIf_else* comparison;
  TElChanelToIndex* state_selector;
  TElMemory* state;
  TElFormatStr* message;
  TElHub* apply_hub;
  TElHub* show_hub;
  TElLabel* caption_label;
};

}  // namespace lumi
