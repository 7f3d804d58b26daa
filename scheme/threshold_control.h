#pragma once

#include <cstdint>

#include "elements/compute/counter.h"
#include "elements/window/button.h"
#include "elements/window/edit.h"
#include "elements/window/label.h"
#include "runtime/container.h"
#include "runtime/multi_element.h"
#include "scheme/building.h"

namespace lumi {

// Where a threshold's controls sit in their panel, and the range + and - keep to.
struct ThresholdSetup {
  int32_t min;
  int32_t max;
  Box edit;
  Box plus;  // the - button sits right below it
  Box percent;
};

// The controls a threshold shows in its panel.
struct ThresholdControls {
  TElEdit* value_edit = nullptr;
  TElButton* plus_button = nullptr;
  TElButton* minus_button = nullptr;
  TElLabel* percent_label = nullptr;
};

// The threshold of a condition panel: its counter, the field that shows it and takes
// a typed value, the + and - buttons with press-and-hold, and the "%" sign.
//   Work[0]    show (non-zero) or hide the controls
//   Work[1]    take a stored threshold; nothing is reported
//   OutVar[0]  the threshold
//   OnEvent[0] the user changed the threshold (the new value): a step, a held button,
//              or a number typed into the field, taken on Enter or when the field loses
//              the focus and held to the range; a text that is no number puts the
//              last value back
//
// A stored threshold outside the range is kept as it is, and a step from there never
// wraps round: + stops at or above the top, - at or below the bottom.
class ThresholdControl : public Container, public ThresholdControls {
 public:
  static constexpr int32_t kDefault = 50;

  ThresholdControl(TElement* panel_box, const ThresholdSetup& setup);

  // Makes `multi` a threshold inside the panel's group box.
  static TElMultiElement* Nest(TElMultiElement* multi, TElement* panel_box, const ThresholdSetup& setup);
  // The controls of the threshold `multi` holds.
  static const ThresholdControls& ControlsOf(const TElMultiElement* multi);

  TElCounter* counter;
};

}  // namespace lumi
