// The parts of a control that only a form has: its frame and flags, its size, its
// icon, and what the window system does to it (closing, activation, minimising, moving).
#include <algorithm>

#include "platform/win32ui/control_classes.h"
#include "platform/win32ui/gdi_objects.h"
#include "platform/win32ui/win32_control.h"
#include "platform/win32ui/win32_ui.h"

namespace lumi::platform::win32ui {

DWORD Win32Control::FormStyle(int32_t border_style) {
  constexpr DWORD kCaption = WS_CAPTION | WS_SYSMENU;
  switch (border_style) {
    case 0: return WS_POPUP | WS_CLIPCHILDREN;
    case 1: return WS_OVERLAPPED | kCaption | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    case 2: return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    case 3: return WS_OVERLAPPED | kCaption | WS_DLGFRAME | WS_CLIPCHILDREN;
    case 4: return WS_OVERLAPPED | kCaption | WS_CLIPCHILDREN;
    case 5: return WS_OVERLAPPED | kCaption | WS_THICKFRAME | WS_CLIPCHILDREN;
    case 6: return WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN;  // a frame without a title bar
    default: return WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN;
  }
}

DWORD Win32Control::FormExStyle(int32_t border_style, bool owned) {
  DWORD ex_style = WS_EX_CONTROLPARENT;
  if (border_style == 3) ex_style |= WS_EX_DLGMODALFRAME;
  if (border_style == 4 || border_style == 5) ex_style |= WS_EX_TOOLWINDOW;
  // A form without an owner has its taskbar entry even without a caption; an owned
  // one never has one.
  if (!owned) ex_style |= WS_EX_APPWINDOW;
  return ex_style;
}

HWND Win32Control::CreateForm() {
  // An owned form stays above its owner and has no taskbar entry of its own.
  HWND owner =
      parent_ != nullptr && parent_->window_ != nullptr ? GetAncestor(parent_->window_, GA_ROOT) : nullptr;
  HWND window = CreateWindowExW(FormExStyle(border_style_, owner != nullptr), kFormClass, L"",
                                FormStyle(border_style_), CW_USEDEFAULT, CW_USEDEFAULT, 200, 200, owner,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window != nullptr) ui_.FormCreated(window, owner != nullptr);
  return window;
}

void Win32Control::SetBorderStyle(int32_t style) {
  if (window_ == nullptr || !IsForm() || style < 0 || style > 7) return;
  border_style_ = style;
  const LONG_PTR visible = GetWindowLongPtrW(window_, GWL_STYLE) & (WS_VISIBLE | WS_MINIMIZE);
  SetWindowLongPtrW(window_, GWL_STYLE, static_cast<LONG_PTR>(FormStyle(style)) | visible);
  SetWindowLongPtrW(window_, GWL_EXSTYLE, FormExStyle(style, GetWindow(window_, GW_OWNER) != nullptr));
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Win32Control::SetIcon(const Picture& icon) {
  if (window_ == nullptr || !IsForm()) return;
  HICON created = CreatePictureIcon(icon);
  HICON shown = created;
  if (shown == nullptr) {
    // No usable picture: the window shows the main window's icon, or the program's.
    HWND main_form = ui_.MainForm();
    if (main_form != nullptr && main_form != window_)
      shown = reinterpret_cast<HICON>(SendMessageW(main_form, WM_GETICON, ICON_BIG, 0));
    if (shown == nullptr) shown = reinterpret_cast<HICON>(GetClassLongPtrW(window_, GCLP_HICON));
  }
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(shown));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(shown));
  if (icon_ != nullptr) DestroyIcon(icon_);
  icon_ = created;
}

void Win32Control::SetOpacity(uint8_t alpha) {
  if (window_ == nullptr || !IsForm()) return;
  const LONG_PTR ex_style = GetWindowLongPtrW(window_, GWL_EXSTYLE);
  if (alpha == 255) {
    SetWindowLongPtrW(window_, GWL_EXSTYLE, ex_style & ~WS_EX_LAYERED);
    return;
  }
  SetWindowLongPtrW(window_, GWL_EXSTYLE, ex_style | WS_EX_LAYERED);
  SetLayeredWindowAttributes(window_, 0, alpha, LWA_ALPHA);
}

void Win32Control::SetClientSize(Size size) {
  if (window_ == nullptr) return;
  RECT rect{0, 0, std::max(0, size.width), std::max(0, size.height)};
  if (IsForm()) {
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
  } else {
    geometry_.width = rect.right;
    geometry_.height = rect.bottom;
  }
  SetWindowPos(window_, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Control::Activate() {
  if (window_ == nullptr) return;
  HWND form = GetAncestor(window_, GA_ROOT);
  if (IsIconic(form)) ShowWindow(form, SW_RESTORE);
  SetForegroundWindow(form);
  BringWindowToTop(form);
}

void Win32Control::ShowMinimized() {
  // Minimising through here is the element's own doing and is not reported back.
  if (window_ != nullptr && IsForm()) ShowWindow(window_, SW_MINIMIZE);
}

void Win32Control::BeginDragMove() {
  if (window_ == nullptr) return;
  // The system moves the window as if its caption had been taken, until the button
  // is released.
  HWND form = GetAncestor(window_, GA_ROOT);
  ReleaseCapture();
  SendMessageW(form, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

bool ControlProcedures::Form(Win32Control& form, UINT message, WPARAM wparam, LPARAM lparam,
                             LRESULT& result) {
  ControlEvents* events = form.events_;
  switch (message) {
    case WM_CLOSE:
      // The element decides whether the window closes.
      if (events != nullptr) events->CloseRequested();
      result = 0;
      return true;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_MINIMIZE && events != nullptr) events->MinimizeRequested();
      return false;
    case WM_ACTIVATE:
      if (events != nullptr) events->Activated(LOWORD(wparam) != WA_INACTIVE);
      return false;
    case WM_SHOWWINDOW:
      // Shown by the program, not restored by the system.
      if (wparam != FALSE && lparam == 0 && events != nullptr) {
        result = DefWindowProcW(form.window_, message, wparam, lparam);
        events->Shown();
        return true;
      }
      return false;
    case WM_QUERYENDSESSION:
      // Nothing is left unsaved: the settings are written as they are chosen.
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      // Windows may end the process as soon as this returns: the program ends now,
      // as it does when it is told to from outside.
      if (wparam != FALSE && form.window_ == form.ui_.MainForm()) form.ui_.EndSession();
      result = 0;
      return true;
    case WM_DESTROY: form.ui_.FormDestroyed(form.window_); return false;
    default: return false;
  }
}

}  // namespace lumi::platform::win32ui
