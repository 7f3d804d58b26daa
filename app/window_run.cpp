#include <QApplication>
#include <type_traits>

#include "app/backends.h"
#include "app/entry_note.h"
#include "app/program.h"
#include "platform/message_line.h"
#include "platform/qt/display.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_ui.h"

namespace lumi::app {
namespace {

// The toolkit's warnings go the way of every line the program writes: never waiting
// for a full stderr. Fatal ones still end the program after this.
void ToMessageLine(QtMsgType, const QMessageLogContext&, const QString& message) {
  platform::WriteMessageLine(message.toStdString());
}

bool RunWindowed(int argc, char** argv, bool info_only, int& exit_code) {
  qInstallMessageHandler(ToMessageLine);
  // Qt ends the process when its platform cannot connect: ask first.
  if (!platform::qt_backend::PrepareDisplay()) return false;
  QApplication application(argc, argv);
  platform::qt_backend::QtUi ui;
  if (info_only) {
    ui.MessageBox(NoteText(), NoteCaption());
    exit_code = 0;
    return true;
  }
  platform::qt_backend::QtEventLoop loop;
  RunAttended(loop, ui);
  exit_code = 0;
  return true;
}

}  // namespace
}  // namespace lumi::app

extern "C" __attribute__((visibility("default"))) bool lumiscope_run_windowed(int argc, char** argv,
                                                                              bool info_only,
                                                                              int* exit_code) {
  static_assert(std::is_same_v<decltype(&lumiscope_run_windowed), lumi::app::WindowEntry>);
  return lumi::app::RunWindowed(argc, argv, info_only, *exit_code);
}
