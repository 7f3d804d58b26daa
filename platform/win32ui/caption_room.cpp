#include "platform/win32ui/caption_room.h"

#include <string>

namespace lumi::platform::win32ui {
namespace {

// One box at a time on the program's one window thread.
HHOOK hook = nullptr;

BOOL CALLBACK ShiftChild(HWND child, LPARAM shift) {
  if (GetParent(child) == nullptr) return TRUE;
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  SetWindowPos(child, nullptr, rect.left + static_cast<int>(shift), rect.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

}  // namespace

CaptionRoom::CaptionRoom() {
  if (hook == nullptr)
    hook = SetWindowsHookExW(WH_CBT, &CaptionRoom::OnActivate, nullptr, GetCurrentThreadId());
}

CaptionRoom::~CaptionRoom() {
  if (hook != nullptr) UnhookWindowsHookEx(hook);
  hook = nullptr;
}

int CaptionRoom::NeededWidth(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring caption(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(window, caption.data(), length + 1);
  caption.resize(static_cast<size_t>(length));
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return 0;
  HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
  HDC dc = GetDC(window);
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE text{};
  GetTextExtentPoint32W(dc, caption.c_str(), length, &text);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  DeleteObject(font);
  // Half as much again for the text, which a window manager (Wine's on Linux) may draw in
  // a larger font of its own; the window's icon and its three buttons, which it may all
  // show; a button's width of air; the frame on both sides.
  return text.cx * 3 / 2 + GetSystemMetrics(SM_CXSMICON) + 4 * GetSystemMetrics(SM_CXSIZE) +
         2 * GetSystemMetrics(SM_CXFIXEDFRAME);
}

void CaptionRoom::Widen(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int needed = NeededWidth(window);
  if (needed <= width) return;
  const int grow = needed - width;
  SetWindowPos(window, nullptr, rect.left - grow / 2, rect.top, needed, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  EnumChildWindows(window, &ShiftChild, grow / 2);
}

LRESULT CALLBACK CaptionRoom::OnActivate(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE && hook != nullptr) {
    HHOOK done = hook;
    hook = nullptr;  // only the first window: the box
    Widen(reinterpret_cast<HWND>(wparam));
    const LRESULT result = CallNextHookEx(done, code, wparam, lparam);
    UnhookWindowsHookEx(done);
    return result;
  }
  return CallNextHookEx(hook, code, wparam, lparam);
}

}  // namespace lumi::platform::win32ui
