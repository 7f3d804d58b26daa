#include "elements/sensors/keyboard_layout.h"

#include "platform/sensors.h"
#include "platform/services.h"

namespace lumi {

void TElKeyboardLayout::OutLayout(TData& result, uint16_t) {
  // Whatever the reader left in its record is no window handle: an unlinked
  // InWindow means window 0.
  TData none;
  const int32_t window = PullInteger(none, InWindow, 0);
  result.SetInteger(platform::Current().keyboard->LayoutOf(window));
}

}  // namespace lumi
