// The entry sequence: build the main scheme, start it, run the loop, destroy it.
#include <cstdio>
#include <memory>

#include "app/load_scheme.h"
#include "platform/headless/poll_loop.h"
#include "platform/linux/install.h"
#include "platform/services.h"
#include "runtime/event.h"

int main() {
  lumi::platform::linux_backend::Install();
  // The loop outlives the scheme: its timers are stopped by the elements' destructors.
  lumi::platform::headless::PollLoop loop;
  loop.QuitOnSignals();
  lumi::platform::Current().loop = &loop;

  auto scheme = std::make_unique<lumi::LoadScheme>();
  scheme->Start();
  std::fprintf(stderr, "lumiscope: processor load once a second; Ctrl-C ends\n");
  loop.Run();
  lumi::DisableDispatchers();
  scheme.reset();
  return 0;
}
