// The main scheme's work cycle: the tick, the evaluation of each channel from the
// settings file, and the frame that goes to the unit, the lamps and the debug window.
#include "scheme/building.h"
#include "scheme/main_scheme.h"

namespace lumi {

void MainScheme::WireChannelEvaluation() {
  TElHub* tick_hub = SetUpHub(Create<TElHub>(), 3);
  TElHub* var1_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* shown_type_hub = SetUpHub(Create<TElHub>(), 2);

  signal_read = Create<TElini>();
  signal_read->Key = "Signal";
  signal_read->ValueType = 0;
  var1_read = Create<TElini>();
  var1_read->Key = "Var1";
  var1_read->ValueType = 0;
  var2_read = Create<TElini>();
  var2_read->Key = "Var2";
  var2_read->ValueType = 1;
  var1 = Create<TElMemory>();
  var2 = Create<TElMemory>();
  var1_router = Create<TElIndexToChanel>();
  var1_router->SetCount(8);
  var2_router = Create<TElIndexToChanel>();
  var2_router->SetCount(kEventTypes);
  state_selector = Create<TElGetIndexData>();
  state_selector->SetCount(kEventTypes);
  text_selector = Create<TElGetIndexData>();
  text_selector->SetCount(kEventTypes);

  // A Signal outside the types names none: -1, as an empty list selection reads.
  auto* lowest_type = Create<TElIf_else>();
  lowest_type->Type = TElIf_else::kAtLeast;
  lowest_type->Op2 = TData::Integer(0);
  auto* highest_type = Create<TElIf_else>();
  highest_type->Type = TElIf_else::kLess;
  highest_type->Op2 = TData::Integer(kEventTypes);
  auto* no_type = Create<TElDoData>();
  no_type->Data = TData::Integer(-1);
  // Only setup mode shows the panel of the type: in work mode the panels are out of
  // sight, and showing and hiding them for every channel was most of a cycle's work.
  auto* setup_only = Create<TElIf_else>();
  setup_only->Type = TElIf_else::kNotEqual;
  setup_only->Op2 = TData::Integer(0);

  // Indicator selection in setup mode: a fresh sample, then that channel.
  selection_panel->OnEvent[0] = Link<&TElHub::Pass>(select_hub_);
  select_hub_->OnPass[0] = Link<&TElMultiElement::Work>(sensor_hub, 0);
  select_hub_->OnPass[1] = Link<&TElHub::Pass>(channel_hub_);

  cycle_timer->OnTimer = Link<&TElHub::Pass>(tick_hub);
  tick_hub->OnPass[0] = Link<&TElSwitch::Toggle>(blink_phase);
  tick_hub->OnPass[1] = Link<&TElMultiElement::Work>(sensor_hub, 0);
  tick_hub->OnPass[2] = Link<&TElMultiElement::Work>(sequencer, 0);

  sequencer->OnEvent[0] = Link<&TElHub::Pass>(channel_hub_);
  channel_hub_->OnPass[0] = Link<&TElMemory::Store>(current_channel);
  channel_hub_->OnPass[1] = Link<&TElMultiElement::Work>(frame_builder, 0);

  current_channel->OnStore = Link<&TElini::Read>(signal_read);
  signal_read->InFileName = Link<&TElMultiElement::OutVar>(locator, kSignalPath);
  signal_read->InSection = Link<&TElMemory::OutValue>(current_channel);
  signal_read->OnValue = Link<&TElIf_else::Compare>(lowest_type);
  lowest_type->OnTrue = Link<&TElIf_else::Compare>(highest_type);
  lowest_type->OnFalse = Link<&TElDoData::Send>(no_type);
  highest_type->OnTrue = Link<&TElMemory::Store>(event_type);
  highest_type->OnFalse = Link<&TElDoData::Send>(no_type);
  no_type->OnSend = Link<&TElMemory::Store>(event_type);
  event_type->OnStore = Link<&TElHub::Pass>(shown_type_hub);
  shown_type_hub->OnPass[0] = Link<&TElComboBox::SelectIndex>(event_list);
  shown_type_hub->OnPass[1] = Link<&TElHub::Pass>(type_hub_);

  // The user picks a type: it is shown and, through the writing room, written.
  event_list->OnChange = Link<&TElHub::Pass>(pick_hub_);
  pick_hub_->OnPass[0] = Link<&TElMemory::Store>(event_type);

  type_hub_->OnPass[0] = Link<&TElIf_else::Compare>(setup_only);
  setup_only->InOp1 = Link<&TElMemory::OutValue>(mode);
  setup_only->OnTrue = Link<&TElMultiElement::Work>(condition_selector, 0);
  type_hub_->OnPass[1] = Link<&TElGetIndexData::SelectIndex>(state_selector);
  type_hub_->OnPass[2] = Link<&TElGetIndexData::SelectIndex>(text_selector);
  type_hub_->OnPass[3] = Link<&TElini::Read>(var1_read);

  var1_read->InFileName = Link<&TElMultiElement::OutVar>(locator, kVar1Path);
  var1_read->InSection = Link<&TElMemory::OutValue>(current_channel);
  var1_read->OnValue = Link<&TElMemory::Store>(var1);
  var1->OnStore = Link<&TElHub::Pass>(var1_hub);
  var1_hub->OnPass[0] = Link<&TElIndexToChanel::Route>(var1_router);
  var1_hub->OnPass[1] = Link<&TElini::Read>(var2_read);
  var1_router->InIndex = Link<&TElMemory::OutValue>(event_type);
  var1_router->InData = Link<&TElMemory::OutValue>(var1);

  var2_read->InFileName = Link<&TElMultiElement::OutVar>(locator, kVar2Path);
  var2_read->InSection = Link<&TElMemory::OutValue>(current_channel);
  var2_read->OnValue = Link<&TElMemory::Store>(var2);
  var2->OnStore = Link<&TElIndexToChanel::Route>(var2_router);
  var2_router->InIndex = Link<&TElMemory::OutValue>(event_type);
  var2_router->InData = Link<&TElMemory::OutValue>(var2);
}

void MainScheme::WireFrameOutput() {
  mode_check = Create<TElIf_else>();
  mode_check->Type = TElIf_else::kEqual;
  mode_check->Op2 = TData::Integer(0);
  first_to_value = Create<TElConvertor>();
  first_to_value->Mode = TElConvertor::kBinaryToInteger;
  first_to_char = Create<TElConvertor>();
  first_to_char->Mode = TElConvertor::kIntegerToChar;
  second_to_value = Create<TElConvertor>();
  second_to_value->Mode = TElConvertor::kBinaryToInteger;
  second_to_char = Create<TElConvertor>();
  second_to_char->Mode = TElConvertor::kIntegerToChar;
  TElHub* first_text_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* first_value_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* second_text_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* second_value_hub = SetUpHub(Create<TElHub>(), 2);

  frame_builder->InData[0] = Link<&TElGetIndexData::OutData>(state_selector);
  frame_builder->InData[1] = Link<&TElGetIndexData::OutData>(text_selector);
  for (int i = 0; i < kChannels; ++i) {
    const int row_label = i < 7 ? 1 + i : 2 + i;
    frame_builder->OnEvent[static_cast<size_t>(2 + i)] =
        Link<&TElMultiElement::Work>(lamp_group, static_cast<uint16_t>(row_label));
  }
  // The next channel follows only in work mode.
  frame_builder->OnEvent[2 + kChannels] = Link<&TElIf_else::Compare>(mode_check);
  mode_check->InOp1 = Link<&TElMemory::OutValue>(mode);
  mode_check->OnTrue = Link<&TElMultiElement::Work>(sequencer, 1);
  sequencer->OnEvent[1] = Link<&TElMultiElement::Work>(frame_builder, 1);

  frame_builder->OnEvent[0] = Link<&TElHub::Pass>(first_text_hub);
  first_text_hub->OnPass[0] = Link<&TElConvertor::Convert>(first_to_value);
  first_text_hub->OnPass[1] = Link<&TElMultiElement::Work>(debug_window, 1);
  first_to_value->OnResult = Link<&TElHub::Pass>(first_value_hub);
  first_value_hub->OnPass[0] = Link<&TElConvertor::Convert>(first_to_char);
  first_value_hub->OnPass[1] = Link<&TElMultiElement::Work>(lamp_group, 0);
  first_to_char->OnResult = Link<&TElMultiElement::Work>(port_panel, 4);

  frame_builder->OnEvent[1] = Link<&TElHub::Pass>(second_text_hub);
  second_text_hub->OnPass[0] = Link<&TElConvertor::Convert>(second_to_value);
  second_text_hub->OnPass[1] = Link<&TElMultiElement::Work>(debug_window, 2);
  second_to_value->OnResult = Link<&TElHub::Pass>(second_value_hub);
  second_value_hub->OnPass[0] = Link<&TElConvertor::Convert>(second_to_char);
  second_value_hub->OnPass[1] = Link<&TElMultiElement::Work>(lamp_group, 8);
  second_to_char->OnResult = Link<&TElMultiElement::Work>(port_panel, 4);
}

}  // namespace lumi
