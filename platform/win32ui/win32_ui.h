#pragma once

#include <memory>
#include <string>

#include "platform/ui.h"
#include "platform/win32ui/gdi_objects.h"
#include "platform/windows/win32.h"

namespace lumi::platform::win32ui {

class Win32Control;

// The window system on the Win32 API: standard controls, GDI, the notification area.
// Its windows are served by the program's one message loop (MessageLoop), which
// dispatches their messages beside the loop's own timers.
class Win32Ui final : public Ui {
 public:
  Win32Ui();
  ~Win32Ui() override;
  Win32Ui(const Win32Ui&) = delete;
  // Whether windows can be made at all: Wine without a display refuses every
  // top-level window.
  static bool DisplayAvailable();
  Win32Ui& operator=(const Win32Ui&) = delete;

  std::unique_ptr<Control> Create(ControlKind kind, Control* parent, ControlEvents* events) override;
  Size ScreenSize() override;
  Control* ActiveForm() override;
  // One box at a time: a box asked for while one is open (a timer ticks on under a
  // modal box) is written as a message line instead of stacking on the first.
  void MessageBox(const std::string& text, const std::string& caption) override;
  bool HasTray() override;
  void ShowTrayIcon(const Picture& icon, const std::string& tip, TrayEvents* events) override;
  void HideTrayIcon() override;
  int32_t PopupMenu(const std::vector<MenuItem>& items) override;

  // ---- For the controls --------------------------------------------------------
  BrushCache& Brushes() { return brushes_; }
  // The one tooltip window that shows every hint.
  HWND Tooltips();
  // The first form without an owner: the main window, which boxes and menus belong to.
  HWND MainForm() const { return main_form_; }
  void FormCreated(HWND form, bool owned);
  void FormDestroyed(HWND form);
  // The session ends (log-off, shut-down): the program's loop ends it at once.
  void EndSession();

 private:
  static LRESULT CALLBACK TrayProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void ReportTray(LPARAM mouse_message);

  BrushCache brushes_;
  HWND tooltips_ = nullptr;
  HWND main_form_ = nullptr;
  HWND tray_window_ = nullptr;  // receives the icon's messages and owns the menus
  bool tray_added_ = false;
  HICON tray_icon_ = nullptr;
  TrayEvents* tray_events_ = nullptr;
  bool message_box_open_ = false;
};

}  // namespace lumi::platform::win32ui
