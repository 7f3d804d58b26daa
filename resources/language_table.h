#pragma once

#include <string>

// The language table: two parallel texts, line i of one belonging to line i of the
// other. Both are Windows-1251 and every line, the last included, ends with CR LF;
// there is no NUL byte at the end.
namespace lumi::resources {

// Resource "Str3": the language names offered to the user, in Russian, 223 lines,
// ordered by the languages' English names.
const std::string& LanguageNames();

// Resource "Str4": for each line of LanguageNames, the keyboard layout value of that
// language in decimal: its Windows language identifier in both 16-bit halves.
const std::string& LanguageLayouts();

}  // namespace lumi::resources
