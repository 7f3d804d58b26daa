#include "scheme/memory_panel.h"

#include "scheme/building.h"
#include "scheme/repeat_unit.h"
#include "scheme/texts.h"

namespace lumi {

namespace {

struct Box {
  int32_t left;
  int32_t top;
  int32_t width;
  int32_t height;
};

// What sets the four panels apart.
struct MemoryPanelValues {
  int32_t box_top;
  int32_t min;  // threshold bounds of the counter and its guards
  int32_t max;
  const char* math;
  uint8_t comparison_type;
  const char* mask;
  Box line1;
  const char* line1_text;
  Box line2;
  const char* line2_text;
  Box edit;
  Box plus;
  Box minus;
  Box percent;
};

constexpr uint8_t kLess = 1;
constexpr uint8_t kGreater = 2;
constexpr const char* kFreeShare = "(%2/%1)*100";
constexpr const char* kUsedShare = "((%1-%2)/%1)*100";

const MemoryPanelValues& ValuesOf(MemoryCondition condition) {
  static const MemoryPanelValues kFreeRam{199,
                                          1,
                                          100,
                                          kFreeShare,
                                          kLess,
                                          "RAM свободна менее чем на %1 %",
                                          {9, 9, 216, 17},
                                          "Сигнал, если объём свободной оператив-",
                                          {9, 33, 130, 17},
                                          "ной памяти (RAM) менее",
                                          {142, 31, 25, 20},
                                          {168, 26, 15, 15},
                                          {168, 41, 15, 15},
                                          {188, 34, 16, 17}};
  static const MemoryPanelValues kUsedRam{259,
                                          0,
                                          99,
                                          kUsedShare,
                                          kGreater,
                                          "RAM занята более чем на %1 %",
                                          {9, 9, 215, 17},
                                          "Сигнал,  если  объём  занятой  оператив-",
                                          {9, 33, 128, 17},
                                          "ной памяти (RAM) более",
                                          {142, 31, 25, 20},
                                          {168, 26, 15, 15},
                                          {168, 41, 15, 15},
                                          {188, 34, 12, 17}};
  static const MemoryPanelValues kFreeSwap{319,
                                           1,
                                           100,
                                           kFreeShare,
                                           kLess,
                                           "Файл подкачки свободен менее чем на %1 %",
                                           {9, 9, 212, 17},
                                           "Сигнал,  если  свободный  объём  файла",
                                           {9, 33, 86, 17},
                                           "подкачки менее",
                                           {97, 31, 25, 20},
                                           {123, 26, 15, 15},
                                           {123, 41, 15, 15},
                                           {143, 34, 12, 17}};
  static const MemoryPanelValues kUsedSwap{379,
                                           0,
                                           99,
                                           kUsedShare,
                                           kGreater,
                                           "Файл подкачки занят более чем на %1 %",
                                           {9, 9, 199, 17},
                                           "Сигнал,  если  занятый  объём  файла",
                                           {9, 33, 84, 17},
                                           "подкачки более",
                                           {97, 31, 25, 20},
                                           {123, 26, 15, 15},
                                           {123, 41, 15, 15},
                                           {143, 34, 12, 17}};
  switch (condition) {
    case MemoryCondition::kUsedRam: return kUsedRam;
    case MemoryCondition::kFreeSwap: return kFreeSwap;
    case MemoryCondition::kUsedSwap: return kUsedSwap;
    case MemoryCondition::kFreeRam: break;
  }
  return kFreeRam;
}

template <class Control>
Control* Place(Control* control, const Box& box) {
  control->Left = box.left;
  control->Top = box.top;
  control->Width = box.width;
  control->Height = box.height;
  return control;
}

}  // namespace

Creator TClassChildGroupBox_DE8E98::CreatorFor(MemoryCondition condition) {
  return [condition](TElement* parent) -> std::unique_ptr<Container> {
    return std::make_unique<TClassChildGroupBox_DE8E98>(parent, condition);
  };
}

TClassChildGroupBox_DE8E98::TClassChildGroupBox_DE8E98(TElement* parent, MemoryCondition condition)
    : condition(condition) {
  const MemoryPanelValues& values = ValuesOf(condition);

  box = Place(Create<TElGroupBox>(static_cast<TElWin*>(parent)), Box{315, values.box_top, 232, 60});
  box->Init();

  edit = CreateEditMulti(3, 3);

  threshold = Create<TElCounter>();
  threshold->Min = values.min;
  threshold->Max = values.max;
  threshold->Step = 1;
  threshold->Direction = 0;
  threshold->Default = 50;

  threshold_reader = Create<TElGetData>();
  threshold_reader->Count = 5;

  upper_guard = Create<TElIf_else>();
  upper_guard->Type = 4;  // >=
  upper_guard->Op2 = TData::Integer(values.max);

  // <= rather than =: a threshold stored below the bound (0 kept from a processor-load
  // channel, say) must not make - wrap the counter round to the top.
  lower_guard = Create<TElIf_else>();
  lower_guard->Type = 3;
  lower_guard->Op2 = TData::Integer(values.min);

  repeat_unit = SetUpRepeatUnit(Create<TElMultiElement>());

  // A machine without swap has a total of 0: there is no share to compare.
  total_guard = Create<TElIf_else>();
  total_guard->Type = 2;  // >
  total_guard->Op2 = TData::Integer(0);

  percentage = Create<TElMathParse>();
  percentage->SetArgCount(2);
  percentage->MathStr = values.math;
  percentage->AngleMode = false;
  percentage->ResultType = 1;  // the share is not rounded
  percentage->SetDefault(0.0);

  comparison = Create<TElIf_else>();
  comparison->Type = values.comparison_type;  // strict either way

  state = Create<TElSwitch>();
  state->OnValue = TData::Integer(1);
  state->OffValue = TData::Integer(0);
  state->SetDefault(true);  // starts off

  message = Create<TElFormatStr>();
  message->SetCount(1);
  message->Mask = W(values.mask);

  counter_hub = SetUpHub(Create<TElHub>(), 1, 2);
  apply_hub = SetUpHub(Create<TElHub>(), 1, 4);
  edit_hub = SetUpHub(Create<TElHub>(), 2, 1);
  show_hub = SetUpHub(Create<TElHub>(), 1, 6);
  // Work[2], a condition that does not hold, no swap at all, a share that cannot be
  // worked out.
  reset_hub = SetUpHub(Create<TElHub>(), 4, 1);

  caption_line1 = Place(Create<TElLabel>(box), values.line1);
  caption_line1->Caption = W(values.line1_text);
  caption_line1->Init();

  caption_line2 = Place(Create<TElLabel>(box), values.line2);
  caption_line2->Caption = W(values.line2_text);
  caption_line2->Init();

  value_edit = Place(Create<TElEdit>(box), values.edit);
  value_edit->Text = "50";
  value_edit->Hint = W("Заданное значение");
  value_edit->Init();

  plus_button = InitStepButton(Place(Create<TElButton>(box), values.plus), StepDirection::kUp);

  minus_button = InitStepButton(Place(Create<TElButton>(box), values.minus), StepDirection::kDown);

  percent_label = Place(Create<TElLabel>(box), values.percent);
  percent_label->Caption = "%";
  percent_label->Init();

  edit->OnWork[0] = Link<&TElHub::Pass>(show_hub);
  show_hub->OnPass[0] = Link<&TElWin::SetVisible>(plus_button);
  show_hub->OnPass[1] = Link<&TElWin::SetVisible>(minus_button);
  show_hub->OnPass[2] = Link<&TElWin::SetVisible>(caption_line1);
  show_hub->OnPass[3] = Link<&TElWin::SetVisible>(percent_label);
  show_hub->OnPass[4] = Link<&TElWin::SetVisible>(caption_line2);
  show_hub->OnPass[5] = Link<&TElWin::SetVisible>(value_edit);

  edit->OnWork[1] = Link<&TElHub::Pass>(apply_hub);
  apply_hub->OnPass[0] = Link<&TElCounter::SetCount>(threshold);
  apply_hub->OnPass[1] = Link<&TElHub::Pass>(edit_hub, 0);
  apply_hub->OnPass[2] = Link<&TElIf_else::Compare>(total_guard);
  apply_hub->OnPass[3] = Link<&TElFormatStr::Format>(message);

  edit->OnWork[2] = Link<&TElHub::Pass>(reset_hub, 0);
  reset_hub->OnPass[0] = Link<&TElSwitch::Reset>(state);

  threshold->OnCount = Link<&TElHub::Pass>(counter_hub);
  counter_hub->OnPass[0] = Link<&TElEditMulti::Raise>(edit, 0);
  counter_hub->OnPass[1] = Link<&TElHub::Pass>(edit_hub, 1);
  edit_hub->OnPass[0] = Link<&TElEdit::SetText>(value_edit);

  LinkStepButtons({plus_button, minus_button, upper_guard, lower_guard, threshold}, repeat_unit);

  threshold_reader->InData = Link<&TElCounter::OutCount>(threshold);
  upper_guard->InOp1 = Link<&TElGetData::OutData>(threshold_reader, 0);
  lower_guard->InOp1 = Link<&TElGetData::OutData>(threshold_reader, 1);

  total_guard->InOp1 = Link<&TElEditMulti::OutData>(edit, 0);
  total_guard->OnTrue = Link<&TElMathParse::Calc>(percentage);
  total_guard->OnFalse = Link<&TElHub::Pass>(reset_hub, 2);

  percentage->InArg[0] = Link<&TElEditMulti::OutData>(edit, 0);
  percentage->InArg[1] = Link<&TElEditMulti::OutData>(edit, 1);
  percentage->OnResult = Link<&TElIf_else::Compare>(comparison);
  // Linked, so a failed evaluation reports here rather than in a message box that
  // would come back with every work cycle.
  percentage->OnError = Link<&TElHub::Pass>(reset_hub, 3);

  comparison->InOp1 = Link<&TElMathParse::OutResult>(percentage);
  comparison->InOp2 = Link<&TElGetData::OutData>(threshold_reader, 2);
  comparison->OnTrue = Link<&TElSwitch::Toggle>(state);
  comparison->OnFalse = Link<&TElHub::Pass>(reset_hub, 1);

  message->InStr[0] = Link<&TElGetData::OutData>(threshold_reader, 3);

  edit->InVar[0] = Link<&TElSwitch::OutValue>(state);
  edit->InVar[1] = Link<&TElGetData::OutData>(threshold_reader, 4);
  edit->InVar[2] = Link<&TElFormatStr::OutResult>(message);
}

}  // namespace lumi
