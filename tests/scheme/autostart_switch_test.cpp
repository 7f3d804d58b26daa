#include "scheme/autostart_switch.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "elements/window/check_box.h"
#include "elements/window/group_box.h"
#include "platform/linux/linux_registry.h"
#include "runtime/multi_element.h"
#include "tests/support/probe.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

namespace fs = std::filesystem;

class AutostartSwitchTest : public test::SchemeTest {
 protected:
  void SetUp() override {
    SchemeTest::SetUp();
    // The user's configuration lives in the test's own folder, never in $HOME.
    platform::Current().registry = &registry;
    system.executable_folder = folder.string() + "/my apps/";

    autostart = std::make_unique<TElMultiElement>();
    autostart->SetCreator(CreatorOf<AutostartSwitch>());
    autostart->OnEvent.Resize(1);
    autostart->OnEvent[0] = test::ToProbe(&reports);
  }
  void TearDown() override {
    autostart.reset();
    SchemeTest::TearDown();
  }

  void Work(uint16_t index, TData value) { autostart->Work(value, index); }
  // What the start-up read reports.
  int32_t ReadAtStartUp() {
    const size_t before = reports.Count();
    Work(0, TData());
    EXPECT_EQ(reports.Count(), before + 1);
    return reports.Count() == before + 1 ? reports.Last().AsInteger() : -1;
  }

  fs::path ConfigHome() const { return folder / "config"; }
  fs::path Entry() const { return ConfigHome() / "autostart" / "Murvane.desktop"; }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void PutEntry(const std::string& path) {
    ASSERT_TRUE(registry.Set(platform::RegistryRoot::CurrentUser, AutostartSwitch::kRunKey,
                             AutostartSwitch::kValueName, {platform::RegistryType::String, path}));
  }

  platform::linux_backend::LinuxRegistry registry{(folder / "config").string()};
  test::Probe reports;
  std::unique_ptr<TElMultiElement> autostart;
};

TEST_F(AutostartSwitchTest, StartUpReadReportsAndNeverWrites) {
  EXPECT_EQ(ReadAtStartUp(), 0);
  EXPECT_FALSE(fs::exists(ConfigHome()));  // not even a folder was made

  PutEntry(system.ExecutablePath());
  const std::string entry = Read(Entry());
  const auto written = fs::last_write_time(Entry());
  EXPECT_EQ(ReadAtStartUp(), 1);
  EXPECT_EQ(ReadAtStartUp(), 1);
  EXPECT_EQ(Read(Entry()), entry);
  EXPECT_EQ(fs::last_write_time(Entry()), written);
  EXPECT_EQ(fs::directory_iterator(ConfigHome() / "autostart")->path(), Entry());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AutostartSwitchTest, OnWritesThePathAndOffDeletesIt) {
  Work(1, TData::Integer(1));
  ASSERT_TRUE(fs::exists(Entry()));
  // The path has a blank in it: it must come back whole.
  EXPECT_NE(Read(Entry()).find("\nExec=\"" + system.ExecutablePath() + "\"\n"), std::string::npos);
  EXPECT_EQ(ReadAtStartUp(), 1);
  EXPECT_EQ(reports.Count(), 1u);  // switching reports nothing by itself

  Work(1, TData::Integer(0));
  EXPECT_FALSE(fs::exists(Entry()));
  EXPECT_EQ(ReadAtStartUp(), 0);
  Work(1, TData::Integer(0));  // once more: nothing to delete, nothing said
  EXPECT_TRUE(messages.shown.empty());

  // Only 0 and 1 mean anything.
  Work(1, TData::Integer(2));
  EXPECT_FALSE(fs::exists(Entry()));
}

TEST_F(AutostartSwitchTest, MovedProgramReadsOffUntilCheckedAgain) {
  PutEntry("/old/place/lumiscope");
  EXPECT_EQ(ReadAtStartUp(), 0);
  EXPECT_NE(Read(Entry()).find("Exec=/old/place/lumiscope\n"), std::string::npos);  // left as it was

  Work(1, TData::Integer(1));
  EXPECT_EQ(registry.Query(platform::RegistryRoot::CurrentUser, AutostartSwitch::kRunKey, "murvane")->bytes,
            system.ExecutablePath());
  EXPECT_EQ(ReadAtStartUp(), 1);
}

TEST_F(AutostartSwitchTest, CheckBoxFollowsAndDrivesTheEntry) {
  // Wired as in the main window: the start-up read sets the box, the user's clicks
  // switch autostart.
  TElGroupBox window(nullptr);
  window.Width = 300;
  window.Height = 100;
  window.Init();
  TElCheckBox box(&window);
  box.Width = 170;
  box.Height = 20;
  box.Init();
  autostart->OnEvent[0] = Link<&TElCheckBox::Check>(&box);
  box.OnClick = Link<&TElMultiElement::Work>(autostart.get(), 1);

  PutEntry(system.ExecutablePath());
  const auto written = fs::last_write_time(Entry());
  Work(0, TData());
  EXPECT_TRUE(box.Checked);
  EXPECT_EQ(fs::last_write_time(Entry()), written);  // setting the mark wrote nothing

  ASSERT_TRUE(user.ToggleCheck(box.PlatformControl()));
  EXPECT_FALSE(box.Checked);
  EXPECT_FALSE(fs::exists(Entry()));
  ASSERT_TRUE(user.ToggleCheck(box.PlatformControl()));
  EXPECT_TRUE(fs::exists(Entry()));

  // A store that refuses the entry says so once; the mark stays as the user set it.
  platform::linux_backend::LinuxRegistry nowhere{""};
  platform::Current().registry = &nowhere;
  ASSERT_TRUE(user.ToggleCheck(box.PlatformControl()));
  ASSERT_TRUE(user.ToggleCheck(box.PlatformControl()));
  EXPECT_TRUE(box.Checked);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, Cp("Не удалось произвести запись в реестр"));
  platform::Current().registry = &registry;
}

}  // namespace
}  // namespace lumi
