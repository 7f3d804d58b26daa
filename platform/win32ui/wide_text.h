#pragma once

#include <string>
#include <string_view>

// Where the program's Windows-1251 texts meet the UTF-16 of the wide Win32 calls: every
// text crosses here once, so Russian stays Russian whatever the system's ANSI code page.
namespace lumi::platform::win32ui {

std::wstring ToWide(std::string_view windows1251);
std::string FromWide(std::wstring_view utf16);

// A memo's lines end in CR LF, as the multi-line edit control wants them.
std::wstring ToWideLines(std::string_view windows1251);

}  // namespace lumi::platform::win32ui
