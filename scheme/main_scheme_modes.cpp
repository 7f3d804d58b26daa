// The main scheme's two modes: setup (the whole window, the cycle stopped) and work
// (the rows and a row of buttons, the cycle running).
#include "resources/pictures.h"
#include "scheme/building.h"
#include "scheme/main_scheme.h"

namespace lumi {
namespace {

TElDoData* Constant(TElDoData* element, TData value) {
  element->Data = std::move(value);
  return element;
}

}  // namespace

void MainScheme::WireModes() {
  TElHub* blink_reset_hub = SetUpHub(Create<TElHub>(), 6);
  // Entering setup mode shows every row's own description, not just the first one's.
  TElHub* all_channels_hub = SetUpHub(Create<TElHub>(), 2);
  all_channels = Create<TElFor>();
  all_channels->Start = 0;
  all_channels->End = kChannels;
  all_channels->Step = 1;
  // The setup button's face index doubles as its enabled flag: 0 disabled with face 0,
  // 1 enabled with face 1.
  TElDoData* setup_face_index = Constant(Create<TElDoData>(), TData::Integer(0));
  TElDoData* work_face_index = Constant(Create<TElDoData>(), TData::Integer(1));
  TElHub* face_hub = SetUpHub(Create<TElHub>(), 2);
  TElDoData* setup_mode_value = Constant(Create<TElDoData>(), TData::Integer(1));
  TElDoData* work_mode_value = Constant(Create<TElDoData>(), TData::Integer(0));
  TElDoData* no_panel = Constant(Create<TElDoData>(), TData::Integer(-1));
  setup_faces = Create<TElBitmapArray>();
  setup_faces->Items = {resources::Picture("BITMAP3"), resources::Picture("BITMAP4")};
  setup_face = Create<TElArrayRW>();

  setup_button->OnClick = Link<&TElHub::Pass>(setup_hub_);
  work_button->OnClick = Link<&TElHub::Pass>(work_hub);

  // The mode first: what follows shows the panels, which only setup mode does.
  setup_hub_->OnPass[0] = Link<&TElDoData::Send>(setup_mode_value);
  setup_hub_->OnPass[1] = Link<&TElMultiElement::Work>(frame_builder, 2);
  setup_hub_->OnPass[2] = Link<&TElTimer::Stop>(cycle_timer);
  setup_hub_->OnPass[3] = Link<&TElMultiElement::Work>(mode_geometry, 0);
  setup_hub_->OnPass[4] = Link<&TElHub::Pass>(all_channels_hub);
  setup_hub_->OnPass[5] = Link<&TElMultiElement::Work>(selection_panel, 0);
  setup_hub_->OnPass[6] = Link<&TElDoData::Send>(setup_face_index);
  setup_hub_->OnPass[7] = Link<&TElHub::Pass>(blink_reset_hub);
  all_channels_hub->OnPass[0] = Link<&TElMultiElement::Work>(sensor_hub, 0);
  all_channels_hub->OnPass[1] = Link<&TElFor::Run>(all_channels);
  all_channels->OnIteration = Link<&TElHub::Pass>(channel_hub_);
  for (int i = 0; i < 4; ++i) blink_reset_hub->OnPass[i] = Link<&TElMultiElement::Work>(memory_panels[i], 2);
  blink_reset_hub->OnPass[4] = Link<&TElMultiElement::Work>(day_time_panel, 2);
  blink_reset_hub->OnPass[5] = Link<&TElSwitch::Reset>(blink_phase);

  work_hub->OnPass[0] = Link<&TElTimer::Start>(cycle_timer);
  work_hub->OnPass[1] = Link<&TElMultiElement::Work>(mode_geometry, 1);
  work_hub->OnPass[2] = Link<&TElDoData::Send>(work_face_index);
  work_hub->OnPass[3] = Link<&TElDoData::Send>(work_mode_value);
  // The debug window belongs to setup mode: its button goes, and so does the window.
  work_hub->OnPass[4] = Link<&TElSwitch::Reset>(debug_switch);
  // So do the condition panels, out of sight in the small window: none is shown, so
  // none keeps a clock running, and the cycle never shows one again.
  work_hub->OnPass[5] = Link<&TElDoData::Send>(no_panel);

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
  no_panel->OnSend = Link<&TElMultiElement::Work>(condition_selector, 0);
}

}  // namespace lumi
