#pragma once

#include <string>

#include "tools/unit/frame_decoder.h"

namespace lumi::unit {

// One line of the --json output, without the line end:
//   {"event":"frame","bytes":[85,170],"leds":[1,0,...]}  (leds in indicator order 01..14)
//   {"event":"probe"}
//   {"event":"dropped","bytes":[65]}
std::string to_json(const Event& event);

}  // namespace lumi::unit
