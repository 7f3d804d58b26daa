#include "platform/win32ui/win32_ui.h"

#include <algorithm>

#include "platform/event_loop.h"
#include "platform/message_line.h"
#include "platform/services.h"
#include "platform/win32ui/caption_room.h"
#include "platform/win32ui/common_controls.h"
#include "platform/win32ui/wide_text.h"
#include "platform/win32ui/win32_control.h"
#include "runtime/cp1251.h"

namespace lumi::platform::win32ui {

namespace {

constexpr wchar_t kTrayClass[] = L"LumiscopeTray";
constexpr UINT kTrayMessage = WM_APP + 20;
constexpr UINT kTrayId = 1;
// Hints of several lines wrap at this width.
constexpr int kTipWidth = 400;

template <size_t N>
void CopyTip(wchar_t (&to)[N], const std::wstring& from) {
  const size_t length = std::min(from.size(), N - 1);
  std::copy_n(from.begin(), length, to);
  to[length] = L'\0';
}

}  // namespace

Win32Ui::Win32Ui() {
  Win32Control::RegisterClasses();
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &Win32Ui::TrayProcedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kTrayClass;
  RegisterClassExW(&window_class);
  // A hidden top-level window rather than a message-only one: the menu it owns must be
  // able to take the foreground, or it would not close when the user clicks elsewhere.
  tray_window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kTrayClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  if (tray_window_ != nullptr)
    SetWindowLongPtrW(tray_window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Ui::~Win32Ui() {
  HideTrayIcon();
  if (tray_icon_ != nullptr) DestroyIcon(tray_icon_);
  if (tooltips_ != nullptr) DestroyWindow(tooltips_);
  if (tray_window_ != nullptr) DestroyWindow(tray_window_);
}

bool Win32Ui::DisplayAvailable() {
  HWND probe = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  if (probe == nullptr) return false;
  DestroyWindow(probe);
  return true;
}

std::unique_ptr<Control> Win32Ui::Create(ControlKind kind, Control* parent, ControlEvents* events) {
  return std::make_unique<Win32Control>(*this, kind, dynamic_cast<Win32Control*>(parent), events);
}

Size Win32Ui::ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

Control* Win32Ui::ActiveForm() {
  Win32Control* control = Win32Control::FromWindow(GetActiveWindow());
  return control != nullptr && control->Kind() == ControlKind::Form ? control : nullptr;
}

void Win32Ui::MessageBox(const std::string& text, const std::string& caption) {
  if (message_box_open_) {
    WriteMessageLine(cp1251::ToUtf8(caption) + ": " + cp1251::ToUtf8(text));
    return;
  }
  message_box_open_ = true;
  // Over the active window of ours; without one the box has its own taskbar entry.
  HWND owner = GetActiveWindow();
  if (Win32Control::FromWindow(owner) == nullptr) owner = nullptr;
  {
    CaptionRoom room;
    MessageBoxW(owner, ToWide(text).c_str(), ToWide(caption).c_str(),
                MB_OK | (owner == nullptr ? MB_TOPMOST : 0));
  }
  message_box_open_ = false;
}

HWND Win32Ui::Tooltips() {
  if (tooltips_ == nullptr) {
    tooltips_ = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (tooltips_ != nullptr) SendMessageW(tooltips_, TTM_SETMAXTIPWIDTH, 0, kTipWidth);
  }
  return tooltips_;
}

void Win32Ui::FormCreated(HWND form, bool owned) {
  if (!owned && main_form_ == nullptr) main_form_ = form;
}

void Win32Ui::FormDestroyed(HWND form) {
  if (form == main_form_) main_form_ = nullptr;
}

void Win32Ui::EndSession() {
  if (EventLoop* loop = Current().loop) loop->EndNow();
}

bool Win32Ui::HasTray() {
  // The notification area lives in the taskbar's window.
  return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
}

void Win32Ui::ShowTrayIcon(const Picture& icon, const std::string& tip, TrayEvents* events) {
  if (tray_window_ == nullptr) return;
  tray_events_ = events;
  HICON created = CreatePictureIcon(icon);
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = tray_window_;
  data.uID = kTrayId;
  data.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
  data.uCallbackMessage = kTrayMessage;
  data.hIcon = created != nullptr ? created : LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  if (data.hIcon == nullptr)
    data.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // the application icon
  CopyTip(data.szTip, ToWide(tip));
  if (!tray_added_ || !Shell_NotifyIconW(NIM_MODIFY, &data))
    tray_added_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  if (tray_icon_ != nullptr) DestroyIcon(tray_icon_);
  tray_icon_ = created;
}

void Win32Ui::HideTrayIcon() {
  tray_events_ = nullptr;
  if (!tray_added_) return;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = tray_window_;
  data.uID = kTrayId;
  Shell_NotifyIconW(NIM_DELETE, &data);
  tray_added_ = false;
}

void Win32Ui::ReportTray(LPARAM mouse_message) {
  if (tray_events_ == nullptr) return;
  switch (LOWORD(mouse_message)) {
    case WM_MOUSEMOVE: tray_events_->TrayMouseMessage(TrayMouse::Move); break;
    case WM_LBUTTONDOWN: tray_events_->TrayMouseMessage(TrayMouse::LeftDown); break;
    case WM_LBUTTONUP: tray_events_->TrayMouseMessage(TrayMouse::LeftUp); break;
    case WM_LBUTTONDBLCLK: tray_events_->TrayMouseMessage(TrayMouse::LeftDouble); break;
    case WM_RBUTTONDOWN: tray_events_->TrayMouseMessage(TrayMouse::RightDown); break;
    case WM_RBUTTONUP: tray_events_->TrayMouseMessage(TrayMouse::RightUp); break;
    case WM_RBUTTONDBLCLK: tray_events_->TrayMouseMessage(TrayMouse::RightDouble); break;
    default: break;
  }
}

LRESULT CALLBACK Win32Ui::TrayProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* ui = reinterpret_cast<Win32Ui*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (ui != nullptr && message == kTrayMessage && wparam == kTrayId) {
    ui->ReportTray(lparam);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

// The menu keeps the system's own font and look, not the main window's font: a tray
// menu looks like every other one on the desktop, and follows the user's theme, menu
// font, scaling and high-contrast settings, which an owner-drawn one would have to copy.
int32_t Win32Ui::PopupMenu(const std::vector<MenuItem>& items) {
  if (items.empty() || tray_window_ == nullptr) return -1;
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return -1;
  std::vector<HBITMAP> pictures;
  for (size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = items[i];
    const UINT id = static_cast<UINT>(i + 1);  // 0 is "nothing chosen"
    if (item.separator) {
      AppendMenuW(menu, MF_SEPARATOR, id, nullptr);
      continue;
    }
    const std::wstring text = ToWide(item.text);
    AppendMenuW(menu, MF_STRING, id, text.c_str());
    if (HBITMAP picture = CreatePictureBitmap(item.picture)) {
      pictures.push_back(picture);
      MENUITEMINFOW info{};
      info.cbSize = sizeof(info);
      info.fMask = MIIM_BITMAP;
      info.hbmpItem = picture;
      SetMenuItemInfoW(menu, id, FALSE, &info);
    }
  }
  POINT at{};
  GetCursorPos(&at);
  // The menu closes when the user clicks elsewhere only if its window is in front.
  SetForegroundWindow(tray_window_);
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                       at.x, at.y, 0, tray_window_, nullptr));
  PostMessageW(tray_window_, WM_NULL, 0, 0);
  DestroyMenu(menu);
  for (HBITMAP picture : pictures) DeleteObject(picture);
  if (chosen == 0 || chosen > items.size() || items[chosen - 1].separator) return -1;
  return static_cast<int32_t>(chosen - 1);
}

}  // namespace lumi::platform::win32ui
