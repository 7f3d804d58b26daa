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

#include "platform/linux/linux_clock.h"
#include "runtime/cp1251.h"
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
TEST(LinuxSystem, ExecutableFolderEndsWithSlash) {
  platform::linux_backend::LinuxSystem system;
  std::string path = system.ExecutablePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.substr(path.rfind('/') + 1), "platform_tests");
  EXPECT_EQ(system.ExecutableFolder() + "platform_tests", path);
  EXPECT_EQ(system.TempFolder().back(), '/');
}

TEST(LinuxClock, NamesFollowTheLocaleOrStayEnglish) {
  platform::linux_backend::LinuxClock clock;
  const char* saved = std::getenv("LC_ALL");
  std::string keep = saved ? saved : "";
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(clock.Names().months[11], "December");
  // The Russian locale may not be generated on this machine; when it is, its names are
  // Windows-1251 texts.
  setenv("LC_ALL", "ru_RU.UTF-8", 1);
  std::string december = clock.Names().months[11];
  EXPECT_TRUE(december == "December" || cp1251::ToUtf8(december).find("екабр") != std::string::npos)
      << december;
  if (saved)
    setenv("LC_ALL", keep.c_str(), 1);
  else
    unsetenv("LC_ALL");
}

}  // namespace lumi::platform::linux_backend
