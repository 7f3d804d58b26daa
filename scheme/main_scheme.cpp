#include "scheme/main_scheme.h"

#include "elements/device/com.h"
#include "resources/pictures.h"
#include "resources/resources.h"
#include "scheme/about_window.h"
#include "scheme/autostart_switch.h"
#include "scheme/building.h"
#include "scheme/button_frame.h"
#include "scheme/change_collector.h"
#include "scheme/channel_sequencer.h"
#include "scheme/condition_selector.h"
#include "scheme/cpu_load_panel.h"
#include "scheme/day_time_panel.h"
#include "scheme/debug_window.h"
#include "scheme/disk_present_panel.h"
#include "scheme/disk_space_panel.h"
#include "scheme/frame_builder.h"
#include "scheme/internet_panel.h"
#include "scheme/keyboard_layout_panel.h"
#include "scheme/lamp_group.h"
#include "scheme/memory_panel.h"
#include "scheme/mode_geometry.h"
#include "scheme/port_panel.h"
#include "scheme/selection_panel.h"
#include "scheme/sensor_hub.h"
#include "scheme/settings_locator.h"
#include "scheme/single_instance_guard.h"
#include "scheme/texts.h"

namespace lumi {

namespace {

// Which value point of the locator each reader of the settings file takes its path from.
enum PathReader : uint16_t { kDefaultsPath, kPortPath, kSignalPath, kVar1Path, kVar2Path, kWriterPath };

TElBitBtn* PictureButton(TElBitBtn* button, int32_t left, int32_t top, const char* hint,
                         const char* picture) {
  button->Left = left;
  button->Top = top;
  button->Width = 30;
  button->Height = 30;
  button->Hint = W(hint);
  button->Picture = resources::Picture(picture);
  button->Font.size = 9;
  return button;
}

TElDoData* Constant(TElDoData* element, TData value) {
  element->Data = std::move(value);
  return element;
}

TElMemory* ConstantText(TElMemory* memory, const char* text) {
  memory->SetDefault(TData::String(text));
  return memory;
}

constexpr const char* kEventTypeNames[MainScheme::kEventTypes] = {
    "Загрузка ЦП",
    "Диск подключен",
    "Свободное место на диске",
    "Занятое место на диске",
    "Свободный объём RAM",
    "Занятый объём RAM",
    "Свободный объём файла подкачки",
    "Занятый объём файла подкачки",
    "Указанный день и время",
    "Подключение к Internet",
    "Язык раскладки",
};

}  // namespace

MainScheme::MainScheme() {
  // ---- the main window first: everything else lives in it ----
  form = Create<TElMainForm>(nullptr);
  form->Caption = "Lumiscope 1.0.0.0";
  form->Width = 558;
  form->Height = 616;
  form->ClientSized = true;
  form->BorderStyle = 1;
  form->Icon = resources::Picture("ICON0");
  form->Visible = true;
  form->Init();

  // ---- controls and child containers of the window ----
  lamp_group = Nest(Create<TElMultiElement>(), form, CreatorOf<LampGroup>(), 0, 0);
  selection_panel = Nest(Create<TElMultiElement>(), form, CreatorOf<SelectionPanel>(), 1, 0);
  cpu_load_panel = Nest(Create<TElMultiElement>(), form, CreatorOf<CpuLoadPanel>(), 1, 1);
  disk_present_panel = Nest(Create<TElMultiElement>(), form, CreatorOf<DiskPresentPanel>(), 1, 0);
  free_disk_panel =
      Nest(Create<TElMultiElement>(), form, DiskSpacePanel::CreatorFor(DiskSpaceCondition::kFreeDisk), 2, 0);
  used_disk_panel =
      Nest(Create<TElMultiElement>(), form, DiskSpacePanel::CreatorFor(DiskSpaceCondition::kUsedDisk), 2, 0);
  constexpr MemoryCondition kMemoryConditions[] = {MemoryCondition::kFreeRam, MemoryCondition::kUsedRam,
                                                   MemoryCondition::kFreeSwap, MemoryCondition::kUsedSwap};
  for (int i = 0; i < 4; ++i) {
    memory_panels[i] =
        Nest(Create<TElMultiElement>(), form, MemoryPanel::CreatorFor(kMemoryConditions[i]), 1, 3);
  }
  day_time_panel = Nest(Create<TElMultiElement>(), form, CreatorOf<DayTimePanel>(), 1, 1);
  internet_panel = Nest(Create<TElMultiElement>(), form, CreatorOf<InternetPanel>(), 1, 0);
  keyboard_layout_panel = Nest(Create<TElMultiElement>(), form, CreatorOf<KeyboardLayoutPanel>(), 1, 0);
  button_frame = Nest(Create<TElMultiElement>(), form, CreatorOf<ButtonFrame>(), 0, 0);

  setup_button =
      PictureButton(Create<TElBitBtn>(form), 3, 485, "Переключение в режим \"Настройка\"", "BITMAP2");
  setup_button->Init();
  about_button = PictureButton(Create<TElBitBtn>(form), 33, 485, "Информация о программе", "BITMAP1");
  about_button->Init();
  autostart_box = Create<TElCheckBox>(form);
  autostart_box->Left = 70;
  autostart_box->Top = 491;
  autostart_box->Width = 170;
  autostart_box->Height = 20;
  autostart_box->Caption = W("Запускать вместе с системой");
  autostart_box->Hint = W("Запуск программы вместе с системой");
  autostart_box->Init();
  exit_button = PictureButton(Create<TElBitBtn>(form), 247, 485, "Выход из программы", "BITMAP0");
  exit_button->Init();
  debug_button = PictureButton(Create<TElBitBtn>(form), 278, 485, "Показать/скрыть окно отладки", "BITMAP5");
  debug_button->Visible = false;
  debug_button->Init();

  port_panel = Nest(Create<TElMultiElement>(), form, CreatorOf<PortPanel>(), 2, 1);

  work_button = PictureButton(Create<TElBitBtn>(form), 3, 555, "Переключение в режим \"Работа\"", "BITMAP6");
  work_button->Init();

  event_list = Create<TElComboBox>(form);
  event_list->Left = 37;
  event_list->Top = 560;
  event_list->Width = 268;
  event_list->Height = 21;
  event_list->Hint = W("Тип события");
  for (const char* name : kEventTypeNames) event_list->Strings += W(name) + "\r\n";
  event_list->Text = W(kEventTypeNames[0]);
  event_list->ChangeReturns = 0;
  event_list->Init();

  // ---- schemes without a place on the screen ----
  // The two small windows are built at their first call.
  debug_window = Nest(Create<TElMultiElement>(), form, CreatorOf<DebugWindow>(), 1, 0, /*on_demand=*/true);
  about_window = Nest(Create<TElMultiElement>(), form, CreatorOf<AboutWindow>(), 0, 0, /*on_demand=*/true);
  autostart = Nest(Create<TElMultiElement>(), nullptr, CreatorOf<AutostartSwitch>(), 1, 0);
  guard = Nest(Create<TElMultiElement>(), nullptr, CreatorOf<SingleInstanceGuard>(), 2, 0);
  locator = Nest(Create<TElMultiElement>(), nullptr, CreatorOf<SettingsLocator>(), 8, 0);
  change_collector = Nest(Create<TElMultiElement>(), nullptr, CreatorOf<ChangeCollector>(), 2, 0);
  sensor_hub = Nest(Create<TElMultiElement>(), nullptr, CreatorOf<SensorHub>(), 0, 0);
  sequencer = Nest(Create<TElMultiElement>(), nullptr, CreatorOf<ChannelSequencer>(), 2, 0);
  frame_builder = Nest(Create<TElMultiElement>(), nullptr, CreatorOf<FrameBuilder>(), 2 + kChannels + 1, 2);
  condition_selector =
      Nest(Create<TElMultiElement>(), nullptr, CreatorOf<ConditionSelector>(), kEventTypes, 0);
  mode_geometry = Nest(Create<TElMultiElement>(), nullptr, CreatorOf<ModeGeometry>(), 4, 0);

  // ---- settings file ----
  default_text = Create<TElStrList>();
  default_text->SetStrings(resources::Text("Str1"));

  current_channel = Create<TElMemory>();

  signal_read = Create<TElini>();
  signal_read->Key = "Signal";
  signal_read->ValueType = 0;
  var1_read = Create<TElini>();
  var1_read->Key = "Var1";
  var1_read->ValueType = 0;
  var2_read = Create<TElini>();
  var2_read->Key = "Var2";
  var2_read->ValueType = 1;
  writer = Create<TElini>();
  writer->ValueType = 1;

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
  var1_selector = Create<TElGetIndexData>();
  var1_selector->SetCount(kEventTypes);
  var2_selector = Create<TElGetIndexData>();
  var2_selector->SetCount(kEventTypes);

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
  TElDoData* writer_type = Create<TElDoData>();  // the current event type, for the panel selectors
  TElHub* writer_type_hub = SetUpHub(Create<TElHub>(), 2);

  // ---- work cycle ----
  cycle_timer = Create<TElTimer>();
  cycle_timer->SetIntervalMs(1000);
  TElHub* tick_hub = SetUpHub(Create<TElHub>(), 3);
  // One phase for every blinking channel: lit in one cycle, dark in the next.
  blink_phase = Create<TElSwitch>();
  blink_phase->OnValue = TData::Integer(1);
  blink_phase->OffValue = TData::Integer(0);
  blink_phase->SetDefault(true);  // true: starts dark, so the first cycle lights
  TElHub* channel_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* signal_hub = SetUpHub(Create<TElHub>(), 2);
  TElDoData* list_type = Create<TElDoData>();  // the event type as the list now holds it
  TElHub* type_hub = SetUpHub(Create<TElHub>(), 4);
  TElHub* var1_hub = SetUpHub(Create<TElHub>(), 2);
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

  // ---- start-up and modes ----
  TElHub* startup_hub = SetUpHub(Create<TElHub>(), 3);
  hide_delay = Create<TElTimer>();
  hide_delay->SetIntervalMs(kHideDelayMs);
  hide_delay->SetAutoStop(1);

  // ---- the tray icon and its menu ----
  tray = Create<TElTrayIcon>(form);
  tray->Hint = "Lumiscope 1.0.0.0";
  tray->CloseExits = false;
  tray->KeepIcon = false;
  tray_menu = Create<TElPopupMenu>(form);
  tray_menu->SetMenu(W("Восстановить\r\n-\r\nО программе...\r\n-\r\nВыход"));
  tray_menu->TransparentIcons = true;
  tray_buttons = Create<TElIndexToChanel>();
  tray_buttons->SetCount(2);
  tray_items = Create<TElIndexToChanel>();
  tray_items->SetCount(5);

  mode = Create<TElMemory>();
  TElHub* setup_hub = SetUpHub(Create<TElHub>(), 8);
  TElHub* blink_reset_hub = SetUpHub(Create<TElHub>(), 6);
  work_hub = SetUpHub(Create<TElHub>(), 5);
  // Entering setup mode shows every row's own description, not just the first one's.
  TElHub* all_channels_hub = SetUpHub(Create<TElHub>(), 2);
  all_channels = Create<TElFor>();
  all_channels->Start = 0;
  all_channels->End = kChannels;
  all_channels->Step = 1;
  // A window hidden to the tray always watches: hiding it from setup mode first does
  // what the work button does.
  TElIf_else* setup_check = Create<TElIf_else>();
  setup_check->Type = TElIf_else::kEqual;
  setup_check->Op2 = TData::Integer(1);
  TElHub* show_request_hub = SetUpHub(Create<TElHub>(), 2);
  TElFormatStr* tray_tip = Create<TElFormatStr>();
  tray_tip->SetCount(1);
  tray_tip->Mask = W("Lumiscope 1.0.0.0 — %1");
  // The setup button's face index doubles as its enabled flag: 0 disabled with face 0,
  // 1 enabled with face 1.
  TElDoData* setup_face_index = Constant(Create<TElDoData>(), TData::Integer(0));
  TElDoData* work_face_index = Constant(Create<TElDoData>(), TData::Integer(1));
  TElHub* face_hub = SetUpHub(Create<TElHub>(), 2);
  TElDoData* setup_mode_value = Constant(Create<TElDoData>(), TData::Integer(1));
  TElDoData* work_mode_value = Constant(Create<TElDoData>(), TData::Integer(0));
  setup_faces = Create<TElBitmapArray>();
  setup_faces->Items = {resources::Picture("BITMAP3"), resources::Picture("BITMAP4")};
  setup_face = Create<TElArrayRW>();

  TElHub* select_hub = SetUpHub(Create<TElHub>(), 2);

  debug_switch = Create<TElSwitch>();
  debug_switch->OnValue = TData::Integer(1);
  debug_switch->OffValue = TData::Integer(0);
  debug_switch->SetDefault(true);  // true: starts off

  // Picking an event type writes the channel at once, with the parameters the panel
  // of that type shows: the keys each panel's change point writes.
  TElHub* pick_hub = SetUpHub(Create<TElHub>(), 2);
  TElIndexToChanel* pick_writer = Create<TElIndexToChanel>();
  pick_writer->SetCount(kEventTypes);
  TElHub* free_disk_pick_hub = SetUpHub(Create<TElHub>(), 2);
  TElHub* used_disk_pick_hub = SetUpHub(Create<TElHub>(), 2);
  // A written change is shown at once: the channel is evaluated again.
  TElDoData* reevaluation = Create<TElDoData>();

  // ---- links: start-up ----
  form->OnCreate = Link<&TElMultiElement::Work>(guard, 0);
  guard->OnEvent[0] = Link<&TElMainForm::Close>(form);
  guard->OnEvent[1] = Link<&TElHub::Pass>(startup_hub);
  startup_hub->OnPass[0] = Link<&TElMultiElement::Work>(port_panel, 0);
  startup_hub->OnPass[1] = Link<&TElMultiElement::Work>(locator, 0);
  startup_hub->OnPass[2] = Link<&TElMultiElement::Work>(autostart, 0);
  autostart->OnEvent[0] = Link<&TElCheckBox::Check>(autostart_box);
  autostart_box->OnClick = Link<&TElMultiElement::Work>(autostart, 1);

  locator->OnEvent[0] = Link<&TElStrList::SaveToFile>(default_text);
  locator->OnEvent[1] = Link<&TElMultiElement::Work>(port_panel, 1);
  locator->OnEvent[2] = Link<&TElMultiElement::Work>(port_panel, 2);
  locator->OnEvent[3] = Link<&TElMultiElement::Work>(port_panel, 3);
  locator->OnEvent[4] = Link<&TElHub::Pass>(setup_hub);
  locator->OnEvent[5] = Link<&TElHub::Pass>(work_hub);
  locator->OnEvent[6] = Link<&TElTimer::Start>(hide_delay);
  locator->OnEvent[7] = Link<&TElMultiElement::Work>(port_panel, 5);
  hide_delay->OnTimer = Link<&TElTrayIcon::Minimize>(tray);

  // ---- links: tray ----
  tray->OnMouseUp = Link<&TElIndexToChanel::Route>(tray_buttons);
  tray_buttons->OnChannel[0] = Link<&TElTrayIcon::Restore>(tray);
  tray_buttons->OnChannel[1] = Link<&TElPopupMenu::Popup>(tray_menu);
  tray_menu->OnClick = Link<&TElIndexToChanel::Route>(tray_items);
  tray_items->OnChannel[0] = Link<&TElTrayIcon::Restore>(tray);
  tray_items->OnChannel[2] = Link<&TElMultiElement::Work>(about_window, 0);
  tray_items->OnChannel[4] = Link<&TElMainForm::Close>(form);
  tray->OnMinimize = Link<&TElIf_else::Compare>(setup_check);
  setup_check->InOp1 = Link<&TElMemory::OutValue>(mode);
  setup_check->OnTrue = Link<&TElHub::Pass>(work_hub);
  form->OnShowRequest = Link<&TElHub::Pass>(show_request_hub);
  show_request_hub->OnPass[0] = Link<&TElTrayIcon::Restore>(tray);
  show_request_hub->OnPass[1] = Link<&TElMainForm::Activate>(form);
  port_panel->OnEvent[1] = Link<&TElFormatStr::Format>(tray_tip);
  tray_tip->OnFormat = Link<&TElTrayIcon::SetHint>(tray);
  default_text->InFileName = Link<&TElMultiElement::OutVar>(locator, kDefaultsPath);
  port_panel->InData[0] = Link<&TElMultiElement::OutVar>(locator, kPortPath);
  port_panel->OnEvent[0] = Link<&TElTimer::SetInterval>(cycle_timer);

  // ---- links: controls ----
  setup_button->OnClick = Link<&TElHub::Pass>(setup_hub);
  work_button->OnClick = Link<&TElHub::Pass>(work_hub);
  exit_button->OnClick = Link<&TElMainForm::Close>(form);
  about_button->OnClick = Link<&TElMultiElement::Work>(about_window, 0);
  debug_button->OnClick = Link<&TElSwitch::Toggle>(debug_switch);
  debug_switch->OnToggle = Link<&TElMultiElement::Work>(debug_window, 0);
  debug_window->OnEvent[0] = Link<&TElSwitch::Reset>(debug_switch);
  event_list->OnChange = Link<&TElHub::Pass>(pick_hub);
  pick_hub->OnPass[0] = Link<&TElHub::Pass>(type_hub);
  pick_hub->OnPass[1] = Link<&TElIndexToChanel::Route>(pick_writer);
  pick_writer->InIndex = Link<&TElComboBox::OutIndex>(event_list);
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

  // ---- links: modes ----
  setup_hub->OnPass[0] = Link<&TElMultiElement::Work>(frame_builder, 2);
  setup_hub->OnPass[1] = Link<&TElTimer::Stop>(cycle_timer);
  setup_hub->OnPass[2] = Link<&TElMultiElement::Work>(mode_geometry, 0);
  setup_hub->OnPass[3] = Link<&TElHub::Pass>(all_channels_hub);
  setup_hub->OnPass[4] = Link<&TElMultiElement::Work>(selection_panel, 0);
  setup_hub->OnPass[5] = Link<&TElDoData::Send>(setup_face_index);
  setup_hub->OnPass[6] = Link<&TElDoData::Send>(setup_mode_value);
  setup_hub->OnPass[7] = Link<&TElHub::Pass>(blink_reset_hub);
  all_channels_hub->OnPass[0] = Link<&TElMultiElement::Work>(sensor_hub, 0);
  all_channels_hub->OnPass[1] = Link<&TElFor::Run>(all_channels);
  all_channels->OnIteration = Link<&TElHub::Pass>(channel_hub);
  for (int i = 0; i < 4; ++i) blink_reset_hub->OnPass[i] = Link<&TElMultiElement::Work>(memory_panels[i], 2);
  blink_reset_hub->OnPass[4] = Link<&TElMultiElement::Work>(day_time_panel, 2);
  blink_reset_hub->OnPass[5] = Link<&TElSwitch::Reset>(blink_phase);

  work_hub->OnPass[0] = Link<&TElTimer::Start>(cycle_timer);
  work_hub->OnPass[1] = Link<&TElMultiElement::Work>(mode_geometry, 1);
  work_hub->OnPass[2] = Link<&TElDoData::Send>(work_face_index);
  work_hub->OnPass[3] = Link<&TElDoData::Send>(work_mode_value);
  // The debug window belongs to setup mode: its button goes, and so does the window.
  work_hub->OnPass[4] = Link<&TElSwitch::Reset>(debug_switch);

  mode_geometry->OnEvent[0] = Link<&TElWin::SetWidth>(form);
  mode_geometry->OnEvent[1] = Link<&TElWin::SetHeight>(form);
  mode_geometry->OnEvent[2] = Link<&TElMultiElement::Work>(button_frame, 0);
  mode_geometry->OnEvent[3] = Link<&TElMultiElement::Work>(button_frame, 1);

  setup_face_index->OnSend = Link<&TElHub::Pass>(face_hub);
  work_face_index->OnSend = Link<&TElHub::Pass>(face_hub);
  face_hub->OnPass[0] = Link<&TElWin::SetEnabled>(setup_button);
  face_hub->OnPass[1] = Link<&TElArrayRW::Read>(setup_face);
  setup_face->InArray = Link<&TElBitmapArray::Array>(setup_faces);
  setup_face->OnRead = Link<&TElBitBtn::SetPicture>(setup_button);

  setup_mode_value->OnSend = Link<&TElMemory::Store>(mode);
  work_mode_value->OnSend = Link<&TElMemory::Store>(mode);
  mode->OnStore = Link<&TElWin::SetVisible>(debug_button);

  // ---- links: indicator selection ----
  selection_panel->OnEvent[0] = Link<&TElHub::Pass>(select_hub);
  select_hub->OnPass[0] = Link<&TElMultiElement::Work>(sensor_hub, 0);
  select_hub->OnPass[1] = Link<&TElHub::Pass>(channel_hub);

  // ---- links: work cycle ----
  cycle_timer->OnTimer = Link<&TElHub::Pass>(tick_hub);
  tick_hub->OnPass[0] = Link<&TElSwitch::Toggle>(blink_phase);
  tick_hub->OnPass[1] = Link<&TElMultiElement::Work>(sensor_hub, 0);
  tick_hub->OnPass[2] = Link<&TElMultiElement::Work>(sequencer, 0);

  sequencer->OnEvent[0] = Link<&TElHub::Pass>(channel_hub);
  channel_hub->OnPass[0] = Link<&TElMemory::Store>(current_channel);
  channel_hub->OnPass[1] = Link<&TElMultiElement::Work>(frame_builder, 0);

  current_channel->OnStore = Link<&TElini::Read>(signal_read);
  signal_read->InFileName = Link<&TElMultiElement::OutVar>(locator, kSignalPath);
  signal_read->InSection = Link<&TElMemory::OutValue>(current_channel);
  signal_read->OnValue = Link<&TElHub::Pass>(signal_hub);
  signal_hub->OnPass[0] = Link<&TElComboBox::SelectIndex>(event_list);
  signal_hub->OnPass[1] = Link<&TElDoData::Send>(list_type);
  list_type->InData = Link<&TElComboBox::OutIndex>(event_list);
  list_type->OnSend = Link<&TElHub::Pass>(type_hub);

  type_hub->OnPass[0] = Link<&TElMultiElement::Work>(condition_selector, 0);
  type_hub->OnPass[1] = Link<&TElGetIndexData::SelectIndex>(state_selector);
  type_hub->OnPass[2] = Link<&TElGetIndexData::SelectIndex>(text_selector);
  type_hub->OnPass[3] = Link<&TElini::Read>(var1_read);

  var1_read->InFileName = Link<&TElMultiElement::OutVar>(locator, kVar1Path);
  var1_read->InSection = Link<&TElMemory::OutValue>(current_channel);
  var1_read->OnValue = Link<&TElMemory::Store>(var1);
  var1->OnStore = Link<&TElHub::Pass>(var1_hub);
  var1_hub->OnPass[0] = Link<&TElIndexToChanel::Route>(var1_router);
  var1_hub->OnPass[1] = Link<&TElini::Read>(var2_read);
  var1_router->InIndex = Link<&TElComboBox::OutIndex>(event_list);
  var1_router->InData = Link<&TElMemory::OutValue>(var1);

  var2_read->InFileName = Link<&TElMultiElement::OutVar>(locator, kVar2Path);
  var2_read->InSection = Link<&TElMemory::OutValue>(current_channel);
  var2_read->OnValue = Link<&TElMemory::Store>(var2);
  var2->OnStore = Link<&TElIndexToChanel::Route>(var2_router);
  var2_router->InIndex = Link<&TElComboBox::OutIndex>(event_list);
  var2_router->InData = Link<&TElMemory::OutValue>(var2);

  frame_builder->InData[0] = Link<&TElGetIndexData::OutData>(state_selector);
  frame_builder->InData[1] = Link<&TElGetIndexData::OutData>(text_selector);
  for (int i = 0; i < kChannels; ++i) {
    const int row_label = i < 7 ? 1 + i : 2 + i;
    frame_builder->OnEvent[static_cast<size_t>(2 + i)] =
        Link<&TElMultiElement::Work>(lamp_group, static_cast<uint16_t>(row_label));
  }
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

  // ---- links: condition panels ----
  // Each panel is shown by its event type, takes its parameter from the router of
  // Var1 or Var2, answers the state, text and parameter selectors, and reports the
  // user's changes to the change collector.
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

  // ---- links: writing a channel ----
  change_collector->OnEvent[0] = Link<&TElHub::Pass>(write_hub);
  change_collector->OnEvent[1] = Link<&TElDoData::Send>(reevaluation);
  reevaluation->InData = Link<&TElMemory::OutValue>(current_channel);
  reevaluation->OnSend = Link<&TElHub::Pass>(select_hub);
  write_hub->OnPass[0] = Link<&TElDoData::Send>(writer_type);
  write_hub->OnPass[1] = Link<&TElGetIndexData::SelectIndex>(key_selector);
  write_hub->OnPass[2] = Link<&TElGetIndexData::SelectIndex>(value_selector);
  write_hub->OnPass[3] = Link<&TElini::Write>(writer);
  writer_type->InData = Link<&TElComboBox::OutIndex>(event_list);
  writer_type->OnSend = Link<&TElHub::Pass>(writer_type_hub);
  writer_type_hub->OnPass[0] = Link<&TElGetIndexData::SelectIndex>(var1_selector);
  writer_type_hub->OnPass[1] = Link<&TElGetIndexData::SelectIndex>(var2_selector);
  key_selector->InData[0] = Link<&TElMemory::OutValue>(signal_key);
  key_selector->InData[1] = Link<&TElMemory::OutValue>(var1_key);
  key_selector->InData[2] = Link<&TElMemory::OutValue>(var2_key);
  value_selector->InData[0] = Link<&TElComboBox::OutIndex>(event_list);
  value_selector->InData[1] = Link<&TElGetIndexData::OutData>(var1_selector);
  value_selector->InData[2] = Link<&TElGetIndexData::OutData>(var2_selector);
  writer->InFileName = Link<&TElMultiElement::OutVar>(locator, kWriterPath);
  writer->InSection = Link<&TElMemory::OutValue>(current_channel);
  writer->InValue = Link<&TElGetIndexData::OutData>(value_selector);
  writer->InKey = Link<&TElGetIndexData::OutData>(key_selector);
}

void MainScheme::Start() { form->Start(); }

int32_t MainScheme::RunningCopy() const {
  return static_cast<SingleInstanceGuard*>(guard->Inner()->container)->RunningCopy();
}

void MainScheme::SwitchUnitOff() {
  auto* panel = static_cast<PortPanel*>(port_panel->Inner()->container);
  if (!panel->Port()->IsOpen()) return;
  TData frame = TData::String(Text{'\x00', '\x80'});
  panel->Port()->Write(frame, 0);
}

bool MainScheme::InSetupMode() const {
  TData value;
  mode->OutValue(value, 0);
  return value.AsInteger() == 1;
}

void MainScheme::EnterWorkMode() {
  TEl_Event work = Link<&TElHub::Pass>(work_hub);
  FireNull(work);
}

}  // namespace lumi
