#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_control.h"
#include "platform/headless/recording_painter.h"
#include "platform/ui.h"

namespace lumi::platform::headless {

// The window system without a display: every control is a mirror kept in a registry
// that tests (and a headless run) can search. A test acts as the user through a driver
// (tests/support/headless_user.h) built on the hooks below, which report to the
// elements in the order a real toolkit would.
class HeadlessUi final : public Ui {
 public:
  struct Message {
    std::string text;
    std::string caption;
  };

  HeadlessUi() = default;
  ~HeadlessUi() override;
  HeadlessUi(const HeadlessUi&) = delete;
  HeadlessUi& operator=(const HeadlessUi&) = delete;

  // ---- The window system -------------------------------------------------------
  std::unique_ptr<Control> Create(ControlKind kind, Control* parent, ControlEvents* events) override;
  Size ScreenSize() override { return screen_; }
  Control* ActiveForm() override { return active_form_; }
  // Returns at once, as if the user had pressed OK; the box is kept in the log.
  void MessageBox(const std::string& text, const std::string& caption) override;
  bool HasTray() override { return has_tray_; }
  // Without a tray nothing is shown.
  void ShowTrayIcon(const Picture& icon, const std::string& tip, TrayEvents* events) override;
  void HideTrayIcon() override;
  // Answers the next queued answer (-1 when none is queued); an answer that names no
  // item, or a separator, cannot be chosen by a user and becomes -1.
  int32_t PopupMenu(const std::vector<MenuItem>& items) override;

  // ---- Set-up --------------------------------------------------------------------
  void SetHasTray(bool has_tray) { has_tray_ = has_tray; }
  void SetScreenSize(Size size) { screen_ = size; }
  void QueueMenuAnswer(int32_t index) { menu_answers_.push_back(index); }

  // ---- The registry ----------------------------------------------------------------
  // Live controls in creation order.
  const std::vector<HeadlessControl*>& Controls() const { return controls_; }
  // The mirror behind a control of ours; nullptr for anything else or a destroyed one.
  HeadlessControl* Mirror(const Control* control) const;
  std::vector<HeadlessControl*> FindAll(ControlKind kind) const;
  std::vector<HeadlessControl*> ChildrenOf(const Control* parent) const;
  // The first live control with exactly this text or hint (Windows-1251).
  HeadlessControl* FindByText(const std::string& text) const;
  HeadlessControl* FindByHint(const std::string& hint) const;
  HeadlessControl* Focused() const { return focused_; }

  // ---- Logs ------------------------------------------------------------------------
  const std::vector<Message>& Messages() const { return messages_; }
  const std::vector<std::vector<MenuItem>>& MenusShown() const { return menus_; }
  bool TrayShown() const { return tray_events_ != nullptr; }
  const Picture& TrayIcon() const { return tray_icon_; }
  const std::string& TrayTip() const { return tray_tip_; }

  // ---- For a driver that acts as the user (the tests' HeadlessUser) --------------
  // The mirror behind a control a user can reach now: alive, shown and enabled, itself
  // and its parents; nullptr otherwise.
  HeadlessControl* Usable(Control* control) const;
  bool Alive(const HeadlessControl* control) const;
  // Moves the focus as a toolkit does: FocusOut to the old control, FocusIn to the new
  // one; controls that never take the focus (labels, frames) leave it where it is.
  void MoveFocus(HeadlessControl* control);
  // Makes a shown form the active one: Activated(false) to the one that was, then
  // Activated(true) to it.
  void ActivateForm(HeadlessControl* form);
  // The control the left button was pressed on, which receives its release.
  HeadlessControl* Captured() const { return pressed_; }
  void Capture(HeadlessControl* control) { pressed_ = control; }
  TrayEvents* TrayListener() const { return tray_events_; }

 private:
  friend class HeadlessControl;

  void Register(HeadlessControl* control);
  void Unregister(HeadlessControl* control);
  void MakeActive(HeadlessControl* form);
  void Blur(HeadlessControl* control);

  std::vector<HeadlessControl*> controls_;
  HeadlessControl* active_form_ = nullptr;
  HeadlessControl* focused_ = nullptr;
  HeadlessControl* pressed_ = nullptr;  // the left press not yet released

  Size screen_{1024, 768};
  bool has_tray_ = true;
  TrayEvents* tray_events_ = nullptr;
  Picture tray_icon_;
  std::string tray_tip_;

  std::deque<int32_t> menu_answers_;
  std::vector<std::vector<MenuItem>> menus_;
  std::vector<Message> messages_;
};

}  // namespace lumi::platform::headless
