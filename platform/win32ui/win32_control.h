#pragma once

#include <memory>
#include <optional>

#include "platform/ui.h"
#include "platform/windows/win32.h"

namespace lumi::platform::win32ui {

class Win32Ui;

// One native control of any kind: a window of a standard class (or, for the lamp and
// picture buttons, of our own painted class) that mirrors what the element sets, and a
// window procedure that reports what the user does. The standard controls' own
// notifications reach their parent window; every parent of ours hands them to the
// control that sent them. Nothing is reported for changes made through this interface.
class Win32Control final : public Control {
 public:
  Win32Control(Win32Ui& ui, ControlKind kind, Win32Control* parent, ControlEvents* events);
  ~Win32Control() override;
  Win32Control(const Win32Control&) = delete;
  Win32Control& operator=(const Win32Control&) = delete;

  ControlKind Kind() const { return kind_; }
  HWND Window() const { return window_; }
  // The control a window was made for, if it is one of ours.
  static Win32Control* FromWindow(HWND window);
  // The window procedures' shared part and the painted class (win32_input.cpp).
  static void RegisterClasses();

  void SetGeometry(const Rect& rect) override;
  Rect Geometry() override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetColor(Color color) override;
  void SetFont(const FontSpec& font) override;
  void SetHint(const std::string& hint) override;
  void SetTabOrder(int32_t order) override;
  void RaiseToTop() override;
  void Repaint() override;

  void SetText(const std::string& text) override;
  void SetItems(const std::vector<std::string>& items) override;
  void SetSelection(int32_t index) override;
  void SetChecked(bool checked) override;
  void SetDateTime(const CalendarTime& value) override;
  void SetDatePickerStyle(const DatePickerStyle& style) override;
  void SetScrollBars(int32_t bars) override;

  void SetBorderStyle(int32_t style) override;
  void SetIcon(const Picture& icon) override;
  void SetOpacity(uint8_t alpha) override;
  void SetClientSize(Size size) override;
  void Activate() override;
  void ShowMinimized() override;
  void BeginDragMove() override;

  // Window styles and what their frame adds to the client area, by border style.
  static DWORD FormStyle(int32_t border_style);
  static DWORD FormExStyle(int32_t border_style, bool owned);

 private:
  friend class ControlProcedures;

  void CreateNative();
  HWND CreateForm();
  void Subclass();
  // A picker whose style only its creation takes, made anew in its place.
  void RecreateDatePicker(DWORD style);
  void ApplyFont();
  // Windows' own drawing for colours: the background of the control, as a brush.
  HBRUSH Background(HDC dc);
  bool IsForm() const { return kind_ == ControlKind::Form; }
  bool IsPainted() const { return kind_ == ControlKind::Canvas || kind_ == ControlKind::PictureButton; }
  void Paint();
  void FocusNextTabStop(bool backwards);

  Win32Ui& ui_;
  ControlKind kind_;
  Win32Control* parent_;
  ControlEvents* events_;
  HWND window_ = nullptr;
  WNDPROC original_procedure_ = nullptr;
  // Cleared when the control goes, so a report that destroyed it is seen as such.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  Rect geometry_;
  std::optional<Color> color_;
  Color font_color_ = 0;
  HFONT font_ = nullptr;
  HICON icon_ = nullptr;
  int32_t border_style_ = 2;
  int32_t tab_order_ = 0;
  bool quiet_ = false;         // a change made through this interface is under way
  bool left_pressed_ = false;  // a picture button's press that may become a click
  bool tracking_leave_ = false;
  bool dropped_ = false;  // a drop-down list shows its items
  std::string hint_;
};

}  // namespace lumi::platform::win32ui
