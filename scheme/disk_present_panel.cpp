#include "scheme/disk_present_panel.h"

#include "scheme/building.h"
#include "scheme/texts.h"

namespace lumi {

DiskPresentPanel::DiskPresentPanel(TElement* parent) {
  box = Place(Create<TElGroupBox>(static_cast<TElWin*>(parent)), 315, 43, 232, 36);
  box->Init();

  edit = CreateEditMulti(2, 3);

  // Every letter is offered, present or not: the list does not follow the drives.
  drive_list = Place(Create<TElComboBox>(box), 108, 10, 35, 21);
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    drive_list->Strings.push_back(letter);
    drive_list->Strings.append("\r\n");
  }
  drive_list->Hint = W("Буква диска");
  drive_list->ChangeReturns = 0;
  drive_list->Init();

  drive_reader = Create<TElGetData>();
  drive_reader->Count = 3;

  sensor = Create<TElHardDisk>();
  sensor->Drive = W("C");
  sensor->Unit = 0;

  last_drive = Create<TElMemory>();

  comparison = Create<TElIf_else>();
  comparison->Type = TElIf_else::kEqual;  // the letters as texts, case counts

  state_selector = Create<TElChanelToIndex>();
  state_selector->SetCount(2);

  state = Create<TElMemory>();
  state->SetDefault(TData::Integer(0));

  message = Create<TElFormatStr>();
  message->SetCount(1);
  message->Mask = W("Диск %1 подключен");

  show_hub = SetUpHub(Create<TElHub>(), 1, 3);
  apply_hub = SetUpHub(Create<TElHub>(), 1, 4);

  caption_label = Place(Create<TElLabel>(box), 9, 14, 97, 17);
  caption_label->Caption = W("Сигнал, если диск");
  caption_label->Init();

  present_label = Place(Create<TElLabel>(box), 148, 14, 59, 17);
  present_label->Caption = W("подключен");
  present_label->Init();

  edit->OnWork[0] = Link<&TElHub::Pass>(show_hub);
  show_hub->OnPass[0] = Link<&TElWin::SetVisible>(drive_list);
  show_hub->OnPass[1] = Link<&TElWin::SetVisible>(present_label);
  show_hub->OnPass[2] = Link<&TElWin::SetVisible>(caption_label);

  // The state starts from 0 and only a present drive of the chosen letter sets it.
  edit->OnWork[1] = Link<&TElHub::Pass>(apply_hub);
  apply_hub->OnPass[0] = Link<&TElComboBox::SelectText>(drive_list);
  apply_hub->OnPass[1] = Link<&TElChanelToIndex::Select>(state_selector, 0);
  apply_hub->OnPass[2] = Link<&TElHardDisk::Enum>(sensor);
  apply_hub->OnPass[3] = Link<&TElFormatStr::Format>(message);

  sensor->OnDrive = Link<&TElMemory::Store>(last_drive);
  last_drive->OnStore = Link<&TElIf_else::Compare>(comparison);
  drive_reader->InData = Link<&TElComboBox::OutText>(drive_list);
  comparison->InOp1 = Link<&TElMemory::OutValue>(last_drive);
  comparison->InOp2 = Link<&TElGetData::OutData>(drive_reader, 0);
  comparison->OnTrue = Link<&TElChanelToIndex::Select>(state_selector, 1);
  state_selector->OnIndex = Link<&TElMemory::Store>(state);

  drive_list->OnChange = Link<&TElEditMulti::Raise>(edit, 0);
  message->InStr[0] = Link<&TElGetData::OutData>(drive_reader, 1);

  edit->InVar[0] = Link<&TElMemory::OutValue>(state);
  edit->InVar[1] = Link<&TElGetData::OutData>(drive_reader, 2);
  edit->InVar[2] = Link<&TElFormatStr::OutResult>(message);
}

}  // namespace lumi
