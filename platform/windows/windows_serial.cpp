#include "platform/windows/windows_serial.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/windows/win32.h"

namespace lumi::platform::windows_backend {

namespace {

class WindowsSerialPort final : public SerialPort {
 public:
  explicit WindowsSerialPort(HANDLE handle) : handle_(handle) {}
  ~WindowsSerialPort() override { CloseHandle(handle_); }
  WindowsSerialPort(const WindowsSerialPort&) = delete;
  WindowsSerialPort& operator=(const WindowsSerialPort&) = delete;

  std::optional<size_t> Write(std::string_view bytes) override {
    DWORD written = 0;
    if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
      healthy_ = false;
      return std::nullopt;
    }
    // A write that timed out took only part of the frame: the unit is not reading.
    if (written < bytes.size()) healthy_ = false;
    return written;
  }

  // A USB adapter pulled out leaves a handle on which every call fails.
  bool IsHealthy() override {
    DWORD errors = 0;
    COMSTAT status{};
    if (healthy_ && !ClearCommError(handle_, &errors, &status)) healthy_ = false;
    return healthy_;
  }

 private:
  HANDLE handle_;
  bool healthy_ = true;
};

bool SetUp(HANDLE port, const std::string& mode, int32_t timeout_ms) {
  DCB line{};
  line.DCBlength = sizeof(line);
  if (!GetCommState(port, &line) || !BuildCommDCBA(mode.c_str(), &line) || !SetCommState(port, &line)) {
    return false;
  }
  const DWORD bound =
      static_cast<DWORD>(timeout_ms <= 0 ? WindowsSerial::kLongestWriteMs
                                         : std::min(timeout_ms, WindowsSerial::kLongestWriteMs));
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;  // reads return at once: the unit never answers
  timeouts.WriteTotalTimeoutConstant = bound;
  return SetCommTimeouts(port, &timeouts) != 0;
}

}  // namespace

std::unique_ptr<SerialPort> WindowsSerial::Open(int32_t number, std::string_view mode, int32_t timeout_ms) {
  if (number < 1 || number > 255) return nullptr;
  const std::string name = "\\\\.\\COM" + std::to_string(number);
  HANDLE port =
      CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) return nullptr;
  if (!SetUp(port, std::string(mode), timeout_ms)) {
    CloseHandle(port);
    return nullptr;
  }
  return std::make_unique<WindowsSerialPort>(port);
}

}  // namespace lumi::platform::windows_backend
