#pragma once

#include "runtime/text.h"

namespace lumi {

// The modal message box captioned "String-Debug", through which elements report what
// went wrong when nothing is linked to hear it.
void DebugMessage(const Text& text);

}  // namespace lumi
