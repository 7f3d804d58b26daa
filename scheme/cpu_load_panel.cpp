#include "scheme/cpu_load_panel.h"

#include "scheme/building.h"
#include "scheme/repeat_unit.h"
#include "scheme/texts.h"

namespace lumi {

TClassChildGroupBox_14E85C0::TClassChildGroupBox_14E85C0(TElement* parent) {
  box = Place(Create<TElGroupBox>(static_cast<TElWin*>(parent)), 315, 0, 232, 43);
  box->Init();

  edit = CreateEditMulti(2, 3);

  threshold = Create<TElCounter>();
  threshold->Min = 0;
  threshold->Max = 99;
  threshold->Step = 1;
  threshold->Direction = 0;
  threshold->Default = 50;

  threshold_reader = Create<TElGetData>();
  threshold_reader->Count = 5;

  upper_guard = Create<TElIf_else>();
  upper_guard->Type = 4;  // >=
  upper_guard->Op2 = TData::Integer(99);

  lower_guard = Create<TElIf_else>();
  lower_guard->Type = 0;  // =
  lower_guard->Op2 = TData::Integer(0);

  comparison = Create<TElIf_else>();
  comparison->Type = 2;  // > : a load equal to the threshold does not count

  state_selector = Create<TElChanelToIndex>();
  state_selector->SetCount(2);

  state = Create<TElMemory>();

  message = Create<TElFormatStr>();
  message->SetCount(1);
  message->Mask = W("Загрузка ЦП больше %1 %");

  repeat_unit = SetUpRepeatUnit(Create<TElMultiElement>());

  counter_hub = SetUpHub(Create<TElHub>(), 1, 2);
  apply_hub = SetUpHub(Create<TElHub>(), 1, 4);
  edit_hub = SetUpHub(Create<TElHub>(), 2, 1);
  show_hub = SetUpHub(Create<TElHub>(), 1, 5);

  caption_label = Place(Create<TElLabel>(box), 8, 17, 171, 17);
  caption_label->Caption = W("Сигнал, если загрузка ЦП более");
  caption_label->Init();

  value_edit = Place(Create<TElEdit>(box), 179, 14, 20, 20);
  value_edit->Text = "50";
  value_edit->Hint = W("Заданное значение");
  value_edit->Init();

  plus_button = InitStepButton(Place(Create<TElButton>(box), 200, 9, 15, 15), StepDirection::kUp);

  minus_button = InitStepButton(Place(Create<TElButton>(box), 200, 24, 15, 15), StepDirection::kDown);

  percent_label = Place(Create<TElLabel>(box), 217, 17, 12, 17);
  percent_label->Caption = "%";
  percent_label->Init();

  edit->OnWork[0] = Link<&TElHub::Pass>(show_hub);
  show_hub->OnPass[0] = Link<&TElWin::SetVisible>(plus_button);
  show_hub->OnPass[1] = Link<&TElWin::SetVisible>(minus_button);
  show_hub->OnPass[2] = Link<&TElWin::SetVisible>(percent_label);
  show_hub->OnPass[3] = Link<&TElWin::SetVisible>(caption_label);
  show_hub->OnPass[4] = Link<&TElWin::SetVisible>(value_edit);

  edit->OnWork[1] = Link<&TElHub::Pass>(apply_hub);
  apply_hub->OnPass[0] = Link<&TElCounter::SetCount>(threshold);
  apply_hub->OnPass[1] = Link<&TElHub::Pass>(edit_hub, 0);
  apply_hub->OnPass[2] = Link<&TElIf_else::Compare>(comparison);
  apply_hub->OnPass[3] = Link<&TElFormatStr::Format>(message);

  threshold->OnCount = Link<&TElHub::Pass>(counter_hub);
  counter_hub->OnPass[0] = Link<&TElEditMulti::Raise>(edit, 0);
  counter_hub->OnPass[1] = Link<&TElHub::Pass>(edit_hub, 1);
  edit_hub->OnPass[0] = Link<&TElEdit::SetText>(value_edit);

  LinkStepButtons({plus_button, minus_button, upper_guard, lower_guard, threshold}, repeat_unit);

  threshold_reader->InData = Link<&TElCounter::OutCount>(threshold);
  upper_guard->InOp1 = Link<&TElGetData::OutData>(threshold_reader, 0);
  lower_guard->InOp1 = Link<&TElGetData::OutData>(threshold_reader, 1);
  comparison->InOp1 = Link<&TElEditMulti::OutData>(edit, 0);
  comparison->InOp2 = Link<&TElGetData::OutData>(threshold_reader, 2);
  comparison->OnTrue = Link<&TElChanelToIndex::Select>(state_selector, 1);
  comparison->OnFalse = Link<&TElChanelToIndex::Select>(state_selector, 0);
  state_selector->OnIndex = Link<&TElMemory::Store>(state);
  message->InStr[0] = Link<&TElGetData::OutData>(threshold_reader, 3);

  edit->InVar[0] = Link<&TElMemory::OutValue>(state);
  edit->InVar[1] = Link<&TElGetData::OutData>(threshold_reader, 4);
  edit->InVar[2] = Link<&TElFormatStr::OutResult>(message);
}

}  // namespace lumi
