#pragma once

namespace lumi::platform::linux_backend {

// SIGINT and SIGTERM turned into a write to a descriptor that a loop watches, so that
// they end the loop cleanly instead of killing the process. One owner at a time; the
// previous handlers come back when it lets go.
class QuitSignals {
 public:
  QuitSignals() = default;
  ~QuitSignals() { Release(); }
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

  // From now on each of the signals adds 1 to the eventfd `fd`. False when another
  // owner holds them or the handlers could not be set.
  bool Take(int fd);
  void Release();
  bool Owned() const { return owned_; }

 private:
  bool owned_ = false;
};

}  // namespace lumi::platform::linux_backend
