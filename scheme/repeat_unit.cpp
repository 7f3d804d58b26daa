#include "scheme/repeat_unit.h"

#include "scheme/building.h"
#include "scheme/texts.h"

namespace lumi {

RepeatUnit::RepeatUnit(TElement*) {
  edit = CreateEditMulti(4, 0);

  up_delay = Create<TElTimer>();
  up_delay->SetIntervalMs(kDelayMs);
  up_delay->SetAutoStop(1);
  up_repeater = Create<TElTimer>();
  up_repeater->SetIntervalMs(kRepeatMs);
  up_repeater->SetAutoStop(0);
  down_delay = Create<TElTimer>();
  down_delay->SetIntervalMs(kDelayMs);
  down_delay->SetAutoStop(1);
  down_repeater = Create<TElTimer>();
  down_repeater->SetIntervalMs(kRepeatMs);
  down_repeater->SetAutoStop(0);

  up_press = SetUpHub(Create<TElHub>(), 2);
  up_release = SetUpHub(Create<TElHub>(), 2);
  down_press = SetUpHub(Create<TElHub>(), 2);
  down_release = SetUpHub(Create<TElHub>(), 2);

  edit->OnWork[0] = Link<&TElHub::Pass>(up_press);
  up_press->OnPass[0] = Link<&TElEditMulti::Raise>(edit, 0);
  up_press->OnPass[1] = Link<&TElTimer::Start>(up_delay);
  up_delay->OnTimer = Link<&TElTimer::Start>(up_repeater);
  up_repeater->OnTimer = Link<&TElEditMulti::Raise>(edit, 0);
  edit->OnWork[1] = Link<&TElHub::Pass>(up_release);
  up_release->OnPass[0] = Link<&TElTimer::Stop>(up_delay);
  up_release->OnPass[1] = Link<&TElTimer::Stop>(up_repeater);

  edit->OnWork[2] = Link<&TElHub::Pass>(down_press);
  down_press->OnPass[0] = Link<&TElEditMulti::Raise>(edit, 1);
  down_press->OnPass[1] = Link<&TElTimer::Start>(down_delay);
  down_delay->OnTimer = Link<&TElTimer::Start>(down_repeater);
  down_repeater->OnTimer = Link<&TElEditMulti::Raise>(edit, 1);
  edit->OnWork[3] = Link<&TElHub::Pass>(down_release);
  down_release->OnPass[0] = Link<&TElTimer::Stop>(down_delay);
  down_release->OnPass[1] = Link<&TElTimer::Stop>(down_repeater);
}

TElButton* InitStepButton(TElButton* button, StepDirection direction) {
  const bool up = direction == StepDirection::kUp;
  button->Caption = Text(1, up ? '+' : '-');
  button->Hint = W(up ? "Увеличение" : "Уменьшение");
  button->Init();
  return button;
}

TElMultiElement* SetUpRepeatUnit(TElMultiElement* multi) {
  multi->parent = nullptr;
  multi->CreateOnDemand = false;
  multi->SetCreator(CreatorOf<RepeatUnit>());
  multi->OnEvent.Resize(2);
  return multi;
}

void LinkStepButtons(const StepControls& controls, TElMultiElement* repeat_unit) {
  controls.plus->OnMouseDown = Link<&TElMultiElement::Work>(repeat_unit, 0);
  controls.plus->OnMouseUp = Link<&TElMultiElement::Work>(repeat_unit, 1);
  controls.minus->OnMouseDown = Link<&TElMultiElement::Work>(repeat_unit, 2);
  controls.minus->OnMouseUp = Link<&TElMultiElement::Work>(repeat_unit, 3);

  repeat_unit->OnEvent[0] = Link<&TElIf_else::Compare>(controls.upper_guard);
  controls.upper_guard->OnFalse = Link<&TElCounter::Next>(controls.threshold);
  repeat_unit->OnEvent[1] = Link<&TElIf_else::Compare>(controls.lower_guard);
  controls.lower_guard->OnFalse = Link<&TElCounter::Prev>(controls.threshold);
}

}  // namespace lumi
