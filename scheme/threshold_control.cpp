#include "scheme/threshold_control.h"

#include <string>

#include "elements/compute/convertor.h"
#include "elements/compute/counter.h"
#include "elements/compute/get_data.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/math_parse.h"
#include "elements/window/button.h"
#include "elements/window/edit.h"
#include "elements/window/label.h"
#include "scheme/repeat_unit.h"
#include "scheme/texts.h"

namespace lumi {
namespace {

constexpr int32_t kEnterKey = 13;

}  // namespace

TElMultiElement* ThresholdControl::Nest(TElMultiElement* multi, TElement* panel_box,
                                        const ThresholdSetup& setup) {
  return lumi::Nest(
      multi, panel_box,
      [setup](TElement* parent) -> std::unique_ptr<Container> {
        return std::make_unique<ThresholdControl>(parent, setup);
      },
      1, 0);
}

const ThresholdControls& ThresholdControl::ControlsOf(const TElMultiElement* multi) {
  return *static_cast<const ThresholdControl*>(multi->Inner()->container);
}

ThresholdControl::ThresholdControl(TElement* panel_box, const ThresholdSetup& setup) {
  auto* box = static_cast<TElWin*>(panel_box);
  TElEditMulti* edit = CreateEditMulti(2, 1);

  counter = Create<TElCounter>();
  counter->Min = setup.min;
  counter->Max = setup.max;
  counter->Step = 1;
  counter->Direction = 0;
  counter->Default = kDefault;

  auto* reader = Create<TElGetData>();
  reader->Count = 4;

  auto* upper_guard = Create<TElIf_else>();
  upper_guard->Type = TElIf_else::kAtLeast;
  upper_guard->Op2 = TData::Integer(setup.max);

  // At or below rather than at: a threshold stored below the bottom must not make -
  // wrap the counter round to the top.
  auto* lower_guard = Create<TElIf_else>();
  lower_guard->Type = TElIf_else::kAtMost;
  lower_guard->Op2 = TData::Integer(setup.min);

  TElMultiElement* repeat_unit = SetUpRepeatUnit(Create<TElMultiElement>());

  value_edit = Place(Create<TElEdit>(box), setup.edit);
  value_edit->Text = std::to_string(kDefault);
  value_edit->Hint = W("Заданное значение");
  value_edit->Init();

  plus_button = InitStepButton(Place(Create<TElButton>(box), setup.plus), StepDirection::kUp);
  Box minus = setup.plus;
  minus.top += setup.plus.height;
  minus_button = InitStepButton(Place(Create<TElButton>(box), minus), StepDirection::kDown);

  percent_label = Place(Create<TElLabel>(box), setup.percent);
  percent_label->Caption = "%";
  percent_label->Init();

  auto* enter_key = Create<TElIf_else>();
  enter_key->Type = TElIf_else::kEqual;
  enter_key->Op2 = TData::Integer(kEnterKey);

  auto* typed_number = Create<TElConvertor>();
  typed_number->Mode = TElConvertor::kDecimalToInteger;

  auto* range = Create<TElMathParse>();
  range->SetArgCount(1);
  range->MathStr = "max(" + std::to_string(setup.min) + ",min(" + std::to_string(setup.max) + ",%1))";
  range->ResultType = 0;

  // Enter and then leaving the field would take the same number twice.
  auto* unchanged = Create<TElIf_else>();
  unchanged->Type = TElIf_else::kEqual;

  TElHub* show_hub = SetUpHub(Create<TElHub>(), 4);
  TElHub* apply_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* typed_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* changed_hub = SetUpHub(Create<TElHub>(), 2, 2);

  edit->OnWork[0] = Link<&TElHub::Pass>(show_hub);
  show_hub->OnPass[0] = Link<&TElWin::SetVisible>(value_edit);
  show_hub->OnPass[1] = Link<&TElWin::SetVisible>(plus_button);
  show_hub->OnPass[2] = Link<&TElWin::SetVisible>(minus_button);
  show_hub->OnPass[3] = Link<&TElWin::SetVisible>(percent_label);

  edit->OnWork[1] = Link<&TElHub::Pass>(apply_hub);
  apply_hub->OnPass[0] = Link<&TElCounter::SetCount>(counter);
  apply_hub->OnPass[1] = Link<&TElEdit::SetText>(value_edit);

  // The field always shows the counter, whatever was typed into it.
  reader->InData = Link<&TElCounter::OutCount>(counter);
  value_edit->InText = Link<&TElGetData::OutData>(reader, 0);
  edit->InVar[0] = Link<&TElGetData::OutData>(reader, 1);

  LinkStepButtons({plus_button, minus_button, upper_guard, lower_guard, counter}, repeat_unit);
  upper_guard->InOp1 = Link<&TElGetData::OutData>(reader, 2);
  lower_guard->InOp1 = Link<&TElGetData::OutData>(reader, 3);
  counter->OnCount = Link<&TElHub::Pass>(changed_hub, 0);

  value_edit->OnKeyDown = Link<&TElIf_else::Compare>(enter_key);
  enter_key->OnTrue = Link<&TElConvertor::Convert>(typed_number);
  value_edit->OnExit = Link<&TElConvertor::Convert>(typed_number);
  typed_number->InValue = Link<&TElEdit::OutText>(value_edit);
  typed_number->OnError = Link<&TElEdit::SetText>(value_edit);
  typed_number->OnResult = Link<&TElMathParse::Calc>(range);
  range->OnResult = Link<&TElIf_else::Compare>(unchanged);
  unchanged->InOp2 = Link<&TElCounter::OutCount>(counter);
  unchanged->OnTrue = Link<&TElEdit::SetText>(value_edit);
  unchanged->OnFalse = Link<&TElHub::Pass>(typed_hub);
  typed_hub->OnPass[0] = Link<&TElCounter::SetCount>(counter);
  typed_hub->OnPass[1] = Link<&TElHub::Pass>(changed_hub, 1);

  changed_hub->OnPass[0] = Link<&TElEditMulti::Raise>(edit, 0);
  changed_hub->OnPass[1] = Link<&TElEdit::SetText>(value_edit);
}

}  // namespace lumi
