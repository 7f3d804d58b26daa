#include "scheme/disk_space_panel.h"

#include <memory>

#include "scheme/building.h"
#include "scheme/texts.h"

namespace lumi {

namespace {

// What tells the two panels apart.
struct SpaceValues {
  int32_t box_top;
  const char* caption;
  int32_t caption_width;
  const char* relation;  // the word between the drive and the threshold
  int32_t min;           // - stops here
  int32_t max;           // + stops here
  uint8_t comparison_type;
  const char* mask;
};

constexpr SpaceValues kFreeDisk = {
    .box_top = 79,
    .caption = "Сигнал,  если  объём  свободного  места",
    .caption_width = 216,
    .relation = "менее",
    .min = 1,
    .max = 100,
    .comparison_type = TElIf_else::kLess,
    .mask = "На диске %1 свободно менее %2 %",
};
constexpr SpaceValues kUsedDisk = {
    .box_top = 139,
    .caption = "Сигнал,  если  объём  занятого  места",
    .caption_width = 201,
    .relation = "более",
    .min = 0,
    .max = 99,
    .comparison_type = TElIf_else::kGreater,
    .mask = "На диске %1 занято более %2 %",
};

const SpaceValues& ValuesOf(DiskSpaceCondition condition) {
  return condition == DiskSpaceCondition::kUsedDisk ? kUsedDisk : kFreeDisk;
}

}  // namespace

Creator DiskSpacePanel::CreatorFor(DiskSpaceCondition condition) {
  return [condition](TElement* parent) -> std::unique_ptr<Container> {
    return std::make_unique<DiskSpacePanel>(parent, condition);
  };
}

DiskSpacePanel::DiskSpacePanel(TElement* parent, DiskSpaceCondition condition) : condition(condition) {
  const SpaceValues& values = ValuesOf(condition);
  const bool used = condition == DiskSpaceCondition::kUsedDisk;

  box = Place(Create<TElGroupBox>(static_cast<TElWin*>(parent)), 315, values.box_top, 232, 60);
  box->Init();

  edit = CreateEditMulti(3, 4);

  threshold = ThresholdControl::Nest(Create<TElMultiElement>(), box,
                                     {.min = values.min,
                                      .max = values.max,
                                      .edit = {137, 31, 25, 20},
                                      .plus = {163, 26, 15, 15},
                                      .percent = {183, 34, 12, 17}});
  static_cast<ThresholdControls&>(*this) = ThresholdControl::ControlsOf(threshold);

  drive_list = Place(Create<TElComboBox>(box), 60, 31, 35, 21);
  drive_list->Hint = W("Буква диска");
  drive_list->ChangeReturns = 0;
  drive_list->Init();

  drive_reader = Create<TElGetData>();
  drive_reader->Count = 3;

  sensor = Create<TElHardDisk>();
  sensor->Unit = 0;  // kilobytes

  absence_guard = Create<TElIf_else>();
  absence_guard->Type = TElIf_else::kEqual;  // no entry selected
  absence_guard->Op2 = TData::Integer(-1);

  total_sender = Create<TElDoData>();

  zero_filter = Create<TElCase>();  // an empty Value matches a size of 0

  total_memory = Create<TElMemory>();

  percentage = Create<TElMathParse>();
  percentage->SetArgCount(2);
  percentage->MathStr = "(%2/%1)*100";
  percentage->ResultType = 0;  // whole percents, halves to the even one
  percentage->SetDefault(0);

  comparison = Create<TElIf_else>();
  comparison->Type = values.comparison_type;

  state_selector = Create<TElChanelToIndex>();
  state_selector->SetCount(2);

  state = Create<TElMemory>();

  message = Create<TElFormatStr>();
  message->SetCount(2);
  message->Mask = W(values.mask);

  show_hub = SetUpHub(Create<TElHub>(), 1, 5);
  first_apply_hub = SetUpHub(Create<TElHub>(), 1, 3);
  second_apply_hub = SetUpHub(Create<TElHub>(), 1, 3);

  caption_label = Place(Create<TElLabel>(box), 9, 9, values.caption_width, 17);
  caption_label->Caption = W(values.caption);
  caption_label->Init();

  on_drive_label = Place(Create<TElLabel>(box), 9, 33, 49, 17);
  on_drive_label->Caption = W("на диске");
  on_drive_label->Init();

  relation_label = Place(Create<TElLabel>(box), 99, 33, 35, 17);
  relation_label->Caption = W(values.relation);
  relation_label->Init();

  edit->OnWork[0] = Link<&TElHub::Pass>(show_hub);
  show_hub->OnPass[0] = Link<&TElWin::SetVisible>(caption_label);
  show_hub->OnPass[1] = Link<&TElWin::SetVisible>(on_drive_label);
  show_hub->OnPass[2] = Link<&TElWin::SetVisible>(drive_list);
  show_hub->OnPass[3] = Link<&TElWin::SetVisible>(relation_label);
  show_hub->OnPass[4] = Link<&TElMultiElement::Work>(threshold, 0);

  edit->OnWork[1] = Link<&TElHub::Pass>(first_apply_hub);
  first_apply_hub->OnPass[0] = Link<&TElMultiElement::Work>(threshold, 1);
  first_apply_hub->OnPass[1] = Link<&TElComboBox::Clear>(drive_list);
  first_apply_hub->OnPass[2] = Link<&TElHardDisk::Enum>(sensor);
  sensor->OnDrive = Link<&TElComboBox::Add>(drive_list);

  // Only a selected drive is measured; with none the state goes off.
  edit->OnWork[2] = Link<&TElHub::Pass>(second_apply_hub);
  second_apply_hub->OnPass[0] = Link<&TElComboBox::SelectText>(drive_list);
  second_apply_hub->OnPass[1] = Link<&TElIf_else::Compare>(absence_guard);
  second_apply_hub->OnPass[2] = Link<&TElFormatStr::Format>(message);
  absence_guard->InOp1 = Link<&TElComboBox::OutIndex>(drive_list);
  absence_guard->OnTrue = Link<&TElChanelToIndex::Select>(state_selector, 0);
  absence_guard->OnFalse = Link<&TElDoData::Send>(total_sender);

  drive_reader->InData = Link<&TElComboBox::OutText>(drive_list);
  sensor->InDrive = Link<&TElGetData::OutData>(drive_reader, 0);
  total_sender->InData = Link<&TElHardDisk::OutTotal>(sensor);
  total_sender->OnSend = Link<&TElCase::Test>(zero_filter);
  zero_filter->OnNext = Link<&TElMemory::Store>(total_memory);
  zero_filter->OnMatch = Link<&TElChanelToIndex::Select>(state_selector, 0);
  total_memory->OnStore = Link<&TElMathParse::Calc>(percentage);
  percentage->InArg[0] = Link<&TElMemory::OutValue>(total_memory);
  percentage->InArg[1] = used ? Link<&TElHardDisk::OutUsed>(sensor) : Link<&TElHardDisk::OutFree>(sensor);
  percentage->OnResult = Link<&TElIf_else::Compare>(comparison);
  comparison->InOp1 = Link<&TElMathParse::OutResult>(percentage);
  comparison->InOp2 = Link<&TElMultiElement::OutVar>(threshold, 0);
  comparison->OnTrue = Link<&TElChanelToIndex::Select>(state_selector, 1);
  comparison->OnFalse = Link<&TElChanelToIndex::Select>(state_selector, 0);
  state_selector->OnIndex = Link<&TElMemory::Store>(state);

  threshold->OnEvent[0] = Link<&TElEditMulti::Raise>(edit, 0);

  drive_list->OnChange = Link<&TElEditMulti::Raise>(edit, 1);
  message->InStr[0] = Link<&TElGetData::OutData>(drive_reader, 1);
  message->InStr[1] = Link<&TElMultiElement::OutVar>(threshold, 0);

  edit->InVar[0] = Link<&TElMemory::OutValue>(state);
  edit->InVar[1] = Link<&TElMultiElement::OutVar>(threshold, 0);
  edit->InVar[2] = Link<&TElGetData::OutData>(drive_reader, 2);
  edit->InVar[3] = Link<&TElFormatStr::OutResult>(message);
}

}  // namespace lumi
