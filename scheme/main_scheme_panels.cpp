// The main scheme's condition panels and the writing of a channel to the settings file.
#include "scheme/building.h"
#include "scheme/main_scheme.h"

namespace lumi {
namespace {

TElMemory* ConstantText(TElMemory* memory, const char* text) {
  memory->SetDefault(TData::String(text));
  return memory;
}

}  // namespace

// Each panel is shown by its event type, takes its parameter from the router of Var1
// or Var2, answers the state, text and parameter selectors, and reports the user's
// changes to the change collector.
void MainScheme::WireConditionPanels() {
  var1_selector = Create<TElGetIndexData>();
  var1_selector->SetCount(kEventTypes);
  var2_selector = Create<TElGetIndexData>();
  var2_selector->SetCount(kEventTypes);

  condition_selector->OnEvent[0] = Link<&TElMultiElement::Work>(cpu_load_panel, 0);
  var1_router->OnChannel[0] = Link<&TElMultiElement::Work>(cpu_load_panel, 1);
  cpu_load_panel->InData[0] = Link<&TElMultiElement::OutVar>(sensor_hub, 0);
  state_selector->InData[0] = Link<&TElMultiElement::OutVar>(cpu_load_panel, 0);
  text_selector->InData[0] = Link<&TElMultiElement::OutVar>(cpu_load_panel, 2);
  var1_selector->InData[0] = Link<&TElMultiElement::OutVar>(cpu_load_panel, 1);
  cpu_load_panel->OnEvent[0] = Link<&TElMultiElement::Work>(change_collector, 0);

  // The drive panels: the letter in Var2, and for the space panels a threshold in Var1.
  condition_selector->OnEvent[1] = Link<&TElMultiElement::Work>(disk_present_panel, 0);
  var2_router->OnChannel[1] = Link<&TElMultiElement::Work>(disk_present_panel, 1);
  state_selector->InData[1] = Link<&TElMultiElement::OutVar>(disk_present_panel, 0);
  text_selector->InData[1] = Link<&TElMultiElement::OutVar>(disk_present_panel, 2);
  var2_selector->InData[1] = Link<&TElMultiElement::OutVar>(disk_present_panel, 1);
  disk_present_panel->OnEvent[0] = Link<&TElMultiElement::Work>(change_collector, 1);
  TElMultiElement* const space_panels[] = {free_disk_panel, used_disk_panel};
  for (uint16_t i = 0; i < 2; ++i) {
    TElMultiElement* panel = space_panels[i];
    const uint16_t type = 2 + i;
    condition_selector->OnEvent[type] = Link<&TElMultiElement::Work>(panel, 0);
    var1_router->OnChannel[type] = Link<&TElMultiElement::Work>(panel, 1);
    var2_router->OnChannel[type] = Link<&TElMultiElement::Work>(panel, 2);
    state_selector->InData[type] = Link<&TElMultiElement::OutVar>(panel, 0);
    text_selector->InData[type] = Link<&TElMultiElement::OutVar>(panel, 3);
    var1_selector->InData[type] = Link<&TElMultiElement::OutVar>(panel, 1);
    var2_selector->InData[type] = Link<&TElMultiElement::OutVar>(panel, 2);
    panel->OnEvent[0] = Link<&TElMultiElement::Work>(change_collector, static_cast<uint16_t>(2 + 2 * i));
    panel->OnEvent[1] = Link<&TElMultiElement::Work>(change_collector, static_cast<uint16_t>(3 + 2 * i));
  }

  for (uint16_t i = 0; i < 4; ++i) {
    TElMultiElement* panel = memory_panels[i];
    const uint16_t type = 4 + i;
    condition_selector->OnEvent[type] = Link<&TElMultiElement::Work>(panel, 0);
    var1_router->OnChannel[type] = Link<&TElMultiElement::Work>(panel, 1);
    // Total and available, physical memory for the RAM panels, page file for swap.
    panel->InData[0] = Link<&TElMultiElement::OutVar>(sensor_hub, static_cast<uint16_t>(1 + 2 * i));
    panel->InData[1] = Link<&TElMultiElement::OutVar>(sensor_hub, static_cast<uint16_t>(2 + 2 * i));
    panel->InData[2] = Link<&TElSwitch::OutValue>(blink_phase);
    state_selector->InData[type] = Link<&TElMultiElement::OutVar>(panel, 0);
    text_selector->InData[type] = Link<&TElMultiElement::OutVar>(panel, 2);
    var1_selector->InData[type] = Link<&TElMultiElement::OutVar>(panel, 1);
    panel->OnEvent[0] = Link<&TElMultiElement::Work>(change_collector, static_cast<uint16_t>(6 + i));
  }

  // Day and time, Internet and keyboard layout: one Var2 parameter each.
  day_time_panel->InData[0] = Link<&TElSwitch::OutValue>(blink_phase);
  TElMultiElement* const var2_panels[] = {day_time_panel, internet_panel, keyboard_layout_panel};
  for (uint16_t i = 0; i < 3; ++i) {
    TElMultiElement* panel = var2_panels[i];
    const uint16_t type = 8 + i;
    condition_selector->OnEvent[type] = Link<&TElMultiElement::Work>(panel, 0);
    var2_router->OnChannel[type] = Link<&TElMultiElement::Work>(panel, 1);
    state_selector->InData[type] = Link<&TElMultiElement::OutVar>(panel, 0);
    text_selector->InData[type] = Link<&TElMultiElement::OutVar>(panel, 2);
    var2_selector->InData[type] = Link<&TElMultiElement::OutVar>(panel, 1);
    panel->OnEvent[0] = Link<&TElMultiElement::Work>(change_collector, static_cast<uint16_t>(10 + i));
  }
}

void MainScheme::WireWriting() {
  writer = Create<TElini>();
  writer->ValueType = 1;
  // The writer's key and value for key index 0 ("Signal": the event type), 1 ("Var1")
  // and 2 ("Var2": the panel's parameters).
  key_selector = Create<TElGetIndexData>();
  key_selector->SetCount(3);
  value_selector = Create<TElGetIndexData>();
  value_selector->SetCount(3);
  TElMemory* signal_key = ConstantText(Create<TElMemory>(), "Signal");
  TElMemory* var1_key = ConstantText(Create<TElMemory>(), "Var1");
  TElMemory* var2_key = ConstantText(Create<TElMemory>(), "Var2");
  TElHub* write_hub = SetUpHub(Create<TElHub>(), 4);
  auto* writer_type = Create<TElDoData>();  // the current event type, for the panel selectors
  TElHub* writer_type_hub = SetUpHub(Create<TElHub>(), 2);
  // Picking an event type writes the channel at once, with the parameters the panel of
  // that type shows: the keys each panel's change point writes.
  auto* pick_writer = Create<TElIndexToChanel>();
  pick_writer->SetCount(kEventTypes);
  TElHub* free_disk_pick_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* used_disk_pick_hub = SetUpHub(Create<TElHub>(), 2);
  // A written change is shown at once: the channel is evaluated again.
  auto* reevaluation = Create<TElDoData>();

  pick_hub_->OnPass[1] = Link<&TElIndexToChanel::Route>(pick_writer);
  pick_writer->InIndex = Link<&TElMemory::OutValue>(event_type);
  pick_writer->OnChannel[0] = Link<&TElMultiElement::Work>(change_collector, 0);
  pick_writer->OnChannel[1] = Link<&TElMultiElement::Work>(change_collector, 1);
  pick_writer->OnChannel[2] = Link<&TElHub::Pass>(free_disk_pick_hub);
  free_disk_pick_hub->OnPass[0] = Link<&TElMultiElement::Work>(change_collector, 2);
  free_disk_pick_hub->OnPass[1] = Link<&TElMultiElement::Work>(change_collector, 3);
  pick_writer->OnChannel[3] = Link<&TElHub::Pass>(used_disk_pick_hub);
  used_disk_pick_hub->OnPass[0] = Link<&TElMultiElement::Work>(change_collector, 4);
  used_disk_pick_hub->OnPass[1] = Link<&TElMultiElement::Work>(change_collector, 5);
  for (uint16_t type = 4; type < kEventTypes; ++type) {
    pick_writer->OnChannel[type] =
        Link<&TElMultiElement::Work>(change_collector, static_cast<uint16_t>(2 + type));
  }

  change_collector->OnEvent[0] = Link<&TElHub::Pass>(write_hub);
  change_collector->OnEvent[1] = Link<&TElDoData::Send>(reevaluation);
  reevaluation->InData = Link<&TElMemory::OutValue>(current_channel);
  reevaluation->OnSend = Link<&TElHub::Pass>(select_hub_);
  write_hub->OnPass[0] = Link<&TElDoData::Send>(writer_type);
  write_hub->OnPass[1] = Link<&TElGetIndexData::SelectIndex>(key_selector);
  write_hub->OnPass[2] = Link<&TElGetIndexData::SelectIndex>(value_selector);
  write_hub->OnPass[3] = Link<&TElini::Write>(writer);
  writer_type->InData = Link<&TElMemory::OutValue>(event_type);
  writer_type->OnSend = Link<&TElHub::Pass>(writer_type_hub);
  writer_type_hub->OnPass[0] = Link<&TElGetIndexData::SelectIndex>(var1_selector);
  writer_type_hub->OnPass[1] = Link<&TElGetIndexData::SelectIndex>(var2_selector);
  key_selector->InData[0] = Link<&TElMemory::OutValue>(signal_key);
  key_selector->InData[1] = Link<&TElMemory::OutValue>(var1_key);
  key_selector->InData[2] = Link<&TElMemory::OutValue>(var2_key);
  value_selector->InData[0] = Link<&TElMemory::OutValue>(event_type);
  value_selector->InData[1] = Link<&TElGetIndexData::OutData>(var1_selector);
  value_selector->InData[2] = Link<&TElGetIndexData::OutData>(var2_selector);
  writer->InFileName = Link<&TElMultiElement::OutVar>(locator, kWriterPath);
  writer->InSection = Link<&TElMemory::OutValue>(current_channel);
  writer->InValue = Link<&TElGetIndexData::OutData>(value_selector);
  writer->InKey = Link<&TElGetIndexData::OutData>(key_selector);
}

}  // namespace lumi
