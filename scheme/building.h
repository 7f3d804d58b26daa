#pragma once

#include <cstdint>

#include "elements/compute/hub.h"
#include "elements/window/main_form.h"
#include "runtime/container.h"
#include "runtime/multi_element.h"

namespace lumi {

// The small steps every container repeats while it builds itself.

inline TElHub* SetUpHub(TElHub* hub, uint8_t inputs, uint8_t outputs) {
  hub->InCount = inputs;
  hub->SetOutCount(outputs);
  return hub;
}

inline TElHub* SetUpHub(TElHub* hub, uint8_t outputs) { return SetUpHub(hub, 1, outputs); }

template <class Control>
Control* Place(Control* control, int32_t left, int32_t top, int32_t width, int32_t height) {
  control->Left = left;
  control->Top = top;
  control->Width = width;
  control->Height = height;
  return control;
}

// A control's place in its parent.
struct Box {
  int32_t left;
  int32_t top;
  int32_t width;
  int32_t height;
};

template <class Control>
Control* Place(Control* control, const Box& box) {
  return Place(control, box.left, box.top, box.width, box.height);
}

// Makes `multi` the outer side of a child scheme living in `parent` with the given
// number of events and data inputs; `on_demand` builds it at its first call.
inline TElMultiElement* Nest(TElMultiElement* multi, TElement* parent, Creator creator, size_t events,
                             size_t data, bool on_demand = false) {
  multi->parent = parent;
  multi->CreateOnDemand = on_demand;
  multi->OnEvent.Resize(events);
  multi->InData.Resize(data);
  multi->SetCreator(std::move(creator));
  return multi;
}

// The owner of a small window of the program: its form is owned by the main window;
// anything else given as the parent would make that window the program's main window,
// which must never happen.
inline TElMainForm* OwnerFormOf(TElement* parent) {
  if (auto* form = dynamic_cast<TElMainForm*>(parent)) return form;
  return TElMainForm::MainWindow();
}

}  // namespace lumi
