#include "elements/window/group_box.h"

namespace lumi {

void TElGroupBox::ApplyOwn() {
  if (PlatformControl() != nullptr) PlatformControl()->SetText(Caption);
}

}  // namespace lumi
