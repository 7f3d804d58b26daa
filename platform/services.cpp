#include "platform/services.h"

#include <string_view>

#include "platform/clock.h"
#include "platform/event_loop.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/message_line.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/sensors.h"
#include "platform/serial.h"
#include "platform/system.h"
#include "platform/ui.h"
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
    WriteMessageLine(cp1251::ToUtf8(caption) + ": " + cp1251::ToUtf8(text));
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

class NoFiles final : public Files {
 public:
  bool Replace(const std::string&, std::string_view) override { return false; }
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
  bool Reachable(const std::string&, int32_t) override { return false; }
};

class NoControl final : public Control {
 public:
  void SetGeometry(const Rect& rect) override { rect_ = rect; }
  Rect Geometry() override { return rect_; }
  void SetVisible(bool) override {}
  void SetEnabled(bool) override {}
  void SetColor(Color) override {}
  void SetFont(const FontSpec&) override {}
  void SetHint(const std::string&) override {}
  void SetTabOrder(int32_t) override {}
  void RaiseToTop() override {}
  void Repaint() override {}
  void SetText(const std::string&) override {}
  void SetItems(const std::vector<std::string>&) override {}
  void SetSelection(int32_t) override {}
  void SetChecked(bool) override {}
  void SetDateTime(const CalendarTime&) override {}
  void SetDatePickerStyle(const DatePickerStyle&) override {}
  void SetScrollBars(int32_t) override {}
  void SetBorderStyle(int32_t) override {}
  void SetIcon(const Picture&) override {}
  void SetOpacity(uint8_t) override {}
  void SetClientSize(Size size) override {
    rect_.width = size.width;
    rect_.height = size.height;
  }
  void Activate() override {}
  void ShowMinimized() override {}
  void BeginDragMove() override {}

 private:
  Rect rect_;
};

class NoUi final : public Ui {
 public:
  std::unique_ptr<Control> Create(ControlKind, Control*, ControlEvents*) override {
    return std::make_unique<NoControl>();
  }
  Size ScreenSize() override { return {}; }
  Control* ActiveForm() override { return nullptr; }
  void MessageBox(const std::string&, const std::string&) override {}
  bool HasTray() override { return false; }
  void ShowTrayIcon(const Picture&, const std::string&, TrayEvents*) override {}
  void HideTrayIcon() override {}
  int32_t PopupMenu(const std::vector<MenuItem>&) override { return -1; }
};

Services Defaults() {
  static NoClock clock;
  static NoSystem system;
  static StderrMessageBox message_box;
  static NoLoop loop;
  static NoSerial serial;
  static NoProfile profile;
  static NoFiles files;
  static NoRegistry registry;
  static NoProcessors processors;
  static NoMemory memory;
  static NoDrives drives;
  static NoKeyboard keyboard;
  static NoResolver resolver;
  static NoUi ui;
  return Services{&clock,    &system,     &message_box, &loop,   &serial,   &profile,  &files,
                  &registry, &processors, &memory,      &drives, &keyboard, &resolver, &ui};
}

}  // namespace

Services& Current() {
  static Services services = Defaults();
  return services;
}

void ResetServices() { Current() = Defaults(); }

}  // namespace lumi::platform
