#include "platform/linux/linux_resolver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
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

TEST(LinuxResolver, ASlowLookupNeitherHoldsTheCallerNorPilesUp) {
  auto gate = std::make_shared<Gate>();
  LinuxResolver resolver(BlockingLookup(gate));

  // The lookup is still blocked when the call comes back: the caller did not wait
  // for it to finish.
  EXPECT_FALSE(resolver.Resolves("example.org", 200));
  ASSERT_TRUE(gate->WaitStarted(1));
  EXPECT_EQ(gate->Running(), 1);

  // Further calls meanwhile join the lookup in flight instead of starting others.
  EXPECT_FALSE(resolver.Resolves("example.org", 50));
  EXPECT_FALSE(resolver.Resolves("example.org", 0));
  EXPECT_EQ(gate->Started(), 1);

  // Once it answers, a caller still waiting for it gets that answer.
  gate->Open(true);
  EXPECT_TRUE(resolver.Resolves("example.org", 30000));
  ASSERT_TRUE(gate->WaitIdle());
  EXPECT_LE(gate->Started(), 2);
  EXPECT_EQ(gate->hosts.front(), "example.org");
}

TEST(LinuxResolver, AnotherNamesLookupIsWaitedForThenOursIsAsked) {
  auto gate = std::make_shared<Gate>();
  LinuxResolver resolver(BlockingLookup(gate));
  EXPECT_FALSE(resolver.Resolves("first.example", 0));
  gate->Open(true);
  EXPECT_TRUE(resolver.Resolves("second.example", 30000));
  ASSERT_TRUE(gate->WaitIdle());
  ASSERT_EQ(gate->hosts.size(), 2u);
  EXPECT_EQ(gate->hosts[1], "second.example");
}

TEST(LinuxResolver, OutlivedByItsLookup) {
  auto gate = std::make_shared<Gate>();
  {
    LinuxResolver resolver(BlockingLookup(gate));
    EXPECT_FALSE(resolver.Resolves("example.org", 10));
  }
  // The resolver is gone; the lookup finishes and reports into its own record.
  gate->Open(true);
  EXPECT_TRUE(gate->WaitIdle());
}

TEST(LinuxResolver, FailingLookupsReadAsUnresolved) {
  int calls = 0;
  LinuxResolver throwing([&calls](const std::string&) -> bool {
    ++calls;
    throw std::runtime_error("resolver broke");
  });
  EXPECT_FALSE(throwing.Resolves("example.org", 30000));
  EXPECT_EQ(calls, 1);

  LinuxResolver empty{LinuxResolver::Lookup()};
  EXPECT_FALSE(empty.Resolves("example.org", 30000));

  // No lookup at all for no name.
  EXPECT_FALSE(throwing.Resolves("", 30000));
  EXPECT_EQ(calls, 1);
}

TEST(LinuxResolver, SystemLookupWithoutNetwork) {
  // Both answers come from the local configuration: "localhost" from the hosts file,
  // and the reserved ".invalid" domain never resolves anywhere.
  LinuxResolver resolver;
  EXPECT_TRUE(resolver.Resolves("localhost", 30000));
  EXPECT_FALSE(resolver.Resolves("no-such-host.invalid", 2000));
}

}  // namespace
}  // namespace lumi::platform::linux_backend
