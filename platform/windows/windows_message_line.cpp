// Message lines on Windows: a console may be slow (a selection holds it) and a pipe may
// be full, so lines go to a writer thread and are dropped when it cannot keep up.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "platform/message_line.h"
#include "platform/windows/win32.h"

namespace lumi::platform {

namespace {

constexpr size_t kMostWaiting = 64;
constexpr size_t kLongest = 4095;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

void WriteToStandardError(const std::string& line) {
  HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (error == nullptr || error == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(error, &mode)) {
    std::wstring wide(line.size() + 2, L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(length > 0 ? length : 0));
    wide += L"\r\n";
    WriteConsoleW(error, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const std::string bytes = line + "\r\n";
  WriteFile(error, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

class LineWriter {
 public:
  void Add(std::string line) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (waiting_.size() >= kMostWaiting) return;
    waiting_.push_back(std::move(line));
    if (!started_) {
      started_ = true;
      try {
        std::thread([this] { Work(); }).detach();
      } catch (...) {
        started_ = false;
        waiting_.clear();
        return;
      }
    }
    changed_.notify_all();
  }

  // Lines written just before the program ends ("already running ...") still go out,
  // unless the writer is stuck.
  void Flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, std::chrono::seconds(1), [this] { return waiting_.empty() && !writing_; });
  }

 private:
  void Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return !waiting_.empty(); });
      std::string line = std::move(waiting_.front());
      waiting_.pop_front();
      writing_ = true;
      lock.unlock();
      WriteToStandardError(line);
      lock.lock();
      writing_ = false;
      changed_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> waiting_;
  bool started_ = false;
  bool writing_ = false;
};

// The writer thread may still be waiting when the program ends, so the writer is never
// destroyed; what it holds is flushed at exit.
LineWriter& Writer() {
  static LineWriter* writer = new LineWriter;
  return *writer;
}

struct FlushAtExit {
  ~FlushAtExit() { Writer().Flush(); }
} flush_at_exit;

}  // namespace

void WriteMessageLine(std::string_view line) {
  LineWriter& writer = Writer();
  if (line.size() > kLongest) {
    size_t cut = kLongest;
    while (cut > 0 && IsContinuationByte(line[cut])) --cut;
    line = line.substr(0, cut);
  }
  writer.Add(std::string(line));
}

}  // namespace lumi::platform
