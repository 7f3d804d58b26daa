#pragma once

#include "elements/window/main_form.h"
#include "elements/window/memo.h"
#include "runtime/container.h"

namespace lumi {

// The About window: the program's description (resource "Str2") in a multi-line
// field. Owned by the main window, built at its first call, hidden until shown;
// closing it only hides it.
//
// Work[0]: shows the window; the integer 0 hides it instead.
class AboutWindow : public Container {
 public:
  // `parent`: the main window, which owns this one.
  explicit AboutWindow(TElement* parent);

  TElMainForm* form;
  TElEditMulti* edit;
  TElMemo* text;
};

}  // namespace lumi
