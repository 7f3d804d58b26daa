#include "platform/linux/linux_resolver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace lumi::platform::linux_backend {
namespace {

// A lookup that blocks until the test lets it answer, standing in for a system
// resolver that needs far longer than any caller may wait. Shared with the lookup
// threads, which may outlive the resolver and the test body.
struct Gate {
  std::mutex mutex;
  std::condition_variable changed;
  bool open = false;
  bool answer = false;
  int started = 0;
  int running = 0;
  std::vector<std::string> hosts;

  void Open(bool with_answer) {
    {
      std::lock_guard<std::mutex> lock(mutex);
      open = true;
      answer = with_answer;
    }
    changed.notify_all();
  }

  // Waits (boundedly, so a broken resolver fails the test instead of hanging it)
  // until no lookup runs any more.
  bool WaitIdle() {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(30), [&] { return running == 0; });
  }

  bool WaitStarted(int count) {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(30), [&] { return started >= count; });
  }

  int Running() {
    std::lock_guard<std::mutex> lock(mutex);
    return running;
  }
  int Started() {
    std::lock_guard<std::mutex> lock(mutex);
    return started;
  }
};

LinuxResolver::Lookup BlockingLookup(std::shared_ptr<Gate> gate) {
  return [gate](const std::string& host) {
    std::unique_lock<std::mutex> lock(gate->mutex);
    ++gate->started;
    ++gate->running;
    gate->hosts.push_back(host);
    gate->changed.notify_all();
    gate->changed.wait_for(lock, std::chrono::seconds(60), [&] { return gate->open; });
    const bool answer = gate->answer;
    --gate->running;
    gate->changed.notify_all();
    return answer;
  };
}

// Asks until the answer is `wanted` (a finished lookup lands on its own thread), at
// most for a while, so a broken resolver fails the test instead of hanging it.
bool AnswerBecomes(LinuxResolver& resolver, const std::string& host, bool wanted) {
  for (int turn = 0; turn < 3000; ++turn) {
    if (resolver.Reachable(host, 60000) == wanted) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(LinuxResolver, AnswersAtOnceFromTheLatestFinishedLookupOneAtATime) {
  auto gate = std::make_shared<Gate>();
  LinuxResolver resolver(BlockingLookup(gate));

  // Nothing has finished yet: "not reachable", and the caller did not wait.
  EXPECT_FALSE(resolver.Reachable("example.org", 60000));
  ASSERT_TRUE(gate->WaitStarted(1));
  // Further calls meanwhile neither wait nor start other lookups.
  for (int call = 0; call < 100; ++call) EXPECT_FALSE(resolver.Reachable("example.org", 60000));
  EXPECT_EQ(gate->Started(), 1);

  // Once it answers, the answer is read from then on.
  gate->Open(true);
  EXPECT_TRUE(AnswerBecomes(resolver, "example.org", true));
  ASSERT_TRUE(gate->WaitIdle());
}

TEST(LinuxResolver, ALookupHangingPastTheBoundReadsAsNotReachable) {
  auto gate = std::make_shared<Gate>();
  auto lookups = std::make_shared<std::atomic<int>>(0);
  LinuxResolver resolver([gate, lookups](const std::string& host) {
    // The first lookup answers at once; the second hangs until the test opens the gate.
    if (lookups->fetch_add(1) == 0) return true;
    return BlockingLookup(gate)(host);
  });
  ASSERT_TRUE(AnswerBecomes(resolver, "example.org", true));
  // Asked again once the gap has passed, the second lookup starts.
  for (int turn = 0; turn < 500 && gate->Started() == 0; ++turn) {
    EXPECT_TRUE(resolver.Reachable("example.org", 60000));
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(gate->WaitStarted(1));
  // Hanging, but not for long yet: the last answer holds; past the bound it is gone.
  EXPECT_TRUE(resolver.Reachable("example.org", 60000));
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(resolver.Reachable("example.org", 10));
  EXPECT_EQ(gate->Started(), 1);  // and no second thread joins the hung one
  gate->Open(false);
  EXPECT_TRUE(AnswerBecomes(resolver, "example.org", false));
  ASSERT_TRUE(gate->WaitIdle());
}

TEST(LinuxResolver, OutlivedByItsLookup) {
  auto gate = std::make_shared<Gate>();
  {
    LinuxResolver resolver(BlockingLookup(gate));
    EXPECT_FALSE(resolver.Reachable("example.org", 10));
  }
  // The resolver is gone; the lookup finishes and reports into its own record.
  gate->Open(true);
  EXPECT_TRUE(gate->WaitIdle());
}

TEST(LinuxResolver, FailingLookupsReadAsUnresolved) {
  auto calls = std::make_shared<std::atomic<int>>(0);
  LinuxResolver throwing([calls](const std::string&) -> bool {
    ++*calls;
    throw std::runtime_error("resolver broke");
  });
  EXPECT_FALSE(throwing.Reachable("example.org", 30000));
  for (int turn = 0; turn < 3000 && *calls == 0; ++turn)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(throwing.Reachable("example.org", 30000));
  EXPECT_GE(*calls, 1);

  LinuxResolver empty{LinuxResolver::Lookup()};
  EXPECT_FALSE(empty.Reachable("example.org", 30000));

  // No lookup at all for no name.
  const int before = *calls;
  EXPECT_FALSE(throwing.Reachable("", 30000));
  EXPECT_EQ(*calls, before);
}

TEST(LinuxResolver, SystemLookupWithoutNetwork) {
  // Both answers come from the local configuration: "localhost" from the hosts file,
  // and the reserved ".invalid" domain never resolves anywhere.
  LinuxResolver resolver;
  EXPECT_TRUE(AnswerBecomes(resolver, "localhost", true));
  LinuxResolver other;
  other.Reachable("no-such-host.invalid", 2000);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(other.Reachable("no-such-host.invalid", 2000));
}

}  // namespace
}  // namespace lumi::platform::linux_backend
