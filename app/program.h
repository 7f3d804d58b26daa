#pragma once

#include "platform/event_loop.h"
#include "platform/ui.h"

namespace lumi::app {

// The program's life on a loop that is already installed with its window system:
// build the main scheme, start it, run the loop until the program ends, destroy it.
// `unattended`: nobody is there to set the program up, so a first start goes on in work
// mode with the default settings instead of waiting in setup mode.
void RunProgram(platform::EventLoop& loop, bool unattended);

// The program with a window: the loop quits on the usual signals, message boxes come
// one at a time on `ui`, and a person is there to set the program up.
void RunAttended(platform::EventLoop& loop, platform::Ui& ui);

}  // namespace lumi::app
