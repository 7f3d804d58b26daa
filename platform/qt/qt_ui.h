#pragma once

#include <memory>

#include "platform/message_box.h"
#include "platform/ui.h"

class QFont;
class QString;
class QSystemTrayIcon;

namespace lumi::platform::qt_backend {

// The window system on Qt 6 Widgets. A QApplication must exist before it is made.
//
// It keeps the program running while no window is open (the program lives in the
// tray) and lays controls out with the Fusion style, whose drop-down lists open below
// the field as on Windows, so the look does not change with the desktop theme.
class QtUi final : public Ui {
 public:
  QtUi();
  ~QtUi() override;
  QtUi(const QtUi&) = delete;
  QtUi& operator=(const QtUi&) = delete;

  std::unique_ptr<Control> Create(ControlKind kind, Control* parent, ControlEvents* events) override;
  Size ScreenSize() override;
  Control* ActiveForm() override;

  // One box at a time: a box asked for while one is open (a timer ticks on under a
  // modal box) is written to stderr instead of stacking a second box on the first.
  void MessageBox(const std::string& text, const std::string& caption) override;

  bool HasTray() override;
  // The icon's clicks reach the element from the event loop, after the icon's own
  // mouse handling has finished: what the element does then (a menu, removing the
  // icon, which on X11 destroys the icon's window) never runs inside that handling.
  void ShowTrayIcon(const Picture& icon, const std::string& tip, TrayEvents* events) override;
  // Clicks on their way to the element are dropped with the icon.
  void HideTrayIcon() override;
  // In the main form's font (tooltips take it too: QtControl::SetFont).
  int32_t PopupMenu(const std::vector<MenuItem>& items) override;

  // A box's minimum width for its caption to fit the title bar: the caption in the
  // title font (bold, as most window managers set it, a little larger) and room for
  // an icon and three buttons.
  static int CaptionWidth(const QString& caption, const QFont& font);

 private:
  void ReportTray(int reason);

  std::unique_ptr<QSystemTrayIcon> tray_;
  TrayEvents* tray_events_ = nullptr;
  bool message_box_open_ = false;
};

// The program's message box service on the same boxes.
class QtMessageBox final : public platform::MessageBox {
 public:
  explicit QtMessageBox(QtUi& ui) : ui_(ui) {}
  void Show(const std::string& text, const std::string& caption) override { ui_.MessageBox(text, caption); }

 private:
  QtUi& ui_;
};

}  // namespace lumi::platform::qt_backend
