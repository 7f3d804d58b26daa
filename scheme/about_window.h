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
class TClassChildForm_14CDB18 : public Container {
 public:
  // `parent`: the main window, which owns this one.
  explicit TClassChildForm_14CDB18(TElement* parent);

  TElMainForm* form;
  TElEditMulti* edit;
  TElMemo* text;
};
using AboutWindow = TClassChildForm_14CDB18;

}  // namespace lumi
