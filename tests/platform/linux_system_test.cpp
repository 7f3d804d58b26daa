#include "platform/linux/linux_system.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/temp_folder.h"

namespace lumi::platform::linux_backend {
namespace {

TEST(ProcessStartTicksTest, ReadsFieldTwentyTwoWhateverTheName) {
  const char* fields = " S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 987654 20 21\n";
  EXPECT_EQ(ProcessStartTicks(std::string("42 (sleep)") + fields), 987654u);
  // A name with blanks and brackets of its own must not shift the fields.
  EXPECT_EQ(ProcessStartTicks(std::string("42 (a) b (c) d)") + fields), 987654u);
  EXPECT_FALSE(ProcessStartTicks("42 (sleep) S 1 2 3"));
  EXPECT_FALSE(ProcessStartTicks("no brackets at all"));
  EXPECT_FALSE(ProcessStartTicks("42 (x) S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 12ab 20"));
  EXPECT_FALSE(ProcessStartTicks(""));
}

// A process started after this one is listed among the running ones but not among the
// earlier ones; this process itself is among both.
TEST(LinuxSystemTest, EarlierProcessesLeaveOutLaterOnes) {
  test::TempFolder folder("system");
  std::string copy = folder.Path("later-copy-of-sleep");
  std::filesystem::copy_file("/bin/sleep", copy);
  std::filesystem::permissions(copy, std::filesystem::perms::owner_all);

  pid_t child = 0;
  char seconds[] = "30";
  char* argv[] = {copy.data(), seconds, nullptr};
  ASSERT_EQ(posix_spawn(&child, copy.c_str(), nullptr, nullptr, argv, environ), 0);

  LinuxSystem system;
  std::string own = system.ExecutablePath();
  auto listed = [](const std::vector<std::string>& list, const std::string& exe) {
    return std::find(list.begin(), list.end(), exe) != list.end();
  };
  // The child's /proc/<pid>/exe points at the copy once it has executed it.
  bool seen = false;
  for (int attempt = 0; attempt < 200 && !seen; ++attempt) {
    seen = listed(system.ProcessExecutables(), copy);
    if (!seen) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::vector<std::string> earlier = system.EarlierProcessExecutables();
  kill(child, SIGKILL);
  // Dead but not yet reaped, a zombie is no running copy: neither its path nor the
  // name the kernel keeps for it may be listed.
  waitid(P_PID, static_cast<id_t>(child), nullptr, WEXITED | WNOWAIT);
  std::vector<std::string> with_zombie = system.ProcessExecutables();
  waitpid(child, nullptr, 0);
  EXPECT_FALSE(listed(with_zombie, copy));
  EXPECT_FALSE(listed(with_zombie, "later-copy-of-s"));

  EXPECT_TRUE(seen);
  EXPECT_FALSE(listed(earlier, copy));
  EXPECT_TRUE(listed(earlier, own));
  EXPECT_TRUE(listed(system.ProcessExecutables(), own));
}

}  // namespace
}  // namespace lumi::platform::linux_backend
