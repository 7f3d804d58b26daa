#pragma once

#include <string>

namespace lumi::resources {

// Resource "Str2": what the About window shows. Windows-1251, paragraphs separated by
// an empty line, every line (the last included) ending with CR LF; the window wraps
// the long lines itself.
const std::string& AboutText();

}  // namespace lumi::resources
