#pragma once

#include "elements/compute/chanel_to_index.h"
#include "elements/compute/format_str.h"
#include "elements/compute/get_data.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/memory.h"
#include "elements/sensors/net.h"
#include "elements/window/combo_box.h"
#include "elements/window/group_box.h"
#include "elements/window/label.h"
#include "runtime/container.h"

namespace lumi {

// Condition panel of event type 9: on while the Internet is reachable, or while it is
// not, as the user chose.
//
// Work[0]: show or hide every control. Work[1]: take Var2 (0 not connected, 1
// connected) and evaluate: one bounded name look-up per evaluation, nothing else that
// waits.
// OutVar[0] state (0 until the first evaluation), OutVar[1] the choice as an entry
// index (-1 when Var2 named no entry), OutVar[2] message text.
// OnEvent[0]: the user chose an entry (its index).
//
// A Var2 other than 0 and 1 selects no entry, which equals no answer of the probe:
// the state is 0.
class InternetPanel : public Container {
 public:
  explicit InternetPanel(TElement* parent);

  TElGroupBox* box;
  TElEditMulti* edit;
  TElComboBox* state_list;
  TElGetData* index_reader;
  TElNET* probe;
  TElIf_else* comparison;
  TElChanelToIndex* state_selector;
  TElMemory* state;
  TElFormatStr* message;
  TElHub* apply_hub;
  TElHub* show_hub;
  TElLabel* caption_label;
};

}  // namespace lumi
