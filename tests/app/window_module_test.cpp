#include "app/window_module.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temp_folder.h"

namespace lumi::app {
namespace {

namespace fs = std::filesystem;

class WindowModuleTest : public ::testing::Test {
 protected:
  test::TempFolder prefix_{"window-module"};
  std::string bin_ = prefix_.Path("bin") + "/";
  std::string installed_ = prefix_.Path("lib/lumiscope/lumiscope-window.so");

  void SetUp() override {
    fs::create_directories(bin_);
    fs::create_directories(prefix_.Path("lib/lumiscope"));
  }
};

// The installed program finds the module the package puts in lib/lumiscope.
TEST_F(WindowModuleTest, InstalledModuleIsFoundFromTheProgramFolder) {
  std::ofstream(installed_) << "module";
  EXPECT_EQ(fs::path(FindWindowModule(bin_)).lexically_normal(), fs::path(installed_));
  EXPECT_EQ(fs::path(WindowModulePlaces("/usr/bin/").back()).lexically_normal(),
            "/usr/lib/lumiscope/lumiscope-window.so");
}

// A build folder or a portable copy brings its own module, which wins over an
// installed one of perhaps another version.
TEST_F(WindowModuleTest, ModuleBesideTheProgramComesFirst) {
  std::ofstream(installed_) << "module";
  std::ofstream(bin_ + "lumiscope-window.so") << "module";
  EXPECT_EQ(FindWindowModule(bin_), bin_ + "lumiscope-window.so");
}

TEST_F(WindowModuleTest, NoModuleAnywhereIsNone) {
  EXPECT_EQ(FindWindowModule(bin_), "");
  fs::create_directories(bin_ + "lumiscope-window.so");  // a folder of that name is no module
  EXPECT_EQ(FindWindowModule(bin_), "");
  EXPECT_EQ(FindWindowModule(""), "");
}

}  // namespace
}  // namespace lumi::app
