#include "platform/windows/standard_handles.h"

#include "platform/windows/win32.h"

namespace lumi::platform::windows_backend {

namespace {

bool IsOpen(HANDLE handle) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  // GetFileType knows console handles too, which on Windows 7 are no kernel handles.
  SetLastError(NO_ERROR);
  return GetFileType(handle) != FILE_TYPE_UNKNOWN || GetLastError() == NO_ERROR;
}

}  // namespace

void OpenMissingStandardHandles() {
  constexpr DWORD kStandard[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
  bool missing[3] = {};
  for (int i = 0; i < 3; ++i) missing[i] = !IsOpen(GetStdHandle(kStandard[i]));
  for (int i = 0; i < 3; ++i) {
    if (!missing[i]) continue;
    HANDLE null = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (null != INVALID_HANDLE_VALUE) SetStdHandle(kStandard[i], null);
  }
}

}  // namespace lumi::platform::windows_backend
