#include "app/program.h"

#include <cstdio>
#include <memory>

#include "runtime/event.h"
#include "scheme/main_scheme.h"

namespace lumi::app {

void RunProgram(platform::EventLoop& loop, bool unattended) {
  auto scheme = std::make_unique<MainScheme>();
  scheme->Start();
  // A second copy closes during Start; there is nothing left to set up then.
  if (unattended && scheme->InSetupMode()) scheme->EnterWorkMode();
  loop.Run();
  // No element may answer a late call while the scheme goes.
  DisableDispatchers();
  scheme->SwitchUnitOff();
  if (const int32_t running = scheme->RunningCopy(); running > 0 && unattended) {
    std::fprintf(stderr, "lumiscope: already running as process %d; this start ends\n", running);
  }
  scheme.reset();
}

}  // namespace lumi::app
