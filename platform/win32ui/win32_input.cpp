// What the user does to a control, turned into the calls the element hears, and the
// standard controls' notifications handed from their parent to the control itself.

#include <memory>
#include <optional>

#include "platform/win32ui/common_controls.h"
#include "platform/win32ui/control_classes.h"
#include "platform/win32ui/gdi_objects.h"
#include "platform/win32ui/gdi_painter.h"
#include "platform/win32ui/wide_text.h"
#include "platform/win32ui/win32_control.h"

namespace lumi::platform::win32ui {

namespace {

std::optional<MouseButton> ButtonOf(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: return MouseButton::Left;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP: return MouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP: return MouseButton::Middle;
    default: return std::nullopt;
  }
}

int32_t HeldButton(WPARAM keys) {
  const WPARAM buttons = keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
  if (buttons == MK_LBUTTON) return 0;
  if (buttons == MK_RBUTTON) return 1;
  if (buttons == MK_MBUTTON) return 2;
  return kNoSingleButton;
}

int32_t HeldNow() {
  WPARAM keys = 0;
  if (GetKeyState(VK_LBUTTON) < 0) keys |= MK_LBUTTON;
  if (GetKeyState(VK_RBUTTON) < 0) keys |= MK_RBUTTON;
  if (GetKeyState(VK_MBUTTON) < 0) keys |= MK_MBUTTON;
  return HeldButton(keys);
}

Point PointOf(LPARAM lparam) { return {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}; }

CalendarTime ToCalendarTime(const SYSTEMTIME& time) {
  return {time.wYear,   time.wMonth,  time.wDay,          time.wHour,
          time.wMinute, time.wSecond, time.wMilliseconds, time.wDayOfWeek};
}

}  // namespace

void Win32Control::RegisterClasses() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX common{sizeof(common), ICC_DATE_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&common);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    // The program's icon from its resources, where the executable has one.
    HICON program_icon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    for (const wchar_t* name : {kFormClass, kGroupClass, kPaintedClass}) {
      WNDCLASSEXW window_class{};
      window_class.cbSize = sizeof(window_class);
      window_class.lpfnWndProc = &ControlProcedures::Own;
      window_class.hInstance = instance;
      window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
      window_class.lpszClassName = name;
      if (name == kFormClass) {
        window_class.hIcon = program_icon;
        window_class.hIconSm = program_icon;
      }
      RegisterClassExW(&window_class);
    }
    return true;
  }();
  (void)registered;
}

bool ControlProcedures::Input(Win32Control& control, UINT message, WPARAM wparam, LPARAM lparam) {
  ControlEvents* events = control.events_;
  if (events == nullptr) return false;
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      events->KeyDown(static_cast<int32_t>(wparam));
      if (wparam == VK_TAB && !control.IsForm() && control.alive_.use_count() > 0 && *control.alive_) {
        control.FocusNextTabStop(GetKeyState(VK_SHIFT) < 0);
        return true;
      }
      return false;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: events->KeyUp(static_cast<int32_t>(wparam)); return false;
    case WM_CHAR: {
      if (wparam == L'\t' && !control.IsForm()) return true;  // the focus moved on instead
      const wchar_t character = static_cast<wchar_t>(wparam);
      if (character >= 0xD800 && character <= 0xDFFF) return false;  // no Windows-1251 character anyway
      events->Char(FromWide(std::wstring_view(&character, 1)));
      return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      const MouseButton button = *ButtonOf(message);
      if (control.kind_ == ControlKind::PictureButton && button == MouseButton::Left) {
        control.left_pressed_ = true;
        SetCapture(control.window_);
      }
      if (control.IsPainted() && GetFocus() != control.window_ && control.kind_ == ControlKind::PictureButton)
        SetFocus(control.window_);
      events->MouseDown(button, PointOf(lparam));
      return control.IsPainted();
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const MouseButton button = *ButtonOf(message);
      const Point at = PointOf(lparam);
      RECT client{};
      GetClientRect(control.window_, &client);
      const bool inside = at.x >= 0 && at.y >= 0 && at.x < client.right && at.y < client.bottom;
      const bool click = control.kind_ == ControlKind::PictureButton && button == MouseButton::Left &&
                         control.left_pressed_ && inside;
      if (button == MouseButton::Left && control.left_pressed_) {
        control.left_pressed_ = false;
        ReleaseCapture();
      }
      const std::shared_ptr<bool> alive = control.alive_;
      events->MouseUp(button, at);
      if (click && *alive && control.events_ != nullptr) control.events_->Clicked();
      return control.IsPainted();
    }
    case WM_MOUSEMOVE: {
      if (control.IsPainted() && !control.tracking_leave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, control.window_, 0};
        control.tracking_leave_ = TrackMouseEvent(&track) != FALSE;
      }
      events->MouseMove(HeldButton(wparam), PointOf(lparam));
      return false;
    }
    case WM_MOUSELEAVE: {
      // Elements that light up under the pointer learn from a move outside that it
      // has gone.
      control.tracking_leave_ = false;
      POINT pointer{};
      GetCursorPos(&pointer);
      ScreenToClient(control.window_, &pointer);
      RECT client{};
      GetClientRect(control.window_, &client);
      Point at{pointer.x, pointer.y};
      if (PtInRect(&client, pointer)) at = {-1, -1};
      events->MouseMove(HeldNow(), at);
      return false;
    }
    case WM_MOUSEWHEEL: events->Wheel(GET_WHEEL_DELTA_WPARAM(wparam)); return control.IsPainted();
    case WM_SETFOCUS: events->FocusIn(); return false;
    case WM_KILLFOCUS: events->FocusOut(); return false;
    default: return false;
  }
}

