#pragma once

#include "runtime/cp1251.h"
#include "runtime/text.h"

namespace lumi {

// The scheme's texts are written in UTF-8 in our sources; the program keeps them in
// its own code page.
inline Text W(const char* utf8) { return cp1251::FromUtf8(utf8); }

}  // namespace lumi
