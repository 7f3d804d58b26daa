#include "platform/linux/settings_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temp_folder.h"

namespace lumi::platform::linux_backend {
namespace {

namespace fs = std::filesystem;

class SettingsFolderTest : public ::testing::Test {
 protected:
  test::TempFolder temp_{"settings-folder"};
  std::string program_ = temp_.Path("program") + "/";
  std::string config_ = temp_.Path("config");
  std::string user_folder_ = config_ + "/lumiscope/";

  void SetUp() override { fs::create_directories(program_); }
  void TearDown() override { fs::permissions(program_, fs::perms::owner_all); }
};

// The portable copy: a folder the user may write keeps the settings beside the
// executable, with or without a settings file yet, and no config folder is made.
TEST_F(SettingsFolderTest, WritableFolderKeepsTheSettingsBesideTheProgram) {
  EXPECT_EQ(ChooseSettingsFolder(program_, config_), program_);
  EXPECT_EQ(ChooseSettingsFolder(temp_.Path("program"), config_), program_) << "a folder without its final /";
  std::ofstream(program_ + "Settings.ini") << "[Settings]\n";
  EXPECT_EQ(ChooseSettingsFolder(program_, config_), program_);
  EXPECT_FALSE(fs::exists(config_));
}

// An existing settings file is this copy's settings wherever it stands, even in a
// folder nobody may write (its problems are then told, not bypassed by a fresh file
// elsewhere), and even a dangling link of that name.
TEST_F(SettingsFolderTest, ExistingSettingsFileStaysInUse) {
  fs::create_symlink(temp_.Path("gone"), program_ + "Settings.ini");
  fs::permissions(program_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(ChooseSettingsFolder(program_, config_), program_);
}

// Root may write /usr/bin, but a package's folder must not be joined by one user's
// settings (purging the package would leave them): the user's config folder is made,
// private, for them.
TEST_F(SettingsFolderTest, SystemProgramFolderSendsTheSettingsToTheUsersConfigFolder) {
  ASSERT_FALSE(fs::exists("/usr/bin/Settings.ini"));
  for (const char* folder : {"/usr/bin/", "/usr/bin", "/usr/local/bin/", "/usr/sbin/", "/usr/games/"}) {
    EXPECT_EQ(ChooseSettingsFolder(folder, config_), user_folder_) << folder;
  }
  struct stat info {};
  ASSERT_EQ(stat(user_folder_.c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

// A folder the user may not write (a copy unpacked by root under /opt): the config
// folder. Root may write everywhere, so this case needs an ordinary user.
TEST_F(SettingsFolderTest, ReadOnlyFolderSendsTheSettingsToTheUsersConfigFolder) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write every folder; run as an ordinary user";
  fs::permissions(program_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(ChooseSettingsFolder(program_, config_), user_folder_);
  EXPECT_TRUE(fs::is_directory(user_folder_));
}

// Without a known home the executable's folder is all there is: the settings file
// cannot be made there, which the program says.
TEST_F(SettingsFolderTest, UnknownConfigHomeLeavesTheProgramFolder) {
  EXPECT_EQ(ChooseSettingsFolder("/usr/bin/", ""), "/usr/bin/");
  EXPECT_EQ(ChooseSettingsFolder("/usr/bin/", "relative/config"), "/usr/bin/");
}

// A config folder that cannot be made (a file stands in its way) is still the choice:
// the settings file then cannot be created, and the program says so.
TEST_F(SettingsFolderTest, ConfigFolderThatCannotBeMadeIsStillChosen) {
  std::ofstream(config_) << "a file, not a folder";
  EXPECT_EQ(ChooseSettingsFolder("/usr/bin/", config_), user_folder_);
  EXPECT_TRUE(fs::is_regular_file(config_));
}

}  // namespace
}  // namespace lumi::platform::linux_backend
