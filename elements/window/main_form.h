#pragma once

#include <cstdint>
#include <vector>

#include "elements/window/win.h"

namespace lumi {

// Something that sits in front of a form and may take what the user asks of the
// window before the form acts on it: the tray icon turns a close or a minimise into
// hiding in the notification area. A hook attaches itself to the form and detaches
// itself when it goes; the last one attached is asked first.
class FormHook {
 public:
  virtual ~FormHook() = default;
  // A close the user asked for (never the form's own Close); true: taken, the form
  // does nothing more.
  virtual bool TakeCloseRequest() { return false; }
  // The system's minimise; true: taken.
  virtual bool TakeMinimize() { return false; }
  // The form's icon changed.
  virtual void IconChanged() {}
  // The form is being destroyed: the hook must forget it.
  virtual void FormDestroyed() {}
};

// A top-level window. The first one created is the application's main window; the
// others (About, debug) are created with it as their owner, stay on top of it and
// close with it.
//
// The container assigns the properties and calls Init, which builds the window hidden,
// sizes it and centres it on the screen. The form shows itself from the deferred
// start-up list once the scheme is complete: OnCreate first, then the window if
// Visible. The main window's Start begins the whole program.
class TElMainForm : public TElWin {
 public:
  static constexpr int32_t kLastBorderStyle = 7;
  static constexpr uint8_t kMinimizedState = 1;

  explicit TElMainForm(TElMainForm* owner);
  ~TElMainForm() override;

  // The application's main window: the first form created that still exists.
  static TElMainForm* MainWindow();

  Text Caption;
  // 0 none, 1 caption and minimise box, 2 sizeable with both boxes, 3 caption with an
  // edge, 4 tool window, 5 sizeable tool window, 6 dialog frame without caption, 7
  // sizing frame only. Anything else leaves the window as the system makes it.
  int32_t BorderStyle = -1;
  // None: the main window's icon, which is the application's.
  platform::Picture Icon;
  bool DragByClient = false;  // a left press on the client area moves the window
  uint8_t Opacity = 255;
  uint8_t WindowState = 0;  // applied on the first show: 0 normal, 1 minimised
  // Where the placement would be kept. Every form of this program leaves it empty, so
  // the placement is neither saved nor loaded.
  Text PlacementStore;
  bool ClientSized = false;  // Width and Height are the client area's
  // The form sees, through OnKeyDown, the keys pressed in any of its controls too.
  bool KeyPreview = false;

  TEl_Event OnCreate;  // once, before the form is first shown
  TEl_Event OnShow;
  TEl_Event OnActivate;
  TEl_Event OnDeactivate;
  TEl_Event OnClose;  // main window only, while the program ends
  // Main window only: another start of the program asked for this window (that start
  // then ends).
  TEl_Event OnShowRequest;

  // Operations that change a property of a live window too. A border style outside
  // 0..7 leaves the style as it is.
  void SetCaption(const Text& caption);
  void SetBorderStyle(int32_t style);
  void SetIcon(const platform::Picture& icon);

  void Init() override;

  // Starts the program on the main window: the window built as configured, the
  // dispatchers on, then the deferred start-up list, whose entry for this form fires
  // OnCreate and then shows the window.
  void Start();

  // Actions. Close closes the window for good; on the main window it ends the
  // program even while the tray icon would turn a close into a minimise.
  void Close(TData& data, uint16_t index);
  // Brings the window in front of the others and gives it the focus.
  void Activate(TData& data, uint16_t index);

  bool IsMain() const { return main_; }
  TElMainForm* Owner() const { return owner_; }
  // The icon the window shows: its own, or else the main window's.
  const platform::Picture& ShownIcon() const;
  // The window is on the screen (shown and not hidden since, minimised or not).
  bool IsWindowShown() const { return window_shown_; }
  // The program ended through this main window.
  bool HasEnded() const { return ended_; }

  void AttachHook(FormHook* hook);
  void DetachHook(FormHook* hook);

  // For the tray: hide and show the window as the system would, without touching
  // Visible or the window to re-activate; BringToFront also restores a minimised one.
  // The owned windows that are open go and come back with their owner, so that none
  // is left alone on the desktop.
  void HideWindow();
  void ShowWindow();
  void BringToFront();
  void MinimizeToTaskbar();

 protected:
  void Show(bool visible) override;

  void MouseDown(platform::MouseButton button, platform::Point at) override;
  void CloseRequested() override;
  void MinimizeRequested() override;
  void Activated(bool active) override;
  void Shown() override;
  void PreviewKeyDown(int32_t virtual_key) override;

 private:
  static void StartEntry(void* form);
  void Started();
  void CloseWindow(bool final_close);
  void Centre();

  TElMainForm* owner_;
  bool main_ = false;
  TElMainForm* last_active_ = nullptr;
  std::vector<FormHook*> hooks_;
  bool created_ = false;  // OnCreate has fired
  bool shown_once_ = false;
  bool placed_ = false;  // hidden or minimised by the program since OnCreate began
  bool window_shown_ = false;
  bool closing_ = false;
  bool ended_ = false;
  bool hidden_with_owner_ = false;  // comes back when the owner is shown again
};

}  // namespace lumi
