#include "platform/headless/poll_loop.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <string>
#include <thread>
#include <vector>

namespace lumi::platform::headless {
namespace {

using namespace std::chrono_literals;

TEST(PollLoopTest, TimersTickInDueOrderAndMayStopOrStartTimers) {
  PollLoop loop;
  std::vector<std::string> log;
  EventLoop::TimerId fast = 0, doomed = 0, slow = 0;
  fast = loop.StartTimer(10, [&] {
    log.push_back("fast");
    loop.StopTimer(fast);
    loop.StopTimer(doomed);
    loop.StartTimer(10, [&] {
      log.push_back("started");
      loop.Quit();
    });
  });
  doomed = loop.StartTimer(10, [&] { log.push_back("doomed"); });
  slow = loop.StartTimer(60'000, [&] { log.push_back("slow"); });

  loop.Run();

  EXPECT_EQ(log, (std::vector<std::string>{"fast", "started"}));
  loop.StopTimer(slow);
  loop.StopTimer(slow);
}

TEST(PollLoopTest, IdleStepsLetWhatWaitsRunBetweenThemWithoutSleeping) {
  PollLoop loop;
  std::vector<std::string> log;
  int steps = 0;
  EventLoop::TimerId step = 0;
  step = loop.StartTimer(EventLoop::kIdle, [&] {
    log.push_back("step");
    // What arrives during a step is handled before the next one.
    if (steps == 0) loop.Post([&] { log.push_back("posted"); });
    if (++steps == 3) {
      loop.StopTimer(step);
      loop.Quit();
    }
  });
  loop.Run();
  EXPECT_EQ(log, (std::vector<std::string>{"step", "posted", "step", "step"}));
}

TEST(PollLoopTest, QuitEndsRunAfterTheCurrentCallback) {
  PollLoop loop;
  std::vector<int> ran;
  loop.Post([&] {
    ran.push_back(1);
    loop.Quit();
  });
  loop.Post([&] { ran.push_back(2); });
  loop.Run();
  EXPECT_EQ(ran, (std::vector<int>{1}));

  // What was left waits for the next Run; a Quit before Run ends it at once.
  loop.Quit();
  loop.Run();
  EXPECT_EQ(ran, (std::vector<int>{1}));
  loop.Post([&] { loop.Quit(); });
  loop.Run();
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST(PollLoopTest, PostFromAnotherThreadWakesTheLoop) {
  PollLoop loop;
  std::thread::id ran_on;
  // No timers: without a wake-up the loop would sleep forever.
  std::thread poster([&] {
    loop.Post([&] {
      ran_on = std::this_thread::get_id();
      loop.Quit();
    });
  });
  loop.Run();
  poster.join();
  EXPECT_EQ(ran_on, std::this_thread::get_id());
}

TEST(PollLoopTest, AStallSkipsMissedPeriodsInsteadOfBursting) {
  const PollLoop::Clock::time_point start{};
  EXPECT_EQ(PollLoop::NextDue(start, 10ms, start + 3ms), start + 10ms);
  EXPECT_EQ(PollLoop::NextDue(start, 10ms, start + 10ms), start + 20ms);
  EXPECT_EQ(PollLoop::NextDue(start, 10ms, start + 65ms), start + 70ms);
  EXPECT_EQ(PollLoop::NextDue(start, 10ms, start + 70ms), start + 80ms);
}

TEST(PollLoopTest, TerminationSignalEndsRunAndHandlersComeBack) {
  struct sigaction before = {};
  sigaction(SIGTERM, nullptr, &before);
  {
    PollLoop loop;
    ASSERT_TRUE(loop.QuitOnSignals());
    PollLoop other;
    EXPECT_FALSE(other.QuitOnSignals());  // one owner at a time
    loop.Post([] { raise(SIGTERM); });
    loop.Run();
  }
  struct sigaction after = {};
  sigaction(SIGTERM, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
}

}  // namespace
}  // namespace lumi::platform::headless
