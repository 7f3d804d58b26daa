#include "platform/services.h"

#include <cstdio>

#include "platform/clock.h"
#include "platform/event_loop.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/sensors.h"
#include "platform/serial.h"
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
  FileKind KindOf(const std::string&) override { return FileKind::Missing; }
  std::vector<std::string> ProcessExecutables() override { return {}; }
};

class StderrMessageBox final : public MessageBox {
 public:
  void Show(const std::string& text, const std::string& caption) override {
    std::fprintf(stderr, "%s: %s\n", cp1251::ToUtf8(caption).c_str(), cp1251::ToUtf8(text).c_str());
  }
};

class NoLoop final : public EventLoop {
 public:
  TimerId StartTimer(uint32_t, std::function<void()>) override { return ++last_; }
  void StopTimer(TimerId) override {}
  void Post(std::function<void()>) override {}
  void Run() override {}
  void Quit() override {}
  int64_t NowMs() override { return 0; }

 private:
  TimerId last_ = 0;
};

class NoSerial final : public Serial {
 public:
  std::unique_ptr<SerialPort> Open(int32_t, std::string_view, int32_t) override { return nullptr; }
};

class NoProfile final : public Profile {
 public:
  int32_t ReadInteger(const std::string&, const std::string&, const std::string&, int32_t fallback) override {
    return fallback;
  }
  std::string ReadString(const std::string&, const std::string&, const std::string&,
                         const std::string& fallback, size_t) override {
    return fallback;
  }
  bool WriteString(const std::string&, const std::string&, const std::string&, const std::string&) override {
    return false;
  }
};

class NoRegistry final : public Registry {
 public:
  std::optional<RegistryValue> Query(RegistryRoot, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  bool Set(RegistryRoot, const std::string&, const std::string&, const RegistryValue&) override {
    return false;
  }
  void Delete(RegistryRoot, const std::string&, const std::string&) override {}
};

class NoProcessors final : public Processors {
 public:
  int32_t Count() override { return 0; }
  std::vector<ProcessorTimes> Sample() override { return {}; }
};

class NoMemory final : public Memory {
 public:
  MemoryStatus Read() override { return {}; }
};

class NoDrives final : public Drives {
 public:
  uint32_t PresentMask() override { return 0; }
  DriveType TypeOf(char) override { return DriveType::NoRootDirectory; }
  std::optional<DriveSpace> SpaceOf(const std::string&) override { return std::nullopt; }
};

class NoKeyboard final : public Keyboard {
 public:
  int32_t ForegroundWindow() override { return 0; }
  int32_t LayoutOf(int32_t) override { return 0; }
};

class NoResolver final : public Resolver {
 public:
  bool Resolves(const std::string&, int32_t) override { return false; }
};

Services Defaults() {
  static NoClock clock;
  static NoSystem system;
  static StderrMessageBox message_box;
  static NoLoop loop;
  static NoSerial serial;
  static NoProfile profile;
  static NoRegistry registry;
  static NoProcessors processors;
  static NoMemory memory;
  static NoDrives drives;
  static NoKeyboard keyboard;
  static NoResolver resolver;
  return Services{&clock,    &system,     &message_box, &loop,   &serial,   &profile,
                  &registry, &processors, &memory,      &drives, &keyboard, &resolver};
}

}  // namespace

Services& Current() {
  static Services services = Defaults();
  return services;
}

void ResetServices() { Current() = Defaults(); }

}  // namespace lumi::platform
