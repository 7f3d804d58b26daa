#include "platform/windows/windows_registry.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/windows/win32.h"

namespace lumi::platform::windows_backend {

namespace {

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users: return HKEY_USERS;
    case RegistryRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
  }
  return HKEY_CURRENT_USER;
}

DWORD TypeCode(RegistryType type) {
  switch (type) {
    case RegistryType::String: return REG_SZ;
    case RegistryType::ExpandString: return REG_EXPAND_SZ;
    case RegistryType::DWord: return REG_DWORD;
    case RegistryType::Binary: return REG_BINARY;
  }
  return REG_BINARY;
}

bool IsText(RegistryType type) { return type == RegistryType::String || type == RegistryType::ExpandString; }

std::string Unquoted(std::string text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

}  // namespace

bool WindowsRegistry::IsRunKey(RegistryRoot root, const std::string& key) {
  static const std::string kRun = "software\\microsoft\\windows\\currentversion\\run";
  std::string folded = key;
  while (!folded.empty() && folded.back() == '\\') folded.pop_back();
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
  return root == RegistryRoot::CurrentUser && folded == kRun;
}

std::optional<RegistryValue> WindowsRegistry::Query(RegistryRoot root, const std::string& key,
                                                    const std::string& name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(RootKey(root), key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
    return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  std::vector<char> data;
  LONG status = RegQueryValueExA(opened, name.c_str(), nullptr, &type, nullptr, &size);
  // The value may grow between the two calls.
  for (int attempt = 0; status == ERROR_SUCCESS && attempt < 3; ++attempt) {
    data.resize(size);
    status =
        RegQueryValueExA(opened, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    if (status != ERROR_MORE_DATA) break;
    status = ERROR_SUCCESS;
  }
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS) return std::nullopt;
  RegistryValue value;
  switch (type) {
    case REG_SZ: value.type = RegistryType::String; break;
    case REG_EXPAND_SZ: value.type = RegistryType::ExpandString; break;
    case REG_DWORD: value.type = RegistryType::DWord; break;
    default: value.type = RegistryType::Binary; break;
  }
  value.bytes.assign(data.data(), std::min<size_t>(size, data.size()));
  if (IsText(value.type)) {
    // A string is stored with its terminating zero, or without one by careless writers.
    const size_t end = value.bytes.find('\0');
    if (end != std::string::npos) value.bytes.resize(end);
    if (IsRunKey(root, key)) value.bytes = Unquoted(value.bytes);
  }
  return value;
}

bool WindowsRegistry::Set(RegistryRoot root, const std::string& key, const std::string& name,
                          const RegistryValue& value) {
  std::string bytes = value.bytes;
  if (IsText(value.type)) {
    if (IsRunKey(root, key) && bytes.find(' ') != std::string::npos && bytes.front() != '"') {
      bytes = '"' + bytes + '"';
    }
    bytes.push_back('\0');
  }
  HKEY opened = nullptr;
  if (RegCreateKeyExA(RootKey(root), key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const LONG status =
      RegSetValueExA(opened, name.c_str(), 0, TypeCode(value.type),
                     reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
  RegCloseKey(opened);
  return status == ERROR_SUCCESS;
}

void WindowsRegistry::Delete(RegistryRoot root, const std::string& key, const std::string& name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(RootKey(root), key.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
  RegDeleteValueA(opened, name.c_str());
  RegCloseKey(opened);
}

}  // namespace lumi::platform::windows_backend
