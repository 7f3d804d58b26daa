#pragma once

#include <cstdint>

#include "elements/compute/hub.h"
#include "elements/window/main_form.h"

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

// The owner of a small window of the program: its form is owned by the main window;
// anything else given as the parent would make that window the program's main window,
// which must never happen.
inline TElMainForm* OwnerFormOf(TElement* parent) {
  if (auto* form = dynamic_cast<TElMainForm*>(parent)) return form;
  return TElMainForm::MainWindow();
}

}  // namespace lumi
