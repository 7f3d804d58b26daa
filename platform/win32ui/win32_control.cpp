#include "platform/win32ui/win32_control.h"

#include <algorithm>

#include "platform/win32ui/common_controls.h"
#include "platform/win32ui/control_classes.h"
#include "platform/win32ui/gdi_objects.h"
#include "platform/win32ui/wide_text.h"
#include "platform/win32ui/win32_ui.h"

namespace lumi::platform::win32ui {

namespace {

constexpr wchar_t kControlProperty[] = L"LumiscopeControl";

// A drop-down list's window reaches below its field by this much for its items; the
// field's own height comes from the font.
constexpr int kDropDownHeight = 200;

struct NativeClass {
  const wchar_t* name;
  DWORD style;
  DWORD ex_style;
};

NativeClass NativeClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Form: return {kFormClass, 0, 0};
    // Our own frame: it erases what lies inside it, which the standard group box
    // leaves to its parent, and hands its controls' notifications on.
    case ControlKind::GroupBox: return {kGroupClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::Label: return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
    case ControlKind::Button: return {L"BUTTON", BS_PUSHBUTTON, 0};
    case ControlKind::PictureButton:
    case ControlKind::Canvas: return {kPaintedClass, 0, 0};
    case ControlKind::Edit: return {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX, 0};
    // Radio buttons take the check themselves: the element decides which set they
    // belong to, not the order of the windows.
    case ControlKind::RadioButton: return {L"BUTTON", BS_RADIOBUTTON, 0};
    case ControlKind::ComboBox: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0};
    case ControlKind::Memo: return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::DatePicker: return {DATETIMEPICK_CLASSW, DTS_SHORTDATECENTURYFORMAT, 0};
  }
  return {L"STATIC", 0, 0};
}

bool IsFieldKind(ControlKind kind) {
  return kind == ControlKind::Edit || kind == ControlKind::Memo || kind == ControlKind::ComboBox ||
         kind == ControlKind::DatePicker;
}

}  // namespace

Win32Control::Win32Control(Win32Ui& ui, ControlKind kind, Win32Control* parent, ControlEvents* events)
    : ui_(ui), kind_(kind), parent_(parent), events_(events) {
  RegisterClasses();
  CreateNative();
}

Win32Control::~Win32Control() {
  *alive_ = false;
  events_ = nullptr;
  if (window_ == nullptr) return;  // its parent or owner went first and took it along
  if (!hint_.empty()) SetHint({});
  RemovePropW(window_, kControlProperty);
  if (original_procedure_ != nullptr)
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_procedure_));
  HWND window = window_;
  window_ = nullptr;
  if (IsForm()) ui_.FormDestroyed(window);
  DestroyWindow(window);
  if (font_ != nullptr) DeleteObject(font_);
  if (icon_ != nullptr) DestroyIcon(icon_);
}

Win32Control* Win32Control::FromWindow(HWND window) {
  if (window == nullptr) return nullptr;
  return static_cast<Win32Control*>(GetPropW(window, kControlProperty));
}

void Win32Control::CreateNative() {
  const NativeClass native = NativeClassOf(kind_);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (IsForm()) {
    window_ = CreateForm();
  } else {
    HWND parent = parent_ != nullptr ? parent_->window_ : nullptr;
    if (parent == nullptr) return;  // a control needs a window to live in
    static UINT_PTR next_id = 100;
    window_ = CreateWindowExW(native.ex_style, native.name, L"", WS_CHILD | WS_CLIPSIBLINGS | native.style, 0,
                              0, 0, 0, parent, reinterpret_cast<HMENU>(next_id++), instance, nullptr);
  }
  if (window_ == nullptr) return;
  SetPropW(window_, kControlProperty, this);
  if (!IsForm() && native.name != kPaintedClass && native.name != kGroupClass) Subclass();
  if (kind_ == ControlKind::DatePicker)
    SendMessageW(window_, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"dd.MM.yyyy"));
  if (kind_ == ControlKind::Edit) SendMessageW(window_, EM_SETLIMITTEXT, 0, 0);
  if (parent_ != nullptr && parent_->font_ != nullptr)
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(parent_->font_), FALSE);
}

void Win32Control::Subclass() {
  original_procedure_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProcedures::Subclassed));
}

