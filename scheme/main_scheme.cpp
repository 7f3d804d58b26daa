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

TElBitBtn* PictureButton(TElBitBtn* button, int32_t left, int32_t top, const char* hint,
                         const char* picture) {
  Place(button, left, top, 30, 30);
  button->Hint = W(hint);
  button->Picture = resources::Picture(picture);
  button->Font.size = 9;
  button->Init();
  return button;
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
  BuildWindow();
  BuildHiddenSchemes();
  BuildSharedPoints();
  WireStartUp();
  WireTrayAndSmallWindows();
  WireModes();
  WireChannelEvaluation();
  WireFrameOutput();
  WireConditionPanels();
  WireWriting();
}

void MainScheme::BuildWindow() {
  // The main window first: everything else lives in it.
  form = Create<TElMainForm>(nullptr);
  form->Caption = "Lumiscope 1.0.0.0";
  form->Width = 558;
  form->Height = 616;
  form->ClientSized = true;
  form->BorderStyle = 1;
  form->Icon = resources::Picture("ICON0");
  form->Visible = true;
  form->Init();

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
  about_button = PictureButton(Create<TElBitBtn>(form), 33, 485, "Информация о программе", "BITMAP1");
  autostart_box = Place(Create<TElCheckBox>(form), 70, 491, 170, 20);
  autostart_box->Caption = W("Запускать вместе с системой");
  autostart_box->Hint = W("Запуск программы вместе с системой");
  autostart_box->Init();
  exit_button = PictureButton(Create<TElBitBtn>(form), 247, 485, "Выход из программы", "BITMAP0");
  debug_button = Create<TElBitBtn>(form);
  debug_button->Visible = false;
  PictureButton(debug_button, 278, 485, "Показать/скрыть окно отладки", "BITMAP5");

  port_panel = Nest(Create<TElMultiElement>(), form, CreatorOf<PortPanel>(), 2, 1);

  work_button = PictureButton(Create<TElBitBtn>(form), 3, 555, "Переключение в режим \"Работа\"", "BITMAP6");

  event_list = Place(Create<TElComboBox>(form), 37, 560, 268, 21);
  event_list->Hint = W("Тип события");
  for (const char* name : kEventTypeNames) event_list->Strings += W(name) + "\r\n";
  event_list->Text = W(kEventTypeNames[0]);
  event_list->ChangeReturns = 0;
  event_list->Init();
}

void MainScheme::BuildHiddenSchemes() {
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
}

void MainScheme::BuildSharedPoints() {
  setup_hub_ = SetUpHub(Create<TElHub>(), 8);
  work_hub = SetUpHub(Create<TElHub>(), 6);
  channel_hub_ = SetUpHub(Create<TElHub>(), 2);
  select_hub_ = SetUpHub(Create<TElHub>(), 2);
  type_hub_ = SetUpHub(Create<TElHub>(), 4);
  pick_hub_ = SetUpHub(Create<TElHub>(), 2);

  mode = Create<TElMemory>();
  current_channel = Create<TElMemory>();
  event_type = Create<TElMemory>();

  cycle_timer = Create<TElTimer>();
  cycle_timer->SetIntervalMs(1000);

  // One phase for every blinking channel: lit in one cycle, dark in the next.
  blink_phase = Create<TElSwitch>();
  blink_phase->OnValue = TData::Integer(1);
  blink_phase->OffValue = TData::Integer(0);
  blink_phase->SetDefault(true);  // true: starts dark, so the first cycle lights

  debug_switch = Create<TElSwitch>();
  debug_switch->OnValue = TData::Integer(1);
  debug_switch->OffValue = TData::Integer(0);
  debug_switch->SetDefault(true);  // true: starts off

  tray = Create<TElTrayIcon>(form);
  tray->Hint = "Lumiscope 1.0.0.0";
  tray->CloseExits = false;
  tray->KeepIcon = false;
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
  TData none;
  panel->Port()->Close(none, 0);
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
