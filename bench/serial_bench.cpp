#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/linux/linux_serial.h"

namespace {

namespace fs = std::filesystem;
using lumi::platform::linux_backend::LinuxSerial;

constexpr char kMode[] = "baud=9600 parity=N data=8 stop=1 octs=off";

// A program folder whose ports/COM1 is the slave of a fresh pseudo-terminal.
class Line {
 public:
  Line() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    char name[128];
    if (ptsname_r(master_, name, sizeof name) != 0) return;
    folder_ = fs::temp_directory_path() / ("lumi_serial_bench_" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "ports");
    fs::create_symlink(name, folder_ / "ports" / "COM1");
    ok_ = true;
  }
  ~Line() {
    if (master_ >= 0) close(master_);
    if (!folder_.empty()) fs::remove_all(folder_);
  }

  bool ok() const { return ok_; }
  std::string Folder() const { return folder_.string() + "/"; }

  bool Drain(size_t count) {
    char buffer[64];
    size_t got = 0;
    while (got < count) {
      pollfd ready{master_, POLLIN, 0};
      if (poll(&ready, 1, 1000) <= 0) return false;
      ssize_t n = read(master_, buffer, sizeof buffer);
      if (n <= 0) return false;
      got += static_cast<size_t>(n);
    }
    return true;
  }

 private:
  int master_ = -1;
  fs::path folder_;
  bool ok_ = false;
};

// One frame: two bytes written through an open port and read on the other side.
void BM_WriteFrame(benchmark::State& state) {
  Line line;
  if (!line.ok()) return state.SkipWithError("no pseudo-terminal");
  LinuxSerial serial(line.Folder());
  auto port = serial.Open(1, kMode, 10);
  if (port == nullptr) return state.SkipWithError("port did not open");
  for (auto _ : state) {
    auto written = port->Write("\x01\x81");
    if (!written || *written != 2 || !line.Drain(2)) return state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_WriteFrame);

// What a byte would cost if the port were opened, set up and closed around it.
void BM_OpenWriteClose(benchmark::State& state) {
  Line line;
  if (!line.ok()) return state.SkipWithError("no pseudo-terminal");
  LinuxSerial serial(line.Folder());
  for (auto _ : state) {
    auto port = serial.Open(1, kMode, 10);
    if (port == nullptr || port->Write("\x01") != 1u || !line.Drain(1)) {
      return state.SkipWithError("open or write failed");
    }
  }
}
BENCHMARK(BM_OpenWriteClose);

}  // namespace
