#pragma once

#include "elements/compute/chanel_to_index.h"
#include "elements/compute/counter.h"
#include "elements/compute/format_str.h"
#include "elements/compute/get_data.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/memory.h"
#include "elements/window/button.h"
#include "elements/window/edit.h"
#include "elements/window/group_box.h"
#include "elements/window/label.h"
#include "runtime/container.h"
#include "runtime/multi_element.h"

namespace lumi {

// Condition panel of event type 0: on while the processor load is above a threshold
// of 0..99 percent.
//
// Work[0]: show or hide every control. Work[1]: take Var1 as the threshold and
// evaluate. OutVar[0] state, OutVar[1] threshold, OutVar[2] message text.
// OnEvent[0]: the user stepped the threshold (the new count). InData[0]: the load.
class TClassChildGroupBox_14E85C0 : public Container {
 public:
  explicit TClassChildGroupBox_14E85C0(TElement* parent);

  TElGroupBox* box;
  TElEditMulti* edit;
  TElCounter* threshold;
  TElGetData* threshold_reader;
  TElIf_else* upper_guard;
  TElIf_else* lower_guard;
  TElIf_else* comparison;
  TElChanelToIndex* state_selector;
  TElMemory* state;
  TElFormatStr* message;
  TElMultiElement* repeat_unit;
  TElHub* counter_hub;
  TElHub* apply_hub;
  TElHub* edit_hub;
  TElHub* show_hub;
  TElLabel* caption_label;
  TElEdit* value_edit;
  TElButton* plus_button;
  TElButton* minus_button;
  TElLabel* percent_label;
};
using CpuLoadPanel = TClassChildGroupBox_14E85C0;

}  // namespace lumi
