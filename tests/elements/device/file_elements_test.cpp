#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "elements/device/application.h"
#include "elements/device/dir.h"
#include "elements/device/enum_process.h"
#include "elements/device/file_part.h"
#include "elements/device/file_tools.h"
#include "platform/linux/linux_system.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using test::Probe;
using test::ToProbe;

class FileElementsTest : public test::RuntimeTest {};

// Fires Split and returns path, name and extension in the order they came.
struct Parts {
  std::vector<Text> texts;
  std::vector<uint16_t> order;
};

Parts SplitOf(const Text& path, bool ext_without_dot, bool name_with_ext) {
  TElFilePart part;
  part.ExtWithoutDot = ext_without_dot;
  part.NameWithExt = name_with_ext;
  Probe probe;
  part.OnPath = ToProbe(&probe, 0);
  part.OnName = ToProbe(&probe, 1);
  part.OnExt = ToProbe(&probe, 2);
  TData data = TData::String(path);
  Fire(Link<&TElFilePart::Split>(&part), data);
  Parts parts;
  for (const TData& d : probe.received) parts.texts.push_back(d.text);
  parts.order = probe.indices;
  return parts;
}

using Texts = std::vector<Text>;

TEST_F(FileElementsTest, SplitWindowsAndLinuxPaths) {
  Parts both = SplitOf("C:\\Prog\\app.exe", true, true);
  EXPECT_EQ(both.texts, (Texts{"C:\\Prog\\", "app.exe", "exe"}));
  EXPECT_EQ(both.order, (std::vector<uint16_t>{0, 1, 2}));
  EXPECT_EQ(SplitOf("C:\\Prog\\app.exe", false, false).texts, (Texts{"C:\\Prog\\", "app", ".exe"}));
  EXPECT_EQ(SplitOf("readme", true, true).texts, (Texts{"", "readme", ""}));
  EXPECT_EQ(SplitOf("C:app.exe", false, false).texts, (Texts{"C:", "app", ".exe"}));

  EXPECT_EQ(SplitOf("/opt/lumi/lumiscope", false, false).texts, (Texts{"/opt/lumi/", "lumiscope", ""}));
  EXPECT_EQ(SplitOf("/home/u/a:b.tar.gz", false, false).texts, (Texts{"/home/u/", "a:b.tar", ".gz"}));
  EXPECT_EQ(SplitOf("/srv/v1.2/run", false, false).texts, (Texts{"/srv/v1.2/", "run", ""}));
  EXPECT_EQ(SplitOf("/home/u/.profile", true, false).texts, (Texts{"/home/u/", ".profile", ""}));
  EXPECT_EQ(SplitOf("/home/u/..", true, false).texts, (Texts{"/home/u/", "..", ""}));
  EXPECT_EQ(SplitOf("/etc/", true, false).texts, (Texts{"/etc/", "", ""}));
  EXPECT_TRUE(SplitOf("", true, true).texts.empty());
}

// Kinds by path; everything else is missing.
class KindSystem final : public platform::System {
 public:
  std::map<std::string, platform::FileKind> kinds;
  std::vector<std::string> processes;
  std::string folder = "/opt/lumi";
  std::string ExecutablePath() override { return folder + "/lumiscope"; }
  std::string ExecutableFolder() override { return folder; }
  std::string WindowsFolder() override { return "/etc"; }
  std::string SystemFolder() override { return "/usr/lib"; }
  std::string TempFolder() override { return "/tmp/"; }
  platform::FileKind KindOf(const std::string& path) override {
    auto it = kinds.find(path);
    return it == kinds.end() ? platform::FileKind::Missing : it->second;
  }
  std::vector<std::string> ProcessExecutables() override { return processes; }
};

TEST_F(FileElementsTest, FilesFoldersAndTheProgramsOwnPath) {
  KindSystem fake;
  fake.kinds = {{"/opt/lumi/Settings.ini", platform::FileKind::File},
                {"/opt/lumi", platform::FileKind::Folder}};
  platform::Current().system = &fake;

  TElFileTools tools;
  Probe probe;
  tools.OnExists = ToProbe(&probe);
  for (const char* name : {"/opt/lumi/Settings.ini", "/opt/lumi", "", "/nowhere"}) {
    TData data = TData::String(name);
    Fire(Link<&TElFileTools::FileExists>(&tools), data);
  }
  ASSERT_EQ(probe.Count(), 4u);
  EXPECT_EQ(probe.received[0].integer, 1);
  for (size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(probe.received[i].type, DataType::Integer);
    EXPECT_EQ(probe.received[i].integer, 0);
  }

  TElApplication app;
  TElDir dir;
  TData path, folder;
  app.OutFileName(path, 0);
  dir.OutFolder(folder, 0);
  EXPECT_EQ(path.text, "/opt/lumi/lumiscope");
  EXPECT_EQ(folder.text, "/opt/lumi/");
}

TEST_F(FileElementsTest, EnumProcessListsThenEnds) {
  KindSystem fake;
  fake.processes = {"/usr/bin/a", "/usr/bin/b"};
  platform::Current().system = &fake;
  TElEnumProcess enumerator;
  Probe probe;
  enumerator.OnProcess = ToProbe(&probe, 0);
  enumerator.OnEnd = ToProbe(&probe, 1);
  FireNull(Link<&TElEnumProcess::Enum>(&enumerator));
  ASSERT_EQ(probe.Count(), 3u);
  EXPECT_EQ(probe.received[0].text, "/usr/bin/a");
  EXPECT_EQ(probe.received[1].text, "/usr/bin/b");
  EXPECT_EQ(probe.indices[2], 1);
  EXPECT_TRUE(probe.received[2].IsNull());

  // The real process list holds this very test program.
  platform::linux_backend::LinuxSystem real;
  platform::Current().system = &real;
  probe.received.clear();
  FireNull(Link<&TElEnumProcess::Enum>(&enumerator));
  const Text self = real.ExecutablePath();
  ASSERT_FALSE(self.empty());
  EXPECT_TRUE(std::any_of(probe.received.begin(), probe.received.end(),
                          [&](const TData& d) { return d.type == DataType::String && d.text == self; }));
}

}  // namespace
}  // namespace lumi
