#pragma once

#include <chrono>
#include <thread>

namespace lumi::gui {

// Asks again and again, a little apart, until the answer is yes or `limit` has passed:
// generous limits cost nothing when things go well, and no test sleeps for a fixed
// while.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds limit,
               std::chrono::milliseconds interval = std::chrono::milliseconds(50)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(interval);
  }
}

}  // namespace lumi::gui
