#pragma once

#include "elements/window/main_form.h"
#include "runtime/container.h"
#include "runtime/multi_element.h"

namespace lumi {

// The debug window: the two bytes of the last frame as binary text, for checking the
// output without the indicator unit. A small window without a caption bar, owned by
// the main window and moved by dragging its client area; built at its first call,
// hidden until shown.
//
// Work[0]: integer 0 hides the window, any other value (or none) shows it.
// Work[1]: the first byte's text. Work[2]: the second byte's text.
// OnEvent[0]: the user pressed Escape in the window (it asks to be closed).
// The fields take the texts whether the window is shown or not.
class DebugWindow : public Container {
 public:
  // `parent`: the main window, which owns this one.
  explicit DebugWindow(TElement* parent);

  TElMainForm* form;
  TElEditMulti* edit;
  TElMultiElement* second_byte;
  TElMultiElement* first_byte;
};

}  // namespace lumi
