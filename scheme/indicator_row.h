#pragma once

#include "elements/compute/index_to_chanel.h"
#include "elements/window/group_box.h"
#include "elements/window/label.h"
#include "elements/window/led.h"
#include "runtime/container.h"

namespace lumi {

// One row of the lamp group: the lamp of channel number - 1 and the label with that
// channel's condition text. The fourteen rows differ only in their number (1..14).
//
// Work[0]: lamp state, 0 off, 1 on, anything else leaves the lamp as it is.
// Work[1]: label text.
class IndicatorRow : public Container {
 public:
  static constexpr int kRows = 14;
  static constexpr int kPitch = 33;  // rows are stacked this far apart

  IndicatorRow(TElement* parent, int number);

  // Builds row `number` inside the lamp group's box.
  static Creator CreatorFor(int number);

  TElGroupBox* box;
  TElEditMulti* edit;
  TElLED* lamp;
  TElLabel* label;
  TElIndexToChanel* router;
};

}  // namespace lumi