void Win32Control::SetGeometry(const Rect& rect) {
  if (window_ == nullptr) return;
  const int width = std::max(0, rect.width);
  const int height = std::max(0, rect.height);
  geometry_ = {rect.left, rect.top, width, height};
  const int native_height = kind_ == ControlKind::ComboBox ? height + kDropDownHeight : height;
  SetWindowPos(window_, nullptr, rect.left, rect.top, width, native_height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect Win32Control::Geometry() {
  if (window_ == nullptr) return {};
  if (!IsForm()) return geometry_;
  // The user may have moved the window. A minimised one answers where it will come
  // back, not where Windows parks it meanwhile.
  RECT rect{};
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (IsIconic(window_) && GetWindowPlacement(window_, &placement)) {
    rect = placement.rcNormalPosition;
  } else {
    GetWindowRect(window_, &rect);
  }
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Win32Control::SetVisible(bool visible) {
  if (window_ == nullptr) return;
  if (!IsForm()) {
    ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
    return;
  }
  if (!visible) {
    ShowWindow(window_, SW_HIDE);
  } else if (IsIconic(window_)) {
    // Showing a form brings it back from the taskbar as well.
    ShowWindow(window_, SW_RESTORE);
  } else if (!IsWindowVisible(window_)) {
    // A form opens with its texts at the top, however far they were scrolled when it
    // was hidden.
    for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      Win32Control* control = FromWindow(child);
      if (control != nullptr && control->kind_ == ControlKind::Memo) {
        SendMessageW(child, EM_SETSEL, 0, 0);
        SendMessageW(child, EM_SCROLLCARET, 0, 0);
      }
    }
    ShowWindow(window_, SW_SHOW);
  }
}

void Win32Control::SetEnabled(bool enabled) {
  if (window_ != nullptr) EnableWindow(window_, enabled);
}

void Win32Control::SetColor(Color color) {
  color_ = color;
  if (window_ != nullptr)
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HBRUSH Win32Control::Background(HDC dc) {
  // Fields are white unless coloured themselves; everything else shows the colour of
  // the nearest coloured parent, as a transparent control would, or the button face.
  COLORREF background = GetSysColor(IsFieldKind(kind_) ? COLOR_WINDOW : COLOR_BTNFACE);
  if (color_) {
    background = ToColorRef(*color_);
  } else if (!IsFieldKind(kind_)) {
    for (Win32Control* up = parent_; up != nullptr; up = up->parent_) {
      if (up->color_) {
        background = ToColorRef(*up->color_);
        break;
      }
    }
  }
  if (dc != nullptr) {
    SetBkColor(dc, background);
    // Colour 0 is the black every font starts with: the system's text colour.
    SetTextColor(dc, font_color_ != 0 ? ToColorRef(font_color_) : GetSysColor(COLOR_WINDOWTEXT));
  }
  return ui_.Brushes().Get(background);
}

void Win32Control::SetFont(const FontSpec& font) {
  if (window_ == nullptr) return;
  HFONT created = CreateFontFor(font);
  if (created == nullptr) return;
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(created), TRUE);
  if (font_ != nullptr) DeleteObject(font_);
  font_ = created;
  font_color_ = font.color;
  // The tooltips speak in the main window's font.
  if (IsForm() && window_ == ui_.MainForm())
    SendMessageW(ui_.Tooltips(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  InvalidateRect(window_, nullptr, TRUE);
}

void Win32Control::SetHint(const std::string& hint) {
  if (window_ == nullptr || IsForm() || hint == hint_) return;
  HWND tooltips = ui_.Tooltips();
  if (tooltips == nullptr) return;
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(window_);
  tool.uId = reinterpret_cast<UINT_PTR>(window_);
  if (!hint_.empty()) SendMessageW(tooltips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  hint_ = hint;
  if (kind_ == ControlKind::Label) {
    // A static control lets the mouse through unless told to notify; with a hint it
    // must see the pointer to show it.
    const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    SetWindowLongPtrW(window_, GWL_STYLE, hint.empty() ? style & ~SS_NOTIFY : style | SS_NOTIFY);
  }
  if (hint.empty()) return;
  std::wstring text = ToWide(hint);
  tool.lpszText = text.data();
  SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32Control::SetTabOrder(int32_t order) { tab_order_ = std::max(order, 0); }

void Win32Control::RaiseToTop() {
  if (window_ != nullptr)
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Control::Repaint() {
  // A control nobody sees is painted when it is shown, not before.
  if (window_ != nullptr && IsWindowVisible(window_)) InvalidateRect(window_, nullptr, FALSE);
}

void Win32Control::SetText(const std::string& text) {
  if (window_ == nullptr) return;
  switch (kind_) {
    case ControlKind::ComboBox:  // the element selects by SetSelection
    case ControlKind::DatePicker: return;
    case ControlKind::Memo: {
      quiet_ = true;
      SetWindowTextW(window_, ToWideLines(text).c_str());
      quiet_ = false;
      return;
    }
    default: break;
  }
  const std::wstring wide = ToWide(text);
  // The work cycle sets the rows' texts every second: an unchanged text is not
  // drawn again.
  const int length = GetWindowTextLengthW(window_);
  if (length == static_cast<int>(wide.size())) {
    std::wstring current(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window_, current.data(), length + 1);
    current.resize(static_cast<size_t>(length));
    if (current == wide) return;
  }
  quiet_ = true;
  SetWindowTextW(window_, wide.c_str());
  quiet_ = false;
  if (kind_ == ControlKind::GroupBox) InvalidateRect(window_, nullptr, TRUE);
}

void Win32Control::SetItems(const std::vector<std::string>& items) {
  if (window_ == nullptr || kind_ != ControlKind::ComboBox) return;
  quiet_ = true;
  SendMessageW(window_, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    const std::wstring wide = ToWide(item);
    SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  quiet_ = false;
}

void Win32Control::SetSelection(int32_t index) {
  if (window_ == nullptr || kind_ != ControlKind::ComboBox) return;
  const auto count = static_cast<int32_t>(SendMessageW(window_, CB_GETCOUNT, 0, 0));
  const int32_t wanted = index >= 0 && index < count ? index : -1;
  if (static_cast<int32_t>(SendMessageW(window_, CB_GETCURSEL, 0, 0)) == wanted) return;
  quiet_ = true;
  SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(wanted), 0);
  quiet_ = false;
}

void Win32Control::SetChecked(bool checked) {
  if (window_ == nullptr || (kind_ != ControlKind::CheckBox && kind_ != ControlKind::RadioButton)) return;
  SendMessageW(window_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32Control::SetDateTime(const CalendarTime& value) {
  if (window_ == nullptr || kind_ != ControlKind::DatePicker) return;
  // The range of the picker; anything else is no date it can show.
  if (value.year < 1601 || value.year > 9999 || value.month < 1 || value.month > 12 || value.day < 1 ||
      value.day > 31 || value.hour < 0 || value.hour > 23 || value.minute < 0 || value.minute > 59 ||
      value.second < 0 || value.second > 59 || value.millisecond < 0 || value.millisecond > 999)
    return;
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(value.year);
  time.wMonth = static_cast<WORD>(value.month);
  time.wDay = static_cast<WORD>(value.day);
  time.wHour = static_cast<WORD>(value.hour);
  time.wMinute = static_cast<WORD>(value.minute);
  time.wSecond = static_cast<WORD>(value.second);
  time.wMilliseconds = static_cast<WORD>(value.millisecond);
  quiet_ = true;
  SendMessageW(window_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
  quiet_ = false;
}

void Win32Control::SetDatePickerStyle(const DatePickerStyle& style) {
  if (window_ == nullptr || kind_ != ControlKind::DatePicker) return;
  LONG_PTR bits = GetWindowLongPtrW(window_, GWL_STYLE);
  bits &= ~static_cast<LONG_PTR>(DTS_UPDOWN | DTS_RIGHTALIGN | DTS_TIMEFORMAT | DTS_LONGDATEFORMAT);
  if (style.time_format) bits |= DTS_TIMEFORMAT;
  if (style.up_down || style.time_format) bits |= DTS_UPDOWN;
  if (style.right_align) bits |= DTS_RIGHTALIGN;
  // The picker makes its spin buttons only when it is created.
  if (((bits ^ GetWindowLongPtrW(window_, GWL_STYLE)) & DTS_UPDOWN) != 0) {
    RecreateDatePicker(static_cast<DWORD>(bits));
  } else {
    SetWindowLongPtrW(window_, GWL_STYLE, bits);
  }
  // The short date as the picker shows it in Russia, with a four-digit year; the long
  // one the system's own.
  const wchar_t* format = style.time_format ? L"HH:mm:ss" : style.long_date ? nullptr : L"dd.MM.yyyy";
  SendMessageW(window_, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format));
  const bool coloured = style.title_background != 0 || style.title_text != 0 || style.month_background != 0 ||
                        style.trailing_text != 0;
  if (coloured) {
    SendMessageW(window_, DTM_SETMCCOLOR, MCSC_TITLEBK, ToColorRef(style.title_background));
    SendMessageW(window_, DTM_SETMCCOLOR, MCSC_TITLETEXT, ToColorRef(style.title_text));
    SendMessageW(window_, DTM_SETMCCOLOR, MCSC_MONTHBK, ToColorRef(style.month_background));
    SendMessageW(window_, DTM_SETMCCOLOR, MCSC_TRAILINGTEXT, ToColorRef(style.trailing_text));
  }
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  InvalidateRect(window_, nullptr, TRUE);
}

void Win32Control::RecreateDatePicker(DWORD style) {
  SYSTEMTIME value{};
  const bool has_value =
      SendMessageW(window_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value)) == GDT_VALID;
  const bool enabled = IsWindowEnabled(window_) != FALSE;
  const std::string hint = hint_;
  SetHint({});
  HWND parent = GetParent(window_);
  const int id = GetDlgCtrlID(window_);
  HWND old = window_;
  RemovePropW(old, kControlProperty);
  SetWindowLongPtrW(old, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_procedure_));
  window_ =
      CreateWindowExW(0, DATETIMEPICK_CLASSW, L"", style & ~WS_DISABLED, geometry_.left, geometry_.top,
                      geometry_.width, geometry_.height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  DestroyWindow(old);
  if (window_ == nullptr) return;
  SetPropW(window_, kControlProperty, this);
  Subclass();
  if (font_ != nullptr) SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  quiet_ = true;
  if (has_value) SendMessageW(window_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value));
  quiet_ = false;
  EnableWindow(window_, enabled);
  SetHint(hint);
}

void Win32Control::SetScrollBars(int32_t bars) {
  if (window_ == nullptr || kind_ != ControlKind::Memo) return;
  LONG_PTR bits = GetWindowLongPtrW(window_, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL);
  if (bars == 1 || bars == 3) bits |= WS_HSCROLL;
  if (bars == 2 || bars == 3) bits |= WS_VSCROLL;
  SetWindowLongPtrW(window_, GWL_STYLE, bits);
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Win32Control::FocusNextTabStop(bool backwards) {
  // Windows walks the tab stops of a window by each parent's tab order, entering group
  // boxes where they stand among their siblings.
  std::vector<Win32Control*> stops;
  auto collect = [&stops](auto&& self, HWND parent) -> void {
    std::vector<Win32Control*> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      if (Win32Control* control = FromWindow(child)) children.push_back(control);
    }
    std::stable_sort(children.begin(), children.end(), [](const Win32Control* a, const Win32Control* b) {
      return a->tab_order_ < b->tab_order_;
    });
    for (Win32Control* child : children) {
      if (!IsWindowVisible(child->window_) || !IsWindowEnabled(child->window_)) continue;
      const bool focusable = child->kind_ != ControlKind::Label && child->kind_ != ControlKind::GroupBox &&
                             child->kind_ != ControlKind::Canvas;
      if (child->tab_order_ > 0 && focusable) stops.push_back(child);
      self(self, child->window_);
    }
  };
  HWND form = GetAncestor(window_, GA_ROOT);
  collect(collect, form);
  if (stops.empty()) return;
  const auto here = std::find(stops.begin(), stops.end(), this);
  size_t next = 0;
  if (here == stops.end()) {
    next = backwards ? stops.size() - 1 : 0;
  } else {
    const size_t at = static_cast<size_t>(here - stops.begin());
    next = backwards ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size();
  }
  SetFocus(stops[next]->window_);
}

}  // namespace lumi::platform::win32ui
