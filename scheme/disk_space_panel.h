#pragma once

#include <cstdint>

#include "elements/compute/case_element.h"
#include "elements/compute/chanel_to_index.h"
#include "elements/compute/counter.h"
#include "elements/compute/do_data.h"
#include "elements/compute/format_str.h"
#include "elements/compute/get_data.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/math_parse.h"
#include "elements/compute/memory.h"
#include "elements/sensors/hard_disk.h"
#include "elements/window/button.h"
#include "elements/window/combo_box.h"
#include "elements/window/edit.h"
#include "elements/window/group_box.h"
#include "elements/window/label.h"
#include "runtime/container.h"
#include "runtime/multi_element.h"
#include "scheme/threshold_control.h"

namespace lumi {

// The two space conditions, numbered by their event type.
enum class DiskSpaceCondition : uint8_t {
  kFreeDisk = 2,  // free space of the drive below the threshold
  kUsedDisk = 3,  // used space of the drive above the threshold
};

// Condition panel of event types 2 and 3: the free (or used) space of a drive in
// percent of its size, against a threshold.
//
// Work[0]: show or hide every control. Work[1]: take Var1 as the threshold and list
// the present drives. Work[2]: take Var2 (the letter) and evaluate.
// OutVar[0] state (0 or 1), OutVar[1] threshold, OutVar[2] letter, OutVar[3] message.
// OnEvent[0]: the user changed the threshold (the new value); OnEvent[1]: the user
// picked another drive (its index in the list).
//
// A letter that names no present drive turns the state off: the indicator must not
// show whatever another drive of the same panel left behind. A drive whose size reads
// as 0 (a pseudo file system mapped as a drive) is off the same way and never divided
// by: it has no space to be free or used.
class DiskSpacePanel : public Container, public ThresholdControls {
 public:
  DiskSpacePanel(TElement* parent, DiskSpaceCondition condition);

  // Builds the panel of `condition` inside the main form.
  static Creator CreatorFor(DiskSpaceCondition condition);

  const DiskSpaceCondition condition;

  TElGroupBox* box;
  TElEditMulti* edit;
  TElMultiElement* threshold;
  TElComboBox* drive_list;
  TElGetData* drive_reader;
  TElHardDisk* sensor;
  TElIf_else* absence_guard;
  TElDoData* total_sender;
  TElCase* zero_filter;
  TElMemory* total_memory;
  TElMathParse* percentage;
  TElIf_else* comparison;
  TElChanelToIndex* state_selector;
  TElMemory* state;
  TElFormatStr* message;
  TElHub* show_hub;
  TElHub* first_apply_hub;
  TElHub* second_apply_hub;
  TElLabel* caption_label;
  TElLabel* on_drive_label;
  TElLabel* relation_label;
};

}  // namespace lumi
