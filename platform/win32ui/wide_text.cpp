#include "platform/win32ui/wide_text.h"

#include "platform/windows/win32.h"
#include "runtime/cp1251.h"

namespace lumi::platform::win32ui {

std::wstring ToWide(std::string_view windows1251) {
  const std::string utf8 = cp1251::ToUtf8(windows1251);
  if (utf8.empty()) return {};
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

std::string FromWide(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), utf8.data(), length, nullptr,
                      nullptr);
  return cp1251::FromUtf8(utf8);
}

std::wstring ToWideLines(std::string_view windows1251) {
  const std::wstring wide = ToWide(windows1251);
  std::wstring lines;
  lines.reserve(wide.size() + wide.size() / 16);
  for (size_t i = 0; i < wide.size(); ++i) {
    const wchar_t c = wide[i];
    if (c == L'\r') {
      lines += L"\r\n";
      if (i + 1 < wide.size() && wide[i + 1] == L'\n') ++i;
    } else if (c == L'\n') {
      lines += L"\r\n";
    } else {
      lines += c;
    }
  }
  return lines;
}

}  // namespace lumi::platform::win32ui
