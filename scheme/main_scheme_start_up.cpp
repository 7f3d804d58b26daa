// The main scheme's start-up, its tray icon and its small windows.
#include "resources/resources.h"
#include "scheme/building.h"
#include "scheme/main_scheme.h"
#include "scheme/texts.h"

namespace lumi {

void MainScheme::WireStartUp() {
  TElHub* startup_hub = SetUpHub(Create<TElHub>(), 3);
  default_text = Create<TElStrList>();
  default_text->SetStrings(resources::Text("Str1"));

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
  locator->OnEvent[4] = Link<&TElHub::Pass>(setup_hub_);
  locator->OnEvent[5] = Link<&TElHub::Pass>(work_hub);
  locator->OnEvent[6] = Link<&TElTrayIcon::Minimize>(tray);
  locator->OnEvent[7] = Link<&TElMultiElement::Work>(port_panel, 5);
  default_text->InFileName = Link<&TElMultiElement::OutVar>(locator, kDefaultsPath);
  port_panel->InData[0] = Link<&TElMultiElement::OutVar>(locator, kPortPath);
  port_panel->OnEvent[0] = Link<&TElTimer::SetInterval>(cycle_timer);
}

void MainScheme::WireTrayAndSmallWindows() {
  tray_menu = Create<TElPopupMenu>(form);
  tray_menu->SetMenu(W("Восстановить\r\n-\r\nО программе...\r\n-\r\nВыход"));
  tray_menu->TransparentIcons = true;
  tray_buttons = Create<TElIndexToChanel>();
  tray_buttons->SetCount(2);
  tray_items = Create<TElIndexToChanel>();
  tray_items->SetCount(5);
  // A window hidden to the tray always watches: hiding it from setup mode first does
  // what the work button does.
  auto* setup_check = Create<TElIf_else>();
  setup_check->Type = TElIf_else::kEqual;
  setup_check->Op2 = TData::Integer(1);
  TElHub* show_request_hub = SetUpHub(Create<TElHub>(), 2);
  auto* tray_tip = Create<TElFormatStr>();
  tray_tip->SetCount(1);
  tray_tip->Mask = W("Lumiscope 1.0.0.0 — %1");

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
  // A later start of the program asks for this window.
  form->OnShowRequest = Link<&TElHub::Pass>(show_request_hub);
  show_request_hub->OnPass[0] = Link<&TElTrayIcon::Restore>(tray);
  show_request_hub->OnPass[1] = Link<&TElMainForm::Activate>(form);
  // The tip names the port in use and what cannot work.
  port_panel->OnEvent[1] = Link<&TElFormatStr::Format>(tray_tip);
  tray_tip->OnFormat = Link<&TElTrayIcon::SetHint>(tray);

  exit_button->OnClick = Link<&TElMainForm::Close>(form);
  about_button->OnClick = Link<&TElMultiElement::Work>(about_window, 0);
  debug_button->OnClick = Link<&TElSwitch::Toggle>(debug_switch);
  debug_switch->OnToggle = Link<&TElMultiElement::Work>(debug_window, 0);
  debug_window->OnEvent[0] = Link<&TElSwitch::Reset>(debug_switch);
}

}  // namespace lumi
