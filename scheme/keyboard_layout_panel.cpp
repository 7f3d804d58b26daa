#include "scheme/keyboard_layout_panel.h"

#include "resources/resources.h"
#include "scheme/building.h"
#include "scheme/texts.h"

namespace lumi {

KeyboardLayoutPanel::KeyboardLayoutPanel(TElement* parent) {
  box = Place(Create<TElGroupBox>(static_cast<TElWin*>(parent)), 315, 530, 232, 57);
  box->Init();

  edit = CreateEditMulti(2, 3);

  language_list = Place(Create<TElComboBox>(box), 9, 30, 215, 21);
  language_list->Strings = resources::Text("Str3");
  language_list->Hint = W("Язык раскладки клавиатуры");
  language_list->ChangeReturns = 1;  // OnChange carries the language name
  language_list->Init();

  name_reader = Create<TElGetData>();
  name_reader->Count = 2;

  id_list = Create<TElStrList>();
  id_list->SetStrings(resources::Text("Str4"));

  id_reader = Create<TElArrayRW>();
  focus = Create<TElWinEnum>();
  layout = Create<TElKeyboardLayout>();
  layout_sender = Create<TElDoData>();
  current_layout = Create<TElMemory>();

  comparison = Create<TElIf_else>();
  comparison->Type = TElIf_else::kEqual;  // as text: the id line against the layout's decimal text

  state_selector = Create<TElChanelToIndex>();
  state_selector->SetCount(2);

  state = Create<TElMemory>();

  message = Create<TElFormatStr>();
  message->SetCount(1);
  message->Mask = W("Язык: %1");

  selection_clearer = Create<TElDoData>();
  selection_clearer->Data = TData::Integer(-1);

  apply_hub = SetUpHub(Create<TElHub>(), 4);
  show_hub = SetUpHub(Create<TElHub>(), 2);

  caption_label = Place(Create<TElLabel>(box), 9, 11, 190, 17);
  caption_label->Caption = W("Сигнал при переключении языка на:");
  caption_label->Init();

  edit->OnWork[0] = Link<&TElHub::Pass>(show_hub);
  show_hub->OnPass[0] = Link<&TElWin::SetVisible>(language_list);
  show_hub->OnPass[1] = Link<&TElWin::SetVisible>(caption_label);

  edit->OnWork[1] = Link<&TElHub::Pass>(apply_hub);
  apply_hub->OnPass[0] = Link<&TElDoData::Send>(selection_clearer);
  selection_clearer->OnSend = Link<&TElComboBox::SelectIndex>(language_list);
  apply_hub->OnPass[1] = Link<&TElComboBox::SelectText>(language_list);
  apply_hub->OnPass[2] = Link<&TElArrayRW::Read>(id_reader);
  apply_hub->OnPass[3] = Link<&TElFormatStr::Format>(message);

  id_reader->InArray = Link<&TElStrList::OutArray>(id_list);
  id_reader->InIndex = Link<&TElComboBox::OutIndex>(language_list);
  id_reader->OnRead = Link<&TElDoData::Send>(layout_sender);
  layout->InWindow = Link<&TElWinEnum::OutForegroundWindow>(focus);
  layout_sender->InData = Link<&TElKeyboardLayout::OutLayout>(layout);
  layout_sender->OnSend = Link<&TElMemory::Store>(current_layout);
  current_layout->OnStore = Link<&TElIf_else::Compare>(comparison);
  comparison->InOp1 = Link<&TElArrayRW::OutItem>(id_reader);
  comparison->InOp2 = Link<&TElMemory::OutValue>(current_layout);
  comparison->OnTrue = Link<&TElChanelToIndex::Select>(state_selector, 1);
  comparison->OnFalse = Link<&TElChanelToIndex::Select>(state_selector, 0);
  state_selector->OnIndex = Link<&TElMemory::Store>(state);

  language_list->OnChange = Link<&TElEditMulti::Raise>(edit, 0);

  name_reader->InData = Link<&TElComboBox::OutText>(language_list);
  message->InStr[0] = Link<&TElGetData::OutData>(name_reader, 0);

  edit->InVar[0] = Link<&TElMemory::OutValue>(state);
  edit->InVar[1] = Link<&TElGetData::OutData>(name_reader, 1);
  edit->InVar[2] = Link<&TElFormatStr::OutResult>(message);
}

}  // namespace lumi
