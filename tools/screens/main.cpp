// lumiscope-screens OUTDIR: builds the program's main scheme on the Qt backend with a
// fresh settings folder and saves what a person would see, step by step, as PNG files.
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>

#include "platform/linux/install.h"
#include "platform/linux/linux_serial.h"
#include "platform/linux/linux_system.h"
#include "platform/qt/qt_control.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_ui.h"
#include "platform/services.h"
#include "platform/single_message_box.h"
#include "runtime/event.h"
#include "scheme/main_scheme.h"

namespace {

namespace fs = std::filesystem;
using lumi::platform::qt_backend::QtControl;

// The real system, but the program's folder is a fresh one of ours: the first picture
// is a first start, and no settings file of a real installation is touched.
class FolderSystem final : public lumi::platform::System {
 public:
  explicit FolderSystem(std::string folder) : folder_(std::move(folder)) {}
  std::string ExecutablePath() override { return folder_ + "lumiscope"; }
  std::string ExecutableFolder() override { return folder_; }
  std::string WindowsFolder() override { return real_.WindowsFolder(); }
  std::string SystemFolder() override { return real_.SystemFolder(); }
  std::string TempFolder() override { return real_.TempFolder(); }
  lumi::platform::FileKind KindOf(const std::string& path) override { return real_.KindOf(path); }
  std::vector<std::string> ProcessExecutables() override { return {}; }

 private:
  lumi::platform::linux_backend::LinuxSystem real_;
  std::string folder_;
};

// Lets the window system map and paint what changed.
void Settle(int ms = 300) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool Save(lumi::TElWin* window, const std::string& path) {
  auto* control = static_cast<QtControl*>(window->PlatformControl());
  if (control == nullptr || !control->Widget()->grab().save(QString::fromStdString(path), "PNG")) {
    std::fprintf(stderr, "lumiscope-screens: cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("%s\n", path.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lumiscope-screens OUTDIR\n");
    return 2;
  }
  const fs::path out = argv[1];
  fs::create_directories(out);
  const fs::path folder = fs::temp_directory_path() / ("lumiscope-screens-" + std::to_string(getpid()));
  fs::create_directories(folder / "ports");  // no serial ports: nothing real is written to

  lumi::platform::linux_backend::Install();
  QApplication application(argc, argv);
  lumi::platform::qt_backend::QtUi ui;
  lumi::platform::qt_backend::QtEventLoop loop;
  lumi::platform::SingleMessageBox boxes(ui);
  FolderSystem system(folder.string() + "/");
  lumi::platform::linux_backend::LinuxSerial serial(folder.string() + "/");
  auto& services = lumi::platform::Current();
  services.ui = &ui;
  services.loop = &loop;
  services.message_box = &boxes;
  services.system = &system;
  services.serial = &serial;

  bool ok = true;
  {
    auto scheme = std::make_unique<lumi::MainScheme>();
    scheme->Start();
    Settle();
    ok &= Save(scheme->form, (out / "setup-mode.png").string());
    scheme->EnterWorkMode();
    Settle(1500);  // one cycle
    ok &= Save(scheme->form, (out / "work-mode.png").string());
    lumi::DisableDispatchers();
  }
  lumi::platform::ResetServices();
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return ok ? 0 : 1;
}