void ControlProcedures::Command(Win32Control& child, WORD code) {
  ControlEvents* events = child.events_;
  if (events == nullptr || child.quiet_) return;
  HWND window = child.window_;
  switch (child.kind_) {
    case ControlKind::Button:
      if (code == BN_CLICKED) events->Clicked();
      break;
    case ControlKind::CheckBox:
      if (code == BN_CLICKED) events->CheckChanged(SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED);
      break;
    case ControlKind::RadioButton: {
      if (code != BN_CLICKED) break;
      // Checked, and its sibling radio buttons unchecked, as a click does on Windows;
      // a click on the checked one reports again.
      for (HWND sibling = GetWindow(GetParent(window), GW_CHILD); sibling != nullptr;
           sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        Win32Control* other = Win32Control::FromWindow(sibling);
        if (other != nullptr && other->kind_ == ControlKind::RadioButton)
          SendMessageW(sibling, BM_SETCHECK, sibling == window ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      events->RadioSelected();
      break;
    }
    case ControlKind::Edit:
      if (code == EN_CHANGE) {
        const int length = GetWindowTextLengthW(window);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        GetWindowTextW(window, text.data(), length + 1);
        text.resize(static_cast<size_t>(length));
        events->TextChanged(FromWide(text));
      }
      break;
    case ControlKind::ComboBox:
      // A pick is reported once: from the open list when the user takes an item, from
      // the closed field when the keys step through the items.
      if (code == CBN_DROPDOWN) {
        child.dropped_ = true;
        events->DropDown();
      } else if (code == CBN_CLOSEUP) {
        child.dropped_ = false;
      } else if ((code == CBN_SELENDOK && child.dropped_) || (code == CBN_SELCHANGE && !child.dropped_)) {
        events->SelectionChanged(static_cast<int32_t>(SendMessageW(window, CB_GETCURSEL, 0, 0)));
      }
      break;
    default: break;
  }
}

bool ControlProcedures::FromChild(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      Win32Control* child = Win32Control::FromWindow(reinterpret_cast<HWND>(lparam));
      if (child == nullptr) return false;
      Command(*child, HIWORD(wparam));
      result = 0;
      return true;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      Win32Control* child = Win32Control::FromWindow(header->hwndFrom);
      if (child == nullptr || child->kind_ != ControlKind::DatePicker) return false;
      if (header->code == DTN_DATETIMECHANGE && !child->quiet_ && child->events_ != nullptr) {
        const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(lparam);
        if (change->dwFlags == GDT_VALID) child->events_->DateTimeChanged(ToCalendarTime(change->st));
      }
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: {
      Win32Control* child = Win32Control::FromWindow(reinterpret_cast<HWND>(lparam));
      if (child == nullptr) return false;
      result = reinterpret_cast<LRESULT>(child->Background(reinterpret_cast<HDC>(wparam)));
      return true;
    }
    default: return false;
  }
}

void ControlProcedures::PaintGroup(Win32Control& group) {
  // The Windows group frame: an etched line whose top runs through the middle of the
  // caption, which stands on it near the left.
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(group.window_, &paint);
  RECT client{};
  GetClientRect(group.window_, &client);
  HGDIOBJ old_font = SelectObject(
      dc, group.font_ != nullptr ? static_cast<HGDIOBJ>(group.font_) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT frame = client;
  frame.top = metrics.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const int length = GetWindowTextLengthW(group.window_);
  if (length > 0) {
    std::wstring caption(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(group.window_, caption.data(), length + 1);
    caption.resize(static_cast<size_t>(length));
    constexpr int kCaptionLeft = 8;
    RECT text{kCaptionLeft, 0, client.right, metrics.tmHeight};
    DrawTextW(dc, caption.c_str(), length, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_CALCRECT);
    group.Background(dc);
    SetBkMode(dc, OPAQUE);
    if (!IsWindowEnabled(group.window_)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    RECT behind = text;
    behind.left -= 1;
    behind.right += 1;
    FillRect(dc, &behind, group.Background(nullptr));
    DrawTextW(dc, caption.c_str(), length, &text, DT_LEFT | DT_TOP | DT_SINGLELINE);
  }
  SelectObject(dc, old_font);
  EndPaint(group.window_, &paint);
}

void Win32Control::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window_, &paint);
  RECT client{};
  GetClientRect(window_, &client);
  const int width = client.right;
  const int height = client.bottom;
  if (width > 0 && height > 0 && events_ != nullptr) {
    // Drawn off screen and shown at once, so the lamp never flickers.
    uint32_t* bits = nullptr;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP buffer = CreateTopDownDib(width, height, &bits);
    if (memory != nullptr && buffer != nullptr && bits != nullptr) {
      HGDIOBJ old_bitmap = SelectObject(memory, buffer);
      FillRect(memory, &client, Background(nullptr));
      {
        GdiPainter painter(memory, bits, width, height);
        const std::shared_ptr<bool> alive = alive_;
        events_->Paint(painter);
        if (!*alive) {
          SelectObject(memory, old_bitmap);
          DeleteObject(buffer);
          DeleteDC(memory);
          return;
        }
      }
      BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
      SelectObject(memory, old_bitmap);
    }
    if (buffer != nullptr) DeleteObject(buffer);
    if (memory != nullptr) DeleteDC(memory);
  }
  EndPaint(window_, &paint);
}

LRESULT CALLBACK ControlProcedures::Own(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Win32Control* control = Win32Control::FromWindow(window);
  if (control == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  LRESULT result = 0;
  if (FromChild(message, wparam, lparam, result)) return result;
  const std::shared_ptr<bool> alive = control->alive_;
  if (control->IsForm() && Form(*control, message, wparam, lparam, result)) return result;
  if (!*alive) return 0;
  switch (message) {
    case WM_NCHITTEST:
      // A frame lets the mouse through to what lies beneath, as Windows' group box does.
      if (control->kind_ == ControlKind::GroupBox) return HTTRANSPARENT;
      break;
    case WM_ERASEBKGND: {
      if (control->IsPainted()) return 1;  // the painting covers it all
      RECT client{};
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, control->Background(nullptr));
      return 1;
    }
    case WM_PAINT:
      if (control->IsPainted()) {
        control->Paint();
        return 0;
      }
      if (control->kind_ == ControlKind::GroupBox) {
        PaintGroup(*control);
        return 0;
      }
      break;
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    case WM_NCDESTROY:
      RemovePropW(window, L"LumiscopeControl");
      control->window_ = nullptr;
      break;
    default:
      if (Input(*control, message, wparam, lparam)) return 0;
      if (!*alive) return 0;
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK ControlProcedures::Subclassed(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Win32Control* control = Win32Control::FromWindow(window);
  if (control == nullptr || control->original_procedure_ == nullptr)
    return DefWindowProcW(window, message, wparam, lparam);
  const WNDPROC original = control->original_procedure_;
  if (message == WM_NCDESTROY) {
    RemovePropW(window, L"LumiscopeControl");
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    control->window_ = nullptr;
    return CallWindowProcW(original, window, message, wparam, lparam);
  }
  const std::shared_ptr<bool> alive = control->alive_;
  if (Input(*control, message, wparam, lparam)) return 0;
  if (!*alive) return 0;
  return CallWindowProcW(original, window, message, wparam, lparam);
}

}  // namespace lumi::platform::win32ui
