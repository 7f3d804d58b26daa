#include "platform/windows/install.h"

#include "platform/background_resolver.h"
#include "platform/services.h"
#include "platform/windows/win32.h"
#include "platform/windows/windows_clock.h"
#include "platform/windows/windows_drives.h"
#include "platform/windows/windows_files.h"
#include "platform/windows/windows_profile.h"
#include "platform/windows/windows_registry.h"
#include "platform/windows/windows_sensors.h"
#include "platform/windows/windows_serial.h"
#include "platform/windows/windows_system.h"

namespace lumi::platform::windows_backend {

void Install() {
  // A drive without its disk answers "not there" instead of asking the person to
  // insert one.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  static WindowsClock clock;
  static WindowsSystem system;
  static WindowsRegistry registry;
  static WindowsKeyboard keyboard;
  static BackgroundResolver resolver;
  static WindowsSerial serial;
  static WindowsProfile profile;
  static WindowsFiles files;
  static WindowsProcessors processors;
  static WindowsMemory memory;
  static WindowsDrives drives;
  Services& services = Current();
  services.clock = &clock;
  services.system = &system;
  services.registry = &registry;
  services.keyboard = &keyboard;
  services.resolver = &resolver;
  services.serial = &serial;
  services.profile = &profile;
  services.files = &files;
  services.processors = &processors;
  services.memory = &memory;
  services.drives = &drives;
}

}  // namespace lumi::platform::windows_backend
