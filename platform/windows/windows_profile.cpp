#include "platform/windows/windows_profile.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/windows/win32.h"

namespace lumi::platform::windows_backend {

namespace {

// A value longer than this is cut, as the longest line Windows itself reads.
constexpr size_t kLongestRead = 65535;

bool HasBreakOrZero(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos;
}

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == text.npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

int32_t WindowsProfile::ReadInteger(const std::string& file, const std::string& section,
                                    const std::string& key, int32_t fallback) {
  return static_cast<int32_t>(GetPrivateProfileIntA(section.c_str(), key.c_str(), fallback, file.c_str()));
}

std::string WindowsProfile::ReadString(const std::string& file, const std::string& section,
                                       const std::string& key, const std::string& fallback,
                                       size_t max_length) {
  std::vector<char> buffer(std::min(max_length, kLongestRead) + 1);
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                                static_cast<DWORD>(buffer.size()), file.c_str());
  return std::string(buffer.data(), std::min<size_t>(length, buffer.size() - 1));
}

bool WindowsProfile::SafeToWrite(const std::string& section, const std::string& key,
                                 const std::string& value) {
  const std::string_view name = Trimmed(key);
  return !HasBreakOrZero(section) && !HasBreakOrZero(key) && !HasBreakOrZero(value) &&
         section.find(']') == section.npos && key.find('=') == key.npos &&
         (name.empty() || (name.front() != ';' && name.front() != '['));
}

bool WindowsProfile::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                 const std::string& value) {
  if (!SafeToWrite(section, key, value)) return false;
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

}  // namespace lumi::platform::windows_backend
