#pragma once

#include <cstddef>

#include "elements/window/main_form.h"
#include "platform/ui.h"
#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Lets the main window live in the notification area: Minimize hides the window and
// shows the icon, Restore brings the window back, the icon's mouse messages become
// events, and a close or minimise the user asks of the main window becomes Minimize.
//
// A desktop without a notification area cannot give the window back from an icon, so
// there the window is minimised to the taskbar instead, and OnMinimize still fires.
class TElTrayIcon : public TElement, private FormHook, private platform::TrayEvents {
 public:
  // Characters of Hint the tip shows: as many as a current notification area takes, so
  // that a status after the program's name fits.
  static constexpr size_t kTipLength = 127;

  explicit TElTrayIcon(TElMainForm* form);
  ~TElTrayIcon() override;

  Text Hint;
  bool CloseExits = false;  // false: closing the main window hides it to the tray
  bool KeepIcon = false;    // false: Restore removes the icon

  TEl_Event OnDblClick;   // integer button: 0 left, 1 right
  TEl_Event OnMinimize;   // no value
  TEl_Event OnMouseUp;    // integer button
  TEl_Event OnMouseDown;  // integer button
  TEl_Event OnMouseMove;  // no value
  TEl_Event OnClick;      // integer button

  // Actions; the value is ignored.
  void Minimize(TData& data, uint16_t index);
  void Restore(TData& data, uint16_t index);
  // The text becomes Hint; a shown icon shows the new tip at once.
  void SetHint(TData& data, uint16_t index);

  bool IsIconShown() const { return shown_; }
  // The tip as the icon shows it.
  Text Tip() const { return Hint.substr(0, kTipLength); }

 private:
  void MinimizeNow();
  void RestoreNow(bool remove);

  // FormHook
  bool TakeCloseRequest() override;
  bool TakeMinimize() override;
  void IconChanged() override;
  void FormDestroyed() override;
  // platform::TrayEvents
  void TrayMouseMessage(platform::TrayMouse message) override;

  TElMainForm* form_;
  bool shown_ = false;
  bool on_taskbar_ = false;  // minimised to the taskbar for want of a tray
};

}  // namespace lumi
