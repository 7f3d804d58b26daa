#pragma once

#include <string>
#include <string_view>

// The one place where Windows-1251, the program's own code page, meets UTF-8 (our
// sources, the terminal, the toolkit).
namespace lumi::cp1251 {

// Every byte has a character: the one unassigned byte 0x98 maps to U+0098, so any
// byte string survives a round trip.
std::string ToUtf8(std::string_view windows1251);

// Well-formed UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text);

// Characters without a Windows-1251 byte, and malformed UTF-8, become "?".
std::string FromUtf8(std::string_view utf8);

}  // namespace lumi::cp1251
