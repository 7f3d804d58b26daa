#pragma once

#include <string>

#include "tests/gui/support/windows.h"

namespace lumi::gui {

// What a person does with the pointer and the keyboard, through xdotool (XTEST): the
// program sees real input events from the X server.
enum class Button { Left = 1, Right = 3 };

// A click at a point of the screen.
void ClickAt(int x, int y, Button button = Button::Left);
// A click at a point of a window's client area.
void ClickIn(WindowId window, int x, int y, Button button = Button::Left);
void MovePointer(int x, int y);
// Turns the wheel under the pointer; positive notches scroll down.
void Wheel(int notches);
// The close button of the window manager's title bar (openbox: the rightmost one).
void ClickCloseButton(WindowId window);
// Keys by their X names ("Return", "Down", "Escape", "7"), to the focused window.
void PressKey(const std::string& key);
void TypeText(const std::string& text);

}  // namespace lumi::gui
