#pragma once

#include "elements/compute/counter.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/window/button.h"
#include "elements/window/timer.h"
#include "runtime/container.h"
#include "runtime/multi_element.h"

namespace lumi {

// Press-and-hold for the + and - buttons of the threshold panels: one step at once,
// then, after a second, a step every 50 ms until the button is released.
//
// Work[0] / Work[1]: + pressed / released; OnEvent[0] a step up.
// Work[2] / Work[3]: - pressed / released; OnEvent[1] a step down.
class RepeatUnit : public Container {
 public:
  static constexpr uint32_t kDelayMs = 1000;
  static constexpr uint32_t kRepeatMs = 50;

  explicit RepeatUnit(TElement* parent);

  TElEditMulti* edit;
  TElTimer* up_delay;
  TElTimer* up_repeater;
  TElTimer* down_delay;
  TElTimer* down_repeater;
  TElHub* up_press;
  TElHub* up_release;
  TElHub* down_press;
  TElHub* down_release;
};

// What a threshold panel steps with its repeat unit: the + and - buttons, the guards
// that stop at the bounds (a step is taken when the guard answers false) and the
// threshold counter.
struct StepControls {
  TElButton* plus;
  TElButton* minus;
  TElIf_else* upper_guard;
  TElIf_else* lower_guard;
  TElCounter* threshold;
};

enum class StepDirection { kUp, kDown };
// Gives a threshold panel's + or - button, placed by the caller, its caption and hint,
// and creates it.
TElButton* InitStepButton(TElButton* button, StepDirection direction);

// Makes `multi` the panel's own repeat unit, built at once.
TElMultiElement* SetUpRepeatUnit(TElMultiElement* multi);
// The buttons drive the unit; its steps move the threshold while the guards allow.
void LinkStepButtons(const StepControls& controls, TElMultiElement* repeat_unit);

}  // namespace lumi
