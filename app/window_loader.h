#pragma once

#include "app/backends.h"

namespace lumi::app {

// The window module's entry, when a display may be there and the module loads;
// nullptr otherwise (a reason is written to stderr when the module itself failed).
WindowEntry LoadWindowEntry();

}  // namespace lumi::app
