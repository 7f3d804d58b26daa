#include "tests/gui/support/input.h"

#include "tests/gui/support/command.h"
#include "tests/gui/support/x_session.h"

namespace lumi::gui {

void ClickAt(int x, int y, Button button) {
  Run({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "sleep", "0.05", "click",
       std::to_string(static_cast<int>(button))},
      Display());
}

void ClickIn(WindowId window, int x, int y, Button button) {
  if (const std::optional<Box> place = PlaceOf(window)) ClickAt(place->x + x, place->y + y, button);
}

void MovePointer(int x, int y) {
  Run({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "sleep", "0.05"}, Display());
}

void Wheel(int notches) {
  const int button = notches > 0 ? 5 : 4;
  Run({"xdotool", "click", "--repeat", std::to_string(notches > 0 ? notches : -notches), "--delay", "30",
       std::to_string(button)},
      Display());
}

void ClickCloseButton(WindowId window) {
  const std::optional<Box> place = PlaceOf(window);
  const std::vector<int> frame = FrameExtents(window);  // left, right, top, bottom
  if (!place || frame.size() != 4) return;
  // The middle of the title bar's height, a button's half-width in from its right end.
  ClickAt(place->x + place->width + frame[1] - 11, place->y - frame[2] / 2);
}

void PressKey(const std::string& key) { Run({"xdotool", "key", "--delay", "30", key}, Display()); }

void TypeText(const std::string& text) { Run({"xdotool", "type", "--delay", "30", text}, Display()); }

}  // namespace lumi::gui
