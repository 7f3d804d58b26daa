#include "elements/window/tray_icon.h"

#include <utility>

#include "platform/services.h"

namespace lumi {

TElTrayIcon::TElTrayIcon(TElMainForm* form) : form_(form) {
  if (form_ != nullptr) form_->AttachHook(this);
}

TElTrayIcon::~TElTrayIcon() {
  // The window system must not report to an element that is gone.
  if (shown_) platform::Current().ui->HideTrayIcon();
  if (form_ != nullptr) form_->DetachHook(this);
}

void TElTrayIcon::Minimize(TData&, uint16_t) { MinimizeNow(); }

void TElTrayIcon::Restore(TData&, uint16_t) { RestoreNow(!KeepIcon); }

void TElTrayIcon::SetHint(TData& data, uint16_t) {
  Text hint = data.AsString();
  // The tip is told again at every port check: an unchanged one costs the desktop nothing.
  if (hint == Hint) return;
  Hint = std::move(hint);
  IconChanged();
}

void TElTrayIcon::MinimizeNow() {
  platform::Ui& ui = *platform::Current().ui;
  if (!ui.HasTray()) {
    // Hidden without an icon the window could never come back.
    if (form_ != nullptr) form_->MinimizeToTaskbar();
    on_taskbar_ = true;
    FireNull(OnMinimize);
    return;
  }
  on_taskbar_ = false;
  if (form_ != nullptr) form_->HideWindow();
  FireNull(OnMinimize);
  if (shown_) return;
  static const platform::Picture kNoIcon;
  ui.ShowTrayIcon(form_ != nullptr ? form_->ShownIcon() : kNoIcon, Tip(), this);
  // As on the system this stands in for, a failed add is not reported.
  shown_ = true;
}

void TElTrayIcon::RestoreNow(bool remove) {
  if (on_taskbar_ && !shown_) {
    on_taskbar_ = false;
    if (form_ != nullptr) form_->BringToFront();
    return;
  }
  if (!shown_) return;
  if (remove) {
    shown_ = false;
    platform::Current().ui->HideTrayIcon();
  }
  if (form_ == nullptr) return;
  form_->ShowWindow();
  form_->BringToFront();
}

bool TElTrayIcon::TakeCloseRequest() {
  if (CloseExits) return false;
  MinimizeNow();
  return true;
}

bool TElTrayIcon::TakeMinimize() {
  MinimizeNow();
  return true;
}

void TElTrayIcon::IconChanged() {
  if (shown_ && form_ != nullptr) platform::Current().ui->ShowTrayIcon(form_->ShownIcon(), Tip(), this);
}

void TElTrayIcon::FormDestroyed() {
  // Showing a window that is going away makes no sense; only the icon goes.
  if (shown_) platform::Current().ui->HideTrayIcon();
  shown_ = false;
  on_taskbar_ = false;
  form_ = nullptr;
}

void TElTrayIcon::TrayMouseMessage(platform::TrayMouse message) {
  using platform::TrayMouse;
  constexpr int32_t kLeft = 0;
  constexpr int32_t kRight = 1;
  switch (message) {
    case TrayMouse::Move: FireNull(OnMouseMove); break;
    case TrayMouse::LeftDown: FireInteger(OnMouseDown, kLeft); break;
    case TrayMouse::LeftUp:
      FireInteger(OnClick, kLeft);
      FireInteger(OnMouseUp, kLeft);
      break;
    case TrayMouse::LeftDouble: FireInteger(OnDblClick, kLeft); break;
    case TrayMouse::RightDown: FireInteger(OnMouseDown, kRight); break;
    case TrayMouse::RightUp:
      FireInteger(OnMouseUp, kRight);
      FireInteger(OnClick, kRight);
      break;
    case TrayMouse::RightDouble: FireInteger(OnDblClick, kRight); break;
  }
}

}  // namespace lumi
