#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// The program's own executable.
class TElApplication : public TElement {
 public:
  // The application title shown by the window system. Nothing on Linux reads it: the
  // main window's caption names the program there.
  Text Title;

  TEl_Event OnRunningCopy;  // integer: the process id of the copy that was asked

  // The full path of the running executable (empty when it cannot be found).
  void OutFileName(TData& result, uint16_t index);

  // Asks the copy of this program that already runs to bring its window forward, and
  // reports it through OnRunningCopy; nothing when there is none.
  void ShowRunningCopy(TData& data, uint16_t index);

  // Tells the person who started the program the text of the value (see
  // platform::MessageBox::Notice); the value goes on through OnNotice.
  TEl_Event OnNotice;
  void Notice(TData& data, uint16_t index);
};

}  // namespace lumi
