#pragma once

#include "elements/compute/chanel_to_index.h"
#include "elements/compute/do_data.h"
#include "elements/compute/format_str.h"
#include "elements/compute/get_data.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/index_to_chanel.h"
#include "elements/compute/memory.h"
#include "elements/sensors/date_convertor.h"
#include "elements/window/date_picker.h"
#include "elements/window/group_box.h"
#include "elements/window/label.h"
#include "elements/window/timer.h"
#include "runtime/container.h"

namespace lumi {

// Condition panel of event type 8: from a chosen date and time onwards the indicator
// blinks, in the blinking phase of the work cycle. While shown, the panel also
// displays the local clock. Its message says "Наступит" of a moment still to come
// and "Наступило" once it has come.
//
// Work[0]: show or hide every control, and start or stop the clock display (1 / 0).
// Work[1]: take Var2 (a date-time value) as the moment and evaluate. Work[2]: switch
// the state off.
// OutVar[0] state (0 or 1), OutVar[1] the moment (a date-time value), OutVar[2]
// message text.
// OnEvent[0]: the user changed the moment (the new moment).
// InData[0]: the blinking phase (1 lit, 0 dark).
//
// The two pickers always hold the same moment, the date picker editing its date and
// the time picker its time. A picker's change counts as the user's only after a mouse
// press on it (or with every key released in it): setting the pickers from Var2 clears
// both flags first, so the change notices that causes never reach OnEvent[0].
class DayTimePanel : public Container {
 public:
  static constexpr uint32_t kClockIntervalMs = 450;

  explicit DayTimePanel(TElement* parent);

  TElGroupBox* box;
  TElEditMulti* edit;
  TElDatePicker* date_picker;
  TElDatePicker* time_picker;
  TElMemory* date_flag;
  TElMemory* time_flag;
  TElChanelToIndex* date_flag_selector;
  TElChanelToIndex* time_flag_selector;
  TElIf_else* date_guard;
  TElIf_else* time_guard;
  TElDoData* date_copier;
  TElDoData* time_copier;
  TElGetData* moment_reader;
  TElGetData* clock_reader;
  TElIf_else* comparison;
  TElDoData* phase_sender;
  TElMemory* state;
  TElMemory* come;  // 1 once the moment has come, for the message
  TElChanelToIndex* come_selector;
  TElDoData* message_sender;
  TElDateConvertor* message_converter;
  TElIndexToChanel* message_router;
  TElFormatStr* coming_message;
  TElFormatStr* come_message;
  TElMemory* message;
  TElTimer* clock_timer;
  TElIndexToChanel* clock_switcher;
  TElDoData* clock_sender;
  TElDateConvertor* clock_converter;
  TElFormatStr* clock_text;
  // Gives OnEvent[0] the moment now held, whichever way the change came in (a key
  // released brings only its key code).
  TElDoData* change_value;
  TElHub* show_hub;
  TElHub* apply_hub;
  TElHub* date_set_hub;
  TElHub* time_set_hub;
  TElHub* date_copy_hub;
  TElHub* time_copy_hub;
  TElHub* change_hub;
  TElHub* reset_hub;
  TElHub* come_hub;
  TElHub* not_come_hub;
  TElLabel* signal_label;
  TElLabel* at_label;
  TElLabel* clock_label;
};

}  // namespace lumi
