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
// that tests (and a headless run) can search, and a test acts as the user through the
// functions below, which report to the elements in the order a real toolkit would.
//
// A user cannot reach a control that is hidden or disabled, itself or through one of
// its parents: the acting functions then report nothing and answer false.
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

  // ---- Acting as the user ------------------------------------------------------------
  // Mouse in client coordinates of the control. A press moves the focus to a control
  // that takes it. A left press and release on the same control, released inside it,
  // is a click: a button reports Clicked, a check box toggles and reports
  // CheckChanged, a radio button checks and reports RadioSelected, after MouseUp.
  bool PressMouse(Control* control, MouseButton button, Point at);
  bool ReleaseMouse(Control* control, MouseButton button, Point at);
  bool MoveMouse(Control* control, Point at, int32_t held = kNoSingleButton);
  bool TurnWheel(Control* control, int32_t delta);
  bool LeaveMouse(Control* control);  // the pointer moves off the control
  // Press and release of the left button in the middle of the control.
  bool Click(Control* control);
  bool ToggleCheck(Control* check_box);  // a click on a check box
  bool SelectRadio(Control* radio);      // a click on a radio button
  bool Focus(Control* control);
  // A key without a character (arrows, F-keys): KeyDown, KeyUp.
  bool PressKey(Control* control, int32_t virtual_key);
  // Per Windows-1251 character: KeyDown, Char, and for an edit the changed text
  // (backspace "\b" removes the last character), then KeyUp. Focuses the control first.
  bool Type(Control* control, const std::string& text);
  // Picks an item of a drop-down list: the selection changes, SelectionChanged follows.
  bool PickItem(Control* combo, int32_t index);
  // Opens a drop-down list, as a click on its button does, without picking anything.
  bool OpenList(Control* combo);
  bool ChangeDate(Control* picker, const CalendarTime& value);

  // Forms. Closing and minimising are only requested: the element decides.
  bool RequestClose(Control* form);
  bool Minimize(Control* form);
  // The user brings a form to the front: the form that was active is told first.
  bool Activate(Control* form);

  // The tray icon, while it is shown.
  bool TrayMessage(TrayMouse message);
  bool ClickTray(MouseButton button);        // down, up
  bool DoubleClickTray(MouseButton button);  // down, up, double, up

 private:
  friend class HeadlessControl;

  void Register(HeadlessControl* control);
  void Unregister(HeadlessControl* control);
  void MakeActive(HeadlessControl* form);
  void Blur(HeadlessControl* control);
  bool Alive(const HeadlessControl* control) const;
  HeadlessControl* Usable(Control* control) const;
  HeadlessControl* UsableOfKind(Control* control, ControlKind kind) const;
  void MoveFocus(HeadlessControl* control);
  void ReportClick(HeadlessControl* control);

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
