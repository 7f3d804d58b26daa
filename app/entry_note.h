#pragma once

#include "runtime/text.h"

namespace lumi::app {

// The note the program shows instead of running when started with "/ih".
inline constexpr const char* kInfoArgument = "/ih";
Text NoteText();
Text NoteCaption();

}  // namespace lumi::app
