#pragma once

#include "elements/compute/chanel_to_index.h"
#include "elements/compute/format_str.h"
#include "elements/compute/get_data.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/memory.h"
#include "elements/sensors/hard_disk.h"
#include "elements/window/combo_box.h"
#include "elements/window/group_box.h"
#include "elements/window/label.h"
#include "runtime/container.h"

namespace lumi {

// Condition panel of event type 1: on while the chosen drive letter is present.
//
// Work[0]: show or hide every control. Work[1]: take Var2 (the letter) and evaluate.
// OutVar[0] state (0 or 1), OutVar[1] the letter as the list now holds it, OutVar[2]
// message text. OnEvent[0]: the user picked another letter (its index in A..Z).
class DiskPresentPanel : public Container {
 public:
  explicit DiskPresentPanel(TElement* parent);

  TElGroupBox* box;
  TElEditMulti* edit;
  TElComboBox* drive_list;
  TElGetData* drive_reader;
  TElHardDisk* sensor;
  TElMemory* last_drive;
  TElIf_else* comparison;
  TElChanelToIndex* state_selector;
  TElMemory* state;
  TElFormatStr* message;
  TElHub* show_hub;
  TElHub* apply_hub;
  TElLabel* caption_label;
  TElLabel* present_label;
};

}  // namespace lumi
