#pragma once

#include "elements/compute/array_rw.h"
#include "elements/compute/chanel_to_index.h"
#include "elements/compute/do_data.h"
#include "elements/compute/format_str.h"
#include "elements/compute/get_data.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/memory.h"
#include "elements/device/str_list.h"
#include "elements/sensors/keyboard_layout.h"
#include "elements/sensors/win_enum.h"
#include "elements/window/combo_box.h"
#include "elements/window/group_box.h"
#include "elements/window/label.h"
#include "runtime/container.h"

namespace lumi {

// Condition panel of event type 10: on while the window in front types with the
// keyboard layout of a chosen language.
//
// Work[0]: show or hide every control. Work[1]: take Var2 (a language name of the
// language table) and evaluate.
// OutVar[0] state (empty before the first evaluation), OutVar[1] the chosen language
// name, OutVar[2] message text.
// OnEvent[0]: the user chose a language (its name).
//
// A name that is not in the table selects nothing; the evaluation then ends and the
// state keeps its value.
class KeyboardLayoutPanel : public Container {
 public:
  explicit KeyboardLayoutPanel(TElement* parent);

  TElGroupBox* box;
  TElEditMulti* edit;
  TElComboBox* language_list;
  TElGetData* name_reader;
  TElStrList* id_list;
  TElArrayRW* id_reader;
  TElWinEnum* focus;
  TElKeyboardLayout* layout;
  TElDoData* layout_sender;
  TElMemory* current_layout;
  TElIf_else* comparison;
  TElChanelToIndex* state_selector;
  TElMemory* state;
  TElFormatStr* message;
  // Empties the selection before each look-up, so that a name the list cannot find
  // (the empty one included) never leaves the previous channel's language selected.
  TElDoData* selection_clearer;
  TElHub* apply_hub;
  TElHub* show_hub;
  TElLabel* caption_label;
};

}  // namespace lumi
