#pragma once

#include <QPointer>
#include <QWidget>

namespace lumi::platform::qt_backend {

// While an element is being told about an event, a control it destroys may still be
// on the call stack: its widget is hidden at once and goes away once Qt is done with
// the event. A report may run a modal loop (a message box, a menu) in which other
// reports come and go, so the widgets wait for the outermost report to end and are
// handed to the event loop that delivered it: a loop nested inside the report never
// deletes a widget whose event handling is still on the stack beneath it.
class ReportScope {
 public:
  ReportScope();
  ~ReportScope();
  ReportScope(const ReportScope&) = delete;
  ReportScope& operator=(const ReportScope&) = delete;

  static bool Active();
  // Deleted when the outermost report ends (or by DeleteNow).
  static void DeleteLater(QWidget* widget);
  // What still waits, at once: for the end of the window system.
  static void DeleteNow();
};

}  // namespace lumi::platform::qt_backend
