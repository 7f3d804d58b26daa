#include "platform/windows/windows_system.h"

#include <algorithm>

#include "platform/windows/process_list.h"
#include "platform/windows/show_request.h"
#include "platform/windows/win32.h"

namespace lumi::platform::windows_backend {

namespace {

// A folder or path from a function that fills a buffer and answers the length it
// needs when the buffer is too small.
template <typename Fill>
std::string Filled(Fill fill) {
  std::string text(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    const UINT length = fill(text.data(), static_cast<UINT>(text.size()));
    if (length == 0) return {};
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    text.assign(static_cast<size_t>(length) + 1, '\0');
  }
  return {};
}

}  // namespace

std::string WindowsSystem::ExecutablePath() {
  // GetModuleFileNameA cuts the path to the buffer and answers the buffer's size then.
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() > 32768) return {};
    path.resize(path.size() * 2);
  }
}

std::string WindowsSystem::ExecutableFolder() {
  const std::string path = ExecutablePath();
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string WindowsSystem::WindowsFolder() {
  return Filled([](char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string WindowsSystem::SystemFolder() {
  return Filled([](char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); });
}

std::string WindowsSystem::TempFolder() {
  return Filled([](char* buffer, UINT size) { return static_cast<UINT>(GetTempPathA(size, buffer)); });
}

FileKind WindowsSystem::KindOf(const std::string& path) {
  if (path.empty()) return FileKind::Missing;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? FileKind::Unreadable
                                                                            : FileKind::Missing;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileKind::Folder;
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FileKind::Unreadable;
  const DWORD type = GetFileType(file);
  CloseHandle(file);
  return type == FILE_TYPE_DISK ? FileKind::File : FileKind::Other;
}

std::vector<std::string> WindowsSystem::ProcessExecutables() {
  std::vector<std::string> names;
  for (const ProcessEntry& entry : ListProcesses()) names.push_back(entry.executable);
  return names;
}

std::vector<std::string> WindowsSystem::EarlierProcessExecutables() {
  std::vector<std::string> names;
  for (const ProcessEntry& entry : EarlierOwnUserProcesses()) names.push_back(entry.executable);
  return names;
}

int64_t WindowsSystem::ShowRunningCopy() {
  const std::string own = ExecutablePath();
  const uint32_t own_id = GetCurrentProcessId();
  std::vector<ProcessEntry> copies = EarlierOwnUserProcesses();
  std::erase_if(copies,
                [&](const ProcessEntry& e) { return e.id == own_id || !SameFileName(e.executable, own); });
  if (copies.empty()) return 0;
  const ProcessEntry earliest =
      *std::min_element(copies.begin(), copies.end(), [](const auto& a, const auto& b) {
        return a.started != b.started ? a.started < b.started : a.id < b.id;
      });
  const UINT show = RegisterWindowMessageA(kShowRequestMessage);
  for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, kLoopWindowClass, nullptr); window != nullptr;
       window = FindWindowExA(HWND_MESSAGE, window, kLoopWindowClass, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == earliest.id) PostMessageA(window, show, 0, 0);
  }
  return earliest.id;
}

}  // namespace lumi::platform::windows_backend
