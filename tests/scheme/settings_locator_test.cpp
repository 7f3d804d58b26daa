#include "scheme/settings_locator.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "elements/device/str_list.h"
#include "resources/default_settings.h"
#include "runtime/multi_element.h"
#include "scheme/change_collector.h"
#include "tests/support/probe.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using test::Probe;

class SettingsLocatorTest : public test::SchemeTest {
 protected:
  void SetUp() override {
    SchemeTest::SetUp();
    locator.SetCreator(CreatorOf<SettingsLocator>());
    locator.OnEvent.Resize(8);
    // As the main scheme does: event 0 saves the built-in text to the located path.
    defaults.SetStrings(resources::DefaultSettings());
    defaults.InFileName = Link<&TElMultiElement::OutVar>(&locator, 2);
    locator.OnEvent[0] = Link<&TElStrList::SaveToFile>(&defaults);
    for (uint16_t j = 1; j < 8; ++j) locator.OnEvent[j] = test::ToProbe(&events, j);
  }

  std::vector<uint16_t> Locate() {
    events.indices.clear();
    events.received.clear();
    TData none;
    locator.Work(none, 0);
    return events.indices;
  }

  std::string FileText() const {
    std::ifstream in(SettingsPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  TElStrList defaults;
  Probe events;
  TElMultiElement locator;
};

TEST_F(SettingsLocatorTest, DefaultTextIsTheFirstStartFile) {
  const std::string& text = resources::DefaultSettings();
  EXPECT_TRUE(text.starts_with("[0]\r\nSignal=0\r\nVar1=7\r\nVar2=C\r\n\r\n[1]\r\nSignal=0\r\nVar1=14\r\n"));
  EXPECT_NE(text.find("[12]\r\nSignal=0\r\nVar1=91\r\nVar2=C\r\n\r\n"), std::string::npos);
  EXPECT_NE(text.find("[13]\r\nSignal=0\r\nVar1=99\r\nVar2=C\r\n\r\n[Main]\r\n"), std::string::npos);
  EXPECT_TRUE(text.ends_with("\r\n\r\n[Main]\r\nPort=COM 1\r\nBaudRade=9600\r\nPause=1\r\n"));
  EXPECT_EQ(text.find("[00]"), std::string::npos);
  EXPECT_EQ(text.find("[14]"), std::string::npos);
}

TEST_F(SettingsLocatorTest, MissingFileIsCreatedThenSetupMode) {
  EXPECT_EQ(Locate(), (std::vector<uint16_t>{1, 2, 3, 4}));
  EXPECT_EQ(FileText(), resources::DefaultSettings());
  EXPECT_EQ(profile.ReadInteger(SettingsPath(), "13", "Var1", 0), 99);
  EXPECT_EQ(profile.ReadInteger(SettingsPath(), "6", "Var1", 0), 49);
  for (uint16_t reader = 0; reader < 6; ++reader) {
    TData path;
    locator.OutVar(path, reader);
    EXPECT_EQ(path.AsString(), SettingsPath());
  }
}

TEST_F(SettingsLocatorTest, ExistingFileIsKeptThenWorkModeAndTray) {
  { std::ofstream(SettingsPath(), std::ios::binary) << "[Main]\r\nPause=2\r\n"; }
  EXPECT_EQ(Locate(), (std::vector<uint16_t>{1, 2, 3, 5, 6}));
  EXPECT_EQ(FileText(), "[Main]\r\nPause=2\r\n");

  // A folder of that name is no settings file: written over like a missing one, which
  // fails and is said.
  std::filesystem::remove(SettingsPath());
  std::filesystem::create_directory(SettingsPath());
  EXPECT_EQ(Locate(), (std::vector<uint16_t>{7, 1, 2, 3, 4}));
  EXPECT_EQ(events.received[0].AsString(),
            Cp("Файл настроек Settings.ini создать не удалось, действуют настройки по умолчанию"));

  // A FIFO would make every read wait for a writer: said, and the defaults in work mode.
  std::filesystem::remove(SettingsPath());
  ASSERT_EQ(mkfifo(SettingsPath().c_str(), 0600), 0);
  EXPECT_EQ(Locate(), (std::vector<uint16_t>{7, 1, 2, 3, 5, 6}));
  EXPECT_EQ(events.received[0].AsString(),
            Cp("Settings.ini — не обычный файл, действуют настройки по умолчанию"));
}

TEST_F(SettingsLocatorTest, ChangeCollectorSignalFirstThenTheChangedKey) {
  TElMultiElement collector;
  collector.SetCreator(CreatorOf<ChangeCollector>());
  collector.OnEvent.Resize(1);
  Probe keys;
  collector.OnEvent[0] = test::ToProbe(&keys);
  const std::vector<int> parameter = {1, 2, 1, 2, 1, 2, 1, 1, 1, 1, 2, 2, 2};
  for (uint16_t point = 0; point < 13; ++point) {
    keys.received.clear();
    TData change = TData::Integer(42);
    collector.Work(change, point);
    ASSERT_EQ(keys.Count(), 2u) << point;
    EXPECT_EQ(keys.received[0].AsInteger(), 0) << point;
    EXPECT_EQ(keys.received[1].AsInteger(), parameter[point]) << point;
  }
}

}  // namespace
}  // namespace lumi
