#include "scheme/memory_panel.h"

#include "scheme/building.h"
#include "scheme/texts.h"

namespace lumi {

namespace {

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
  Box percent;
};

constexpr uint8_t kLess = TElIf_else::kLess;
constexpr uint8_t kGreater = TElIf_else::kGreater;
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
                                           {143, 34, 12, 17}};
  switch (condition) {
    case MemoryCondition::kUsedRam: return kUsedRam;
    case MemoryCondition::kFreeSwap: return kFreeSwap;
    case MemoryCondition::kUsedSwap: return kUsedSwap;
    case MemoryCondition::kFreeRam: break;
  }
  return kFreeRam;
}

}  // namespace

Creator MemoryPanel::CreatorFor(MemoryCondition condition) {
  return [condition](TElement* parent) -> std::unique_ptr<Container> {
    return std::make_unique<MemoryPanel>(parent, condition);
  };
}

MemoryPanel::MemoryPanel(TElement* parent, MemoryCondition condition) : condition(condition) {
  const MemoryPanelValues& values = ValuesOf(condition);

  box = Place(Create<TElGroupBox>(static_cast<TElWin*>(parent)), Box{315, values.box_top, 232, 60});
  box->Init();

  edit = CreateEditMulti(3, 3);

  threshold = ThresholdControl::Nest(Create<TElMultiElement>(), box,
                                     {.min = values.min,
                                      .max = values.max,
                                      .edit = values.edit,
                                      .plus = values.plus,
                                      .percent = values.percent});
  static_cast<ThresholdControls&>(*this) = ThresholdControl::ControlsOf(threshold);

  // A machine without swap has a total of 0: there is no share to compare.
  total_guard = Create<TElIf_else>();
  total_guard->Type = TElIf_else::kGreater;
  total_guard->Op2 = TData::Integer(0);

  percentage = Create<TElMathParse>();
  percentage->SetArgCount(2);
  percentage->MathStr = values.math;
  percentage->AngleMode = false;
  percentage->ResultType = 1;  // the share is not rounded
  percentage->SetDefault(0.0);

  comparison = Create<TElIf_else>();
  comparison->Type = values.comparison_type;  // strict either way

  phase_sender = Create<TElDoData>();

  state = Create<TElMemory>();
  state->SetDefault(TData::Integer(0));

  message = Create<TElFormatStr>();
  message->SetCount(1);
  message->Mask = W(values.mask);

  apply_hub = SetUpHub(Create<TElHub>(), 1, 3);
  show_hub = SetUpHub(Create<TElHub>(), 1, 3);
  // Work[2], a condition that does not hold, no swap at all, a share that cannot be
  // worked out.
  reset_hub = SetUpHub(Create<TElHub>(), 4, 1);

  caption_line1 = Place(Create<TElLabel>(box), values.line1);
  caption_line1->Caption = W(values.line1_text);
  caption_line1->Init();

  caption_line2 = Place(Create<TElLabel>(box), values.line2);
  caption_line2->Caption = W(values.line2_text);
  caption_line2->Init();

  edit->OnWork[0] = Link<&TElHub::Pass>(show_hub);
  show_hub->OnPass[0] = Link<&TElMultiElement::Work>(threshold, 0);
  show_hub->OnPass[1] = Link<&TElWin::SetVisible>(caption_line1);
  show_hub->OnPass[2] = Link<&TElWin::SetVisible>(caption_line2);

  edit->OnWork[1] = Link<&TElHub::Pass>(apply_hub);
  apply_hub->OnPass[0] = Link<&TElMultiElement::Work>(threshold, 1);
  apply_hub->OnPass[1] = Link<&TElIf_else::Compare>(total_guard);
  apply_hub->OnPass[2] = Link<&TElFormatStr::Format>(message);

  edit->OnWork[2] = Link<&TElHub::Pass>(reset_hub, 0);
  reset_hub->OnPass[0] = Link<&TElMemory::Clear>(state);

  threshold->OnEvent[0] = Link<&TElEditMulti::Raise>(edit, 0);

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
  comparison->InOp2 = Link<&TElMultiElement::OutVar>(threshold, 0);
  comparison->OnTrue = Link<&TElDoData::Send>(phase_sender);
  comparison->OnFalse = Link<&TElHub::Pass>(reset_hub, 1);
  phase_sender->InData = Link<&TElEditMulti::OutData>(edit, 2);
  phase_sender->OnSend = Link<&TElMemory::Store>(state);

  message->InStr[0] = Link<&TElMultiElement::OutVar>(threshold, 0);

  edit->InVar[0] = Link<&TElMemory::OutValue>(state);
  edit->InVar[1] = Link<&TElMultiElement::OutVar>(threshold, 0);
  edit->InVar[2] = Link<&TElFormatStr::OutResult>(message);
}

}  // namespace lumi
