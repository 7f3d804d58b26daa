#include "platform/windows/windows_sensors.h"

#include "platform/windows/win32.h"

namespace lumi::platform::windows_backend {

namespace {

uint64_t Ticks(const FILETIME& time) {
  return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

int32_t WindowsProcessors::Count() {
  const DWORD count = GetActiveProcessorCount(ALL_PROCESSOR_GROUPS);
  return count == 0 ? 1 : static_cast<int32_t>(count);
}

std::vector<ProcessorTimes> WindowsProcessors::Sample() {
  FILETIME idle{}, kernel{}, user{};
  if (!GetSystemTimes(&idle, &kernel, &user)) return {};
  // Kernel time includes the idle time.
  ProcessorTimes all;
  all.total = Ticks(kernel) + Ticks(user);
  const uint64_t idle_ticks = Ticks(idle);
  all.busy = all.total > idle_ticks ? all.total - idle_ticks : 0;
  return std::vector<ProcessorTimes>(static_cast<size_t>(Count()) + 1, all);
}

MemoryStatus WindowsMemory::Read() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  if (!GlobalMemoryStatusEx(&status)) return {};
  return {.total_physical = status.ullTotalPhys,
          .available_physical = status.ullAvailPhys,
          .total_swap = status.ullTotalPageFile,
          .available_swap = status.ullAvailPageFile};
}

int32_t WindowsKeyboard::ForegroundWindow() {
  // Window handles carry 32 significant bits, also on 64-bit Windows.
  return static_cast<int32_t>(reinterpret_cast<intptr_t>(GetForegroundWindow()));
}

int32_t WindowsKeyboard::LayoutOf(int32_t window) {
  HWND handle = reinterpret_cast<HWND>(static_cast<intptr_t>(window));
  const DWORD thread = window == 0 ? 0 : GetWindowThreadProcessId(handle, nullptr);
  return static_cast<int32_t>(reinterpret_cast<uintptr_t>(GetKeyboardLayout(thread)));
}

}  // namespace lumi::platform::windows_backend
