#pragma once

#include <cstdint>

#include "elements/compute/do_data.h"
#include "elements/compute/format_str.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/math_parse.h"
#include "elements/compute/memory.h"
#include "elements/window/button.h"
#include "elements/window/edit.h"
#include "elements/window/group_box.h"
#include "elements/window/label.h"
#include "runtime/container.h"
#include "runtime/multi_element.h"
#include "scheme/threshold_control.h"

namespace lumi {

// The four memory conditions, numbered by their event type.
enum class MemoryCondition : uint8_t {
  kFreeRam = 4,   // free physical memory below the threshold
  kUsedRam = 5,   // used physical memory above the threshold
  kFreeSwap = 6,  // free swap below the threshold
  kUsedSwap = 7,  // used swap above the threshold
};

// Condition panel of event types 4 to 7: the share of physical memory or swap that is
// free (or used), against a threshold in percent. While the condition holds the state
// follows the blinking phase of the work cycle, so every channel of these types blinks
// while its own condition holds, all in one phase.
//
// Work[0]: show or hide every control. Work[1]: take Var1 as the threshold and
// evaluate. Work[2]: switch the state off.
// OutVar[0] state (0 or 1), OutVar[1] threshold, OutVar[2] message text.
// OnEvent[0]: the user changed the threshold (the new value).
// InData[0] total, InData[1] available (megabytes of physical memory or of swap),
// InData[2] the blinking phase (1 lit, 0 dark).
//
// Without swap the total is 0: the share is then undefined, the condition counts as
// not holding and no error is reported, so a machine without swap never meets a
// message box once per work cycle.
class MemoryPanel : public Container, public ThresholdControls {
 public:
  MemoryPanel(TElement* parent, MemoryCondition condition);

  // Builds the panel of `condition` inside the main form.
  static Creator CreatorFor(MemoryCondition condition);

  const MemoryCondition condition;

  TElGroupBox* box;
  TElEditMulti* edit;
  TElMultiElement* threshold;
  TElIf_else* total_guard;
  TElMathParse* percentage;
  TElIf_else* comparison;
  TElDoData* phase_sender;
  TElMemory* state;
  TElFormatStr* message;
  TElHub* apply_hub;
  TElHub* show_hub;
  TElHub* reset_hub;
  TElLabel* caption_line1;
  TElLabel* caption_line2;
};

}  // namespace lumi
