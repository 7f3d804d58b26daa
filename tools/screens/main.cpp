// lumiscope-screens OUTDIR: builds the program's main scheme on the Qt backend with a
// fresh settings folder and saves what a person would see, step by step, as PNG files.
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/linux/install.h"
#include "platform/linux/linux_serial.h"
#include "platform/linux/linux_system.h"
#include "platform/moved_system.h"
#include "platform/qt/qt_control.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_ui.h"
#include "platform/services.h"
#include "platform/single_message_box.h"
#include "runtime/event.h"
#include "scheme/about_window.h"
#include "scheme/debug_window.h"
#include "scheme/main_scheme.h"

namespace {

namespace fs = std::filesystem;
using lumi::platform::qt_backend::QtControl;

// Lets the window system map and paint what changed.
void Settle(int ms = 300) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

QWidget* WidgetOf(lumi::TElWin* window) {
  auto* control = static_cast<QtControl*>(window->PlatformControl());
  return control == nullptr ? nullptr : control->Widget();
}

// As the user picks an entry: the toolkit reports only picks, not programmatic changes.
void PickEventType(lumi::MainScheme& scheme, int type) {
  auto* combo = static_cast<QComboBox*>(WidgetOf(scheme.event_list));
  combo->setCurrentIndex(type);
  emit combo->activated(type);
}

// A left click in the middle of a picture button, which is a plain widget of ours.
void Press(lumi::TElWin* button) {
  QWidget* widget = WidgetOf(button);
  const QPointF middle(widget->width() / 2.0, widget->height() / 2.0);
  const QPointF global = widget->mapToGlobal(middle);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, middle, global, Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
  }
}

template <class Window>
lumi::TElMainForm* FormOf(lumi::TElMultiElement* multi) {
  auto* inner = multi->Inner();
  return inner == nullptr ? nullptr : static_cast<Window*>(inner->container)->form;
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
  lumi::platform::linux_backend::LinuxSystem real_system;
  lumi::platform::MovedSystem system(real_system, folder.string() + "/", "lumiscope");
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
    // Each condition panel as the user sees it after picking its event type, and the
    // column of panels of all eleven side by side in one picture.
    const QRect column(315, 0, 235, 590);
    QImage panels(column.width() * 6, column.height() * 2, QImage::Format_RGB32);
    panels.fill(Qt::white);
    QPainter painter(&panels);
    for (int type = 0; type < lumi::MainScheme::kEventTypes; ++type) {
      PickEventType(*scheme, type);
      Settle(200);
      const QPoint place(column.width() * (type % 6), column.height() * (type / 6));
      painter.drawPixmap(place, WidgetOf(scheme->form)->grab(column));
      if (type > 0)
        ok &= Save(scheme->form, (out / ("setup-type-" + std::to_string(type) + ".png")).string());
    }
    painter.end();
    const std::string panels_path = (out / "condition-panels.png").string();
    if (panels.save(QString::fromStdString(panels_path), "PNG")) std::printf("%s\n", panels_path.c_str());
    PickEventType(*scheme, 0);
    Press(scheme->debug_button);
    Settle();
    if (auto* debug = FormOf<lumi::DebugWindow>(scheme->debug_window)) {
      ok &= Save(debug, (out / "debug-window.png").string());
    }
    Press(scheme->about_button);
    Settle();
    if (auto* about = FormOf<lumi::AboutWindow>(scheme->about_window)) {
      ok &= Save(about, (out / "about-window.png").string());
    }
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
