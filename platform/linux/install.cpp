#include "platform/linux/install.h"

#include "platform/linux/ini_profile.h"
#include "platform/linux/linux_clock.h"
#include "platform/linux/linux_drives.h"
#include "platform/linux/linux_files.h"
#include "platform/linux/linux_memory.h"
#include "platform/linux/linux_processors.h"
#include "platform/linux/linux_registry.h"
#include "platform/linux/linux_resolver.h"
#include "platform/linux/linux_serial.h"
#include "platform/linux/linux_system.h"
#include "platform/linux/x11_keyboard.h"
#include "platform/linux/xdg_folders.h"
#include "platform/services.h"

namespace lumi::platform::linux_backend {

void Install(const AutostartLook& look) {
  static LinuxClock clock;
  static LinuxSystem system;
  static LinuxRegistry registry(ConfigHome(), DataHome());
  registry.SetAutostartLook(look);
  static LinuxKeyboard keyboard;
  static LinuxResolver resolver;
  static LinuxSerial serial(system.SettingsFolder());
  static IniProfile profile;
  static LinuxFiles files;
  static LinuxProcessors processors;
  static LinuxMemory memory;
  static LinuxDrives drives(system.SettingsFolder());
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

}  // namespace lumi::platform::linux_backend
