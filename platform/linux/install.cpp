#include "platform/linux/install.h"

#include "platform/linux/linux_clock.h"
#include "platform/linux/linux_system.h"
#include "platform/services.h"

namespace lumi::platform::linux_backend {

void Install() {
  static LinuxClock clock;
  static LinuxSystem system;
  Current().clock = &clock;
  Current().system = &system;
}

}  // namespace lumi::platform::linux_backend
