#pragma once

#include "platform/event_loop.h"

namespace lumi::app {

// The program's life on a loop that is already installed with its window system:
// build the main scheme, start it, run the loop until the program ends, destroy it.
// `unattended`: nobody is there to set the program up, so a first start goes on in work
// mode with the default settings instead of waiting in setup mode.
void RunProgram(platform::EventLoop& loop, bool unattended);

}  // namespace lumi::app
