#include "scheme/internet_panel.h"

#include "scheme/building.h"
#include "scheme/texts.h"

namespace lumi {

InternetPanel::InternetPanel(TElement* parent) {
  box = Place(Create<TElGroupBox>(static_cast<TElWin*>(parent)), 315, 494, 232, 36);
  box->Init();

  edit = CreateEditMulti(2, 3);

  state_list = Place(Create<TElComboBox>(box), 121, 10, 105, 21);
  state_list->Strings = W("не подключен\r\nподключен\r\n");  // entry i answers the probe's i
  state_list->Hint = W("Состояние Internet");
  state_list->ChangeReturns = 0;  // OnChange carries the entry index
  state_list->Init();

  index_reader = Create<TElGetData>();
  index_reader->Count = 2;

  probe = Create<TElNET>();

  comparison = Create<TElIf_else>();
  comparison->Type = TElIf_else::kEqual;

  state_selector = Create<TElChanelToIndex>();
  state_selector->SetCount(2);

  state = Create<TElMemory>();
  state->SetDefault(TData::Integer(0));

  message = Create<TElFormatStr>();
  message->SetCount(1);
  message->Mask = W("Интернет %1");

  apply_hub = SetUpHub(Create<TElHub>(), 3);
  show_hub = SetUpHub(Create<TElHub>(), 3);

  caption_label = Place(Create<TElLabel>(box), 9, 14, 109, 17);
  caption_label->Caption = W("Сигнал, если Internet");
  caption_label->Init();

  edit->OnWork[0] = Link<&TElHub::Pass>(show_hub);
  show_hub->OnPass[0] = Link<&TElWin::SetVisible>(state_list);
  // show_hub->OnPass[1] stays unlinked.
  show_hub->OnPass[2] = Link<&TElWin::SetVisible>(caption_label);

  edit->OnWork[1] = Link<&TElHub::Pass>(apply_hub);
  apply_hub->OnPass[0] = Link<&TElComboBox::SelectIndex>(state_list);
  apply_hub->OnPass[1] = Link<&TElIf_else::Compare>(comparison);
  apply_hub->OnPass[2] = Link<&TElFormatStr::Format>(message);

  index_reader->InData = Link<&TElComboBox::OutIndex>(state_list);
  comparison->InOp1 = Link<&TElGetData::OutData>(index_reader, 0);
  comparison->InOp2 = Link<&TElNET::OutConnected>(probe);
  comparison->OnTrue = Link<&TElChanelToIndex::Select>(state_selector, 1);
  comparison->OnFalse = Link<&TElChanelToIndex::Select>(state_selector, 0);
  state_selector->OnIndex = Link<&TElMemory::Store>(state);

  state_list->OnChange = Link<&TElEditMulti::Raise>(edit, 0);

  message->InStr[0] = Link<&TElComboBox::OutText>(state_list);

  edit->InVar[0] = Link<&TElMemory::OutValue>(state);
  edit->InVar[1] = Link<&TElGetData::OutData>(index_reader, 1);
  edit->InVar[2] = Link<&TElFormatStr::OutResult>(message);
}

}  // namespace lumi
