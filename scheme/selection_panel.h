#pragma once

#include <array>

#include "elements/compute/chanel_to_index.h"
#include "elements/window/group_box.h"
#include "elements/window/radio_button.h"
#include "runtime/container.h"
#include "scheme/indicator_row.h"

namespace lumi {

// The column of radio buttons beside the lamps with which the user picks the channel
// to configure.
//
// Work[0]: select №01 as a click would.
// OnEvent[0]: the picked channel index 0..13.
class SelectionPanel : public Container {
 public:
  explicit SelectionPanel(TElement* parent);

  TElGroupBox* box;
  TElEditMulti* edit;
  std::array<TElRadioButton*, IndicatorRow::kRows> radios;  // №n at [n - 1]
  TElChanelToIndex* picked;                                 // which radio button was clicked
  TElChanelToIndex* first_radio;                            // any call becomes "select" (1) for №01
};

}  // namespace lumi
