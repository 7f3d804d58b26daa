#pragma once

#include <memory>

#include "elements/compute/array_rw.h"
#include "elements/compute/convertor.h"
#include "elements/compute/do_data.h"
#include "elements/compute/for_loop.h"
#include "elements/compute/format_str.h"
#include "elements/compute/get_index_data.h"
#include "elements/compute/hub.h"
#include "elements/compute/if_else.h"
#include "elements/compute/index_to_chanel.h"
#include "elements/compute/memory.h"
#include "elements/compute/switch_element.h"
#include "elements/device/ini.h"
#include "elements/device/str_list.h"
#include "elements/window/bit_btn.h"
#include "elements/window/bitmap_array.h"
#include "elements/window/check_box.h"
#include "elements/window/combo_box.h"
#include "elements/window/main_form.h"
#include "elements/window/popup_menu.h"
#include "elements/window/timer.h"
#include "elements/window/tray_icon.h"
#include "runtime/container.h"
#include "runtime/multi_element.h"

namespace lumi {

// The whole program: the main window, every control and child scheme in it, the
// settings file readers and writer, the work cycle and the two modes.
//
// Built with the dispatchers still off; Start shows the window, switches them on and
// lets the window's create event run the start-up (single-instance check, port scan,
// settings file, setup or work mode).
class MainScheme : public Container {
 public:
  static constexpr int kEventTypes = 11;
  static constexpr int kChannels = 14;

  MainScheme();

  void Start();
  // What the work button does. A run with nobody to set it up goes on with this.
  void EnterWorkMode();
  bool InSetupMode() const;
  // The copy of the program that was already running when this one started, 0 when
  // none was: this one then closed during Start.
  int32_t RunningCopy() const;
  // The unit must not go on showing conditions nobody watches: when the port is open,
  // the all-off frame goes out and the port is closed. For the end of the program, when
  // no link works any more.
  void SwitchUnitOff();

  TElMainForm* form;

  // Child schemes, each reached through its outer side.
  TElMultiElement* lamp_group;
  TElMultiElement* selection_panel;
  TElMultiElement* cpu_load_panel;         // condition panel of event type 0
  TElMultiElement* disk_present_panel;     // event type 1
  TElMultiElement* free_disk_panel;        // event type 2
  TElMultiElement* used_disk_panel;        // event type 3
  TElMultiElement* memory_panels[4];       // event types 4..7: free and used RAM, free and used swap
  TElMultiElement* day_time_panel;         // event type 8
  TElMultiElement* internet_panel;         // event type 9
  TElMultiElement* keyboard_layout_panel;  // event type 10
  TElMultiElement* debug_window;
  TElMultiElement* about_window;
  TElMultiElement* autostart;
  TElMultiElement* button_frame;
  TElMultiElement* port_panel;
  TElMultiElement* guard;
  TElMultiElement* locator;
  TElMultiElement* change_collector;
  TElMultiElement* sensor_hub;
  TElMultiElement* sequencer;
  TElMultiElement* frame_builder;
  TElMultiElement* condition_selector;
  TElMultiElement* mode_geometry;

  TElBitBtn* setup_button;
  TElBitBtn* about_button;
  TElCheckBox* autostart_box;
  TElBitBtn* exit_button;
  TElBitBtn* debug_button;
  TElBitBtn* work_button;
  TElComboBox* event_list;

  TElini* signal_read;
  TElini* var1_read;
  TElini* var2_read;
  TElini* writer;
  TElMemory* current_channel;
  TElHub* work_hub;
  TElMemory* mode;  // 1 setup, 0 work, empty before the first mode
  TElMemory* var1;
  TElMemory* var2;
  TElIndexToChanel* var1_router;
  TElIndexToChanel* var2_router;
  TElGetIndexData* state_selector;
  TElGetIndexData* text_selector;
  TElGetIndexData* var1_selector;  // the Var1 each panel holds, for the writer
  TElGetIndexData* var2_selector;  // the Var2 each panel holds, for the writer
  TElGetIndexData* key_selector;
  TElGetIndexData* value_selector;
  TElTimer* cycle_timer;
  TElTrayIcon* tray;
  TElPopupMenu* tray_menu;
  TElIndexToChanel* tray_buttons;  // the icon's mouse buttons: 0 left, 1 right
  TElIndexToChanel* tray_items;    // the menu's items, separators counted
  TElIf_else* mode_check;
  TElConvertor* first_to_value;
  TElConvertor* first_to_char;
  TElConvertor* second_to_value;
  TElConvertor* second_to_char;
  TElBitmapArray* setup_faces;
  TElArrayRW* setup_face;
  TElStrList* default_text;
  TElSwitch* debug_switch;
  TElSwitch* blink_phase;
  TElFor* all_channels;
  // The current channel's event type, 0..10, or -1 for a Signal that names none: what
  // the list shows, kept here so that the routers never read the list back.
  TElMemory* event_type;

 private:
  // Which value point of the locator each reader of the settings file takes its path
  // from.
  enum PathReader : uint16_t { kDefaultsPath, kPortPath, kSignalPath, kVar1Path, kVar2Path, kWriterPath };

  // The rooms of the scheme, built in this order. Each creates what only it uses and
  // links it to what the earlier rooms made.
  void BuildWindow();
  void BuildHiddenSchemes();
  void BuildSharedPoints();
  void WireStartUp();
  void WireTrayAndSmallWindows();
  void WireModes();
  void WireChannelEvaluation();
  void WireFrameOutput();
  void WireConditionPanels();
  void WireWriting();

  // Points several rooms lead into.
  TElHub* setup_hub_ = nullptr;    // enter setup mode
  TElHub* channel_hub_ = nullptr;  // evaluate the channel of the value
  TElHub* select_hub_ = nullptr;   // a fresh sample, then evaluate the channel
  TElHub* type_hub_ = nullptr;     // show the event type's panel and read its parameters
  TElHub* pick_hub_ = nullptr;     // the user picked an event type
};

}  // namespace lumi
