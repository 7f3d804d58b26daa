#include "platform/linux/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "tests/support/temp_folder.h"

namespace lumi::platform::linux_backend {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return temp_.Path(name); }
  void Put(const std::string& name, const std::string& bytes) {
    std::ofstream(Path(name), std::ios::binary | std::ios::trunc) << bytes;
  }
  std::string Get(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(temp_.path())) names.insert(entry.path().filename());
    return names;
  }

  test::TempFolder temp_{"lumi-atomic"};
};

TEST_F(AtomicFileTest, LinksAreWrittenThroughEvenWhenTheirTargetIsMissing) {
  fs::create_directory(temp_.path() / "real");
  fs::create_symlink("real/Settings.ini", temp_.path() / "relative.ini");
  fs::create_symlink(Path("relative.ini"), temp_.path() / "chain.ini");
  ASSERT_TRUE(ReplaceFile(Path("chain.ini"), "[s]\r\n"));
  EXPECT_TRUE(fs::is_symlink(temp_.path() / "chain.ini"));
  EXPECT_TRUE(fs::is_symlink(temp_.path() / "relative.ini"));
  EXPECT_EQ(Get("real/Settings.ini"), "[s]\r\n");
  ASSERT_TRUE(ReplaceFile(Path("relative.ini"), "again"));
  EXPECT_EQ(Get("real/Settings.ini"), "again");

  // A loop and a link into a missing folder write nothing at all.
  fs::create_symlink("loop-b", temp_.path() / "loop-a");
  fs::create_symlink("loop-a", temp_.path() / "loop-b");
  fs::create_symlink("nowhere/file", temp_.path() / "lost.ini");
  const std::set<std::string> before = Names();
  EXPECT_FALSE(ReplaceFile(Path("loop-a"), "x"));
  EXPECT_FALSE(ReplaceFile(Path("lost.ini"), "x"));
  EXPECT_EQ(Names(), before);
  EXPECT_EQ(WriteTarget(Path("loop-a")), "");
}

TEST_F(AtomicFileTest, LeftoversOfKilledWritesGoAtTheFirstTouchAndNothingElse) {
  Put("Settings.ini", "kept");
  const std::set<std::string> leftovers = {".Settings.ini.12345678.tmp", ".Settings.ini.7.tmp",
                                           "Settings.ini.~3.tmp"};
  const std::set<std::string> others = {".Settings.ini.backup", ".Settings.ini.old.tmp",
                                        ".Other.ini.123.tmp",   "Settings.ini.~x.tmp",
                                        "Settings.ini.bak",     ".Settings.ini.123456789.tmp"};
  for (const std::string& name : leftovers) Put(name, "half a file");
  for (const std::string& name : others) Put(name, "not ours");
  fs::create_symlink("Settings.ini", temp_.path() / ".Settings.ini.5.tmp");
  // A writer still at work holds its temporary locked.
  Put(".Settings.ini.99.tmp", "being written");
  const int busy = open(Path(".Settings.ini.99.tmp").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(flock(busy, LOCK_EX), 0);

  RemoveLeftoversOnce(Path("Settings.ini"));
  std::set<std::string> expected = others;
  expected.insert({"Settings.ini", ".Settings.ini.5.tmp", ".Settings.ini.99.tmp"});
  EXPECT_EQ(Names(), expected);
  EXPECT_EQ(Get("Settings.ini"), "kept");
  close(busy);

  // Once per file: a later touch does not look again.
  Put(".Settings.ini.42.tmp", "later");
  ASSERT_TRUE(ReplaceFile(Path("Settings.ini"), "new"));
  EXPECT_TRUE(fs::exists(temp_.path() / ".Settings.ini.42.tmp"));
  EXPECT_EQ(Get("Settings.ini"), "new");
}

TEST_F(AtomicFileTest, TheFileIsReplacedWholeWithItsModeAndNoTemporaryStays) {
  Put("mode.ini", "old");
  fs::permissions(Path("mode.ini"), static_cast<fs::perms>(0640));
  ASSERT_TRUE(ReplaceFile(Path("mode.ini"), "new", 0600));
  EXPECT_EQ(Get("mode.ini"), "new");
  EXPECT_EQ(fs::status(Path("mode.ini")).permissions(), static_cast<fs::perms>(0640));
  ASSERT_TRUE(ReplaceFile(Path("private"), "secret", 0600));
  EXPECT_EQ(fs::status(Path("private")).permissions() & fs::perms::group_all, fs::perms::none);
  EXPECT_EQ(Names(), (std::set<std::string>{"mode.ini", "private"}));

  fs::create_directory(temp_.path() / "folder.ini");
  EXPECT_FALSE(ReplaceFile(Path("folder.ini"), "x"));
  EXPECT_FALSE(ReplaceFile("", "x"));
  EXPECT_EQ(Names(), (std::set<std::string>{"mode.ini", "private", "folder.ini"}));
}

}  // namespace
}  // namespace lumi::platform::linux_backend
