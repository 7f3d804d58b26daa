#include "platform/services.h"

#include <cstdio>

#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/system.h"
#include "runtime/cp1251.h"

namespace lumi::platform {
namespace {

class NoClock final : public Clock {
 public:
  CalendarTime LocalTime() override { return {}; }
};

class NoSystem final : public System {
 public:
  std::string ExecutablePath() override { return {}; }
  std::string ExecutableFolder() override { return {}; }
  std::string WindowsFolder() override { return {}; }
  std::string SystemFolder() override { return {}; }
  std::string TempFolder() override { return {}; }
};

class StderrMessageBox final : public MessageBox {
 public:
  void Show(const std::string& text, const std::string& caption) override {
    std::fprintf(stderr, "%s: %s\n", cp1251::ToUtf8(caption).c_str(), cp1251::ToUtf8(text).c_str());
  }
};

NoClock g_no_clock;
NoSystem g_no_system;
StderrMessageBox g_stderr_box;

Services Defaults() { return Services{&g_no_clock, &g_no_system, &g_stderr_box}; }

}  // namespace

Services& Current() {
  static Services services = Defaults();
  return services;
}

void ResetServices() { Current() = Defaults(); }

}  // namespace lumi::platform
