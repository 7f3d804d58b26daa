#pragma once

#include "platform/windows/win32.h"

namespace lumi::platform::win32ui {

// Windows sizes a message box to its text and buttons, never to its caption, so a short
// note under a longer caption would show the caption cut. While one of these lives, the
// next window this thread activates (the box, about to be shown) is widened to its
// caption with room for the title bar's icon and buttons, its contents kept centred.
class CaptionRoom {
 public:
  CaptionRoom();
  ~CaptionRoom();
  CaptionRoom(const CaptionRoom&) = delete;
  CaptionRoom& operator=(const CaptionRoom&) = delete;

  // How wide a window must be for its whole caption.
  static int NeededWidth(HWND window);

 private:
  static LRESULT CALLBACK OnActivate(int code, WPARAM wparam, LPARAM lparam);
  static void Widen(HWND window);
};

}  // namespace lumi::platform::win32ui
