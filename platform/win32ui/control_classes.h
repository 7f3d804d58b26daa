#pragma once

#include "platform/windows/win32.h"

namespace lumi::platform::win32ui {

// The window classes of our own: forms, the frames of group boxes, and the controls
// the elements paint (the lamp, picture buttons).
inline constexpr wchar_t kFormClass[] = L"LumiscopeForm";
inline constexpr wchar_t kGroupClass[] = L"LumiscopeGroup";
inline constexpr wchar_t kPaintedClass[] = L"LumiscopePainted";

class Win32Control;

// The window procedures of every control: what the user does, reported to the
// element, and the notifications a parent gets from its standard controls, handed to
// the control they came from (win32_input.cpp).
class ControlProcedures {
 public:
  // Our own classes.
  static LRESULT CALLBACK Own(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  // The standard controls, subclassed.
  static LRESULT CALLBACK Subclassed(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  // Input every control reports; true when the message was taken.
  static bool Input(Win32Control& control, UINT message, WPARAM wparam, LPARAM lparam);
  // A child's notification to its parent; true with `result` set when it was taken.
  static bool FromChild(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  static void Command(Win32Control& child, WORD code);
  static bool Form(Win32Control& form, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  static void PaintGroup(Win32Control& group);
};

}  // namespace lumi::platform::win32ui
