#pragma once

#include <cstdint>
#include <string>

#include "platform/headless/headless_ui.h"

namespace lumi::test {

// A person at the headless window system: the functions report to the elements in the
// order a real toolkit would. A user cannot reach a control that is hidden or disabled,
// itself or through one of its parents: the acting functions then report nothing and
// answer false.
class HeadlessUser {
 public:
  using Control = platform::Control;
  using MouseButton = platform::MouseButton;
  using Point = platform::Point;
  using TrayMouse = platform::TrayMouse;

  explicit HeadlessUser(platform::headless::HeadlessUi& ui) : ui_(ui) {}

  // Mouse in client coordinates of the control. A press moves the focus to a control
  // that takes it. A left press and release on the same control, released inside it,
  // is a click: a button reports Clicked, a check box toggles and reports
  // CheckChanged, a radio button checks and reports RadioSelected, after MouseUp.
  bool PressMouse(Control* control, MouseButton button, Point at);
  bool ReleaseMouse(Control* control, MouseButton button, Point at);
  bool MoveMouse(Control* control, Point at, int32_t held = platform::kNoSingleButton);
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
  platform::headless::HeadlessControl* UsableOfKind(Control* control, platform::ControlKind kind) const;
  void ReportClick(platform::headless::HeadlessControl* control);

  platform::headless::HeadlessUi& ui_;
};

}  // namespace lumi::test
