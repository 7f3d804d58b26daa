#pragma once

namespace lumi::platform::linux_backend {

// The signals a loop answers, turned into a write to a descriptor that it watches:
// SIGINT, SIGTERM and SIGHUP (the terminal that started the program went away) end
// the loop cleanly instead of killing the process; SIGUSR1 is another start of the
// program asking this one to bring its window forward. One owner at a time; the
// previous handlers come back when it lets go.
class QuitSignals {
 public:
  struct Pending {
    bool quit = false;
    bool show = false;
  };

  QuitSignals() = default;
  ~QuitSignals() { Release(); }
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

  // From now on each of the signals adds 1 to the eventfd `fd`. False when another
  // owner holds them or the handlers could not be set.
  bool Take(int fd);
  void Release();
  bool Owned() const { return owned_; }

  // What arrived since the last call; the loop asks after its descriptor woke it.
  static Pending TakePending();

  // Until a loop takes them over, a show request must not kill a copy that is still
  // starting: the program ignores SIGUSR1 from its first instruction on.
  static void IgnoreShowRequests();

 private:
  bool owned_ = false;
};

}  // namespace lumi::platform::linux_backend
