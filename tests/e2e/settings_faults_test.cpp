// The built program against settings and ports that are not as they should be: it
// goes on, on what can work, and says once what cannot.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/cp1251.h"
#include "tests/e2e/program_runner.h"

namespace lumi::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

size_t Frames(const std::vector<unit::Event>& events, uint8_t first, uint8_t second) {
  return static_cast<size_t>(std::count_if(events.begin(), events.end(), [&](const unit::Event& event) {
    return event.kind == unit::EventKind::frame && event.bytes == std::vector<uint8_t>{first, second};
  }));
}

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(SettingsFaultsTest, AUnitPluggedInAfterTheStartIsUsedWithinACycle) {
  ProgramRunner program(FolderFor("later"));
  WriteSettings(program.SettingsPath(), AlternatingChannels());
  program.UnlinkPort();
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(Frames(program.Collect(2s), 0x55, 0xAA), 0u);
  program.LinkPort();
  // Pause 0.2: a cycle and a half, and a loaded machine's start-up, are well inside this.
  EXPECT_GE(Frames(program.Collect(1500ms), 0x55, 0xAA), 1u);
  EXPECT_EQ(program.Stop(), 0);
}

TEST(SettingsFaultsTest, AFolderNamedLikeAWindowsFolderKeepsItsSettings) {
  ProgramRunner program(FolderFor("%windir%-%tmpdir%"));
  WriteSettings(program.SettingsPath(), AlternatingChannels());
  ASSERT_TRUE(program.Start());
  // Read from the folder the program is in, not from an expanded one.
  EXPECT_GE(Frames(program.Collect(2s), 0x55, 0xAA), 3u);
  EXPECT_EQ(program.Stop(), 0);
}

TEST(SettingsFaultsTest, SettingsThatCannotWorkAreSaidOnceAndTheRestWorks) {
  ProgramRunner program(FolderFor("said"));
  std::string text;
  for (int channel = 0; channel < 14; ++channel)
    text +=
        "[" + std::to_string(channel) + "]\r\nSignal=0\r\nVar1=" + (channel % 2 == 0 ? "-1" : "100") + "\r\n";
  text += "[Main]\r\nPort=COM01\r\nBaudRade=230400\r\nPause=0.2\r\n";
  std::ofstream(program.SettingsPath(), std::ios::binary) << text;
  ASSERT_TRUE(program.Start());
  EXPECT_GE(Frames(program.Collect(2s), 0x55, 0xAA), 3u);  // COM01 is COM 1, at 9600
  EXPECT_EQ(program.Stop(), 0);
  const std::string said = program.ErrorOutput();
  EXPECT_EQ(Occurrences(said, "Скорость «230400» из файла настроек не из списка, взята 9600"), 1u) << said;
  EXPECT_EQ(Occurrences(said, "Порт"), 0u) << said;
}

TEST(SettingsFaultsTest, AnEmptySettingsFileIsSaidAndTheDefaultsRun) {
  ProgramRunner program(FolderFor("empty"));
  std::ofstream(program.SettingsPath(), std::ios::binary) << "";
  ASSERT_TRUE(program.Start());
  const std::vector<unit::Event> events = program.Collect(2500ms);
  // Every channel on processor load above 0 %, a cycle a second, on COM 1.
  EXPECT_GE(std::count_if(events.begin(), events.end(),
                          [](const unit::Event& event) { return event.kind == unit::EventKind::frame; }),
            1);
  EXPECT_EQ(program.Stop(), 0);
  EXPECT_EQ(Occurrences(program.ErrorOutput(), "В файле настроек нет порта ([Main] Port), взят COM 1"), 1u)
      << program.ErrorOutput();
}

TEST(SettingsFaultsTest, AFifoInPlaceOfTheSettingsFileNeverStopsTheProgram) {
  ProgramRunner program(FolderFor("fifo"));
  ASSERT_EQ(mkfifo(program.SettingsPath().c_str(), 0600), 0);
  ASSERT_TRUE(program.Start());
  const std::vector<unit::Event> events = program.Collect(2500ms);
  EXPECT_GE(std::count_if(events.begin(), events.end(),
                          [](const unit::Event& event) { return event.kind == unit::EventKind::frame; }),
            1);
  EXPECT_EQ(program.Stop(), 0);
  EXPECT_EQ(Occurrences(program.ErrorOutput(), "Settings.ini — не обычный файл"), 1u)
      << program.ErrorOutput();
}

}  // namespace
}  // namespace lumi::e2e
