#include "scheme/cpu_load_panel.h"

#include "scheme/building.h"
#include "scheme/texts.h"

namespace lumi {

CpuLoadPanel::CpuLoadPanel(TElement* parent) {
  box = Place(Create<TElGroupBox>(static_cast<TElWin*>(parent)), 315, 0, 232, 43);
  box->Init();

  edit = CreateEditMulti(2, 3);

  threshold = ThresholdControl::Nest(Create<TElMultiElement>(), box,
                                     {.min = 0,
                                      .max = 99,
                                      .edit = {179, 14, 20, 20},
                                      .plus = {200, 9, 15, 15},
                                      .percent = {217, 17, 12, 17}});
  static_cast<ThresholdControls&>(*this) = ThresholdControl::ControlsOf(threshold);

  comparison = Create<TElIf_else>();
  comparison->Type = TElIf_else::kGreater;  // a load equal to the threshold does not count

  state_selector = Create<TElChanelToIndex>();
  state_selector->SetCount(2);

  state = Create<TElMemory>();

  message = Create<TElFormatStr>();
  message->SetCount(1);
  message->Mask = W("Загрузка ЦП больше %1 %");

  apply_hub = SetUpHub(Create<TElHub>(), 1, 3);
  show_hub = SetUpHub(Create<TElHub>(), 1, 2);

  caption_label = Place(Create<TElLabel>(box), 8, 17, 171, 17);
  caption_label->Caption = W("Сигнал, если загрузка ЦП более");
  caption_label->Init();

  edit->OnWork[0] = Link<&TElHub::Pass>(show_hub);
  show_hub->OnPass[0] = Link<&TElMultiElement::Work>(threshold, 0);
  show_hub->OnPass[1] = Link<&TElWin::SetVisible>(caption_label);

  edit->OnWork[1] = Link<&TElHub::Pass>(apply_hub);
  apply_hub->OnPass[0] = Link<&TElMultiElement::Work>(threshold, 1);
  apply_hub->OnPass[1] = Link<&TElIf_else::Compare>(comparison);
  apply_hub->OnPass[2] = Link<&TElFormatStr::Format>(message);

  threshold->OnEvent[0] = Link<&TElEditMulti::Raise>(edit, 0);

  comparison->InOp1 = Link<&TElEditMulti::OutData>(edit, 0);
  comparison->InOp2 = Link<&TElMultiElement::OutVar>(threshold, 0);
  comparison->OnTrue = Link<&TElChanelToIndex::Select>(state_selector, 1);
  comparison->OnFalse = Link<&TElChanelToIndex::Select>(state_selector, 0);
  state_selector->OnIndex = Link<&TElMemory::Store>(state);
  message->InStr[0] = Link<&TElMultiElement::OutVar>(threshold, 0);

  edit->InVar[0] = Link<&TElMemory::OutValue>(state);
  edit->InVar[1] = Link<&TElMultiElement::OutVar>(threshold, 0);
  edit->InVar[2] = Link<&TElFormatStr::OutResult>(message);
}

}  // namespace lumi
