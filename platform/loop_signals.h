#pragma once

namespace lumi::platform {

// What the system asks of the running program from outside, turned into a wake-up of
// the loop that watches: an end (Ctrl-C, the terminal that started it gone, a request
// to terminate), which ends the loop cleanly instead of killing the process, or a
// later start of the program asking this one to bring its window forward. One owner
// at a time; what was there before comes back when it lets go. Each platform family
// implements it once (POSIX: SIGINT, SIGTERM, SIGHUP and SIGUSR1 written to an
// eventfd the loop polls).
class LoopSignals {
 public:
  struct Pending {
    bool quit = false;
    bool show = false;
  };

  LoopSignals() = default;
  ~LoopSignals() { Release(); }
  LoopSignals(const LoopSignals&) = delete;
  LoopSignals& operator=(const LoopSignals&) = delete;

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

}  // namespace lumi::platform
