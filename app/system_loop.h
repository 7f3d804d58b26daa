#pragma once

// The loop of a run without a window: each system's own.
#ifdef _WIN32
#include "platform/windows/message_loop.h"
namespace lumi::app {
using SystemLoop = platform::windows_backend::MessageLoop;
}
#else
#include "platform/headless/poll_loop.h"
namespace lumi::app {
using SystemLoop = platform::headless::PollLoop;
}
#endif
