// The Windows implementations of the small interfaces: registry, drives, system, files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/windows/win32.h"
#include "platform/windows/windows_drives.h"
#include "platform/windows/windows_files.h"
#include "platform/windows/windows_registry.h"
#include "platform/windows/windows_system.h"
#include "tests/support/temp_folder.h"

namespace lumi::platform::windows_backend {
namespace {

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(WindowsRegistry, ARunEntryWithBlanksIsStoredQuotedAndReadBackAsWritten) {
  WindowsRegistry registry;
  const std::string path = "C:\\Program Files\\Lumiscope\\lumiscope.exe";
  ASSERT_TRUE(registry.Set(RegistryRoot::CurrentUser, kRun, "LumiscopeTest", {RegistryType::String, path}));
  // What Windows will start is the quoted path.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRun.c_str(), 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  char stored[MAX_PATH] = {};
  DWORD size = sizeof(stored);
  RegQueryValueExA(key, "LumiscopeTest", nullptr, nullptr, reinterpret_cast<BYTE*>(stored), &size);
  RegCloseKey(key);
  EXPECT_EQ(std::string(stored), '"' + path + '"');

  auto value = registry.Query(RegistryRoot::CurrentUser, kRun, "LumiscopeTest");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->bytes, path);
  registry.Delete(RegistryRoot::CurrentUser, kRun, "LumiscopeTest");
  EXPECT_FALSE(registry.Query(RegistryRoot::CurrentUser, kRun, "LumiscopeTest").has_value());
  // Deleting what is not there is no failure.
  registry.Delete(RegistryRoot::CurrentUser, kRun, "LumiscopeTest");
  registry.Delete(RegistryRoot::CurrentUser, "Software\\NoSuchKeyAnywhere", "x");
}

TEST(WindowsRegistry, TypedValuesKeepTheirTypeAndBytesElsewhere) {
  WindowsRegistry registry;
  const std::string key = "Software\\LumiscopeTest";
  const std::string dword("\x2a\0\0\0", 4);
  ASSERT_TRUE(registry.Set(RegistryRoot::CurrentUser, key, "Number", {RegistryType::DWord, dword}));
  ASSERT_TRUE(registry.Set(RegistryRoot::CurrentUser, key, "Text", {RegistryType::String, "a b"}));
  auto number = registry.Query(RegistryRoot::CurrentUser, key, "Number");
  ASSERT_TRUE(number.has_value());
  EXPECT_EQ(number->type, RegistryType::DWord);
  EXPECT_EQ(number->bytes, dword);
  // Quotes belong to the Run key only.
  EXPECT_EQ(registry.Query(RegistryRoot::CurrentUser, key, "Text")->bytes, "a b");
  EXPECT_FALSE(registry.Query(RegistryRoot::CurrentUser, key, "Missing").has_value());
  RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
}

TEST(WindowsDrives, OnlyALetterNamesADriveAndAMissingOneIsNeverAsked) {
  EXPECT_EQ(WindowsDrives::LetterOf("C"), 'C');
  EXPECT_EQ(WindowsDrives::LetterOf("c:"), 'C');
  EXPECT_EQ(WindowsDrives::LetterOf("C:\\"), 'C');
  EXPECT_EQ(WindowsDrives::LetterOf("\\\\server\\share"), 0);
  EXPECT_EQ(WindowsDrives::LetterOf("C:\\Windows"), 0);
  EXPECT_EQ(WindowsDrives::LetterOf("1:"), 0);
  EXPECT_EQ(WindowsDrives::LetterOf(""), 0);

  WindowsDrives drives;
  ASSERT_NE(drives.PresentMask() & (1u << 2), 0u);
  EXPECT_EQ(drives.TypeOf('C'), DriveType::Fixed);
  auto space = drives.SpaceOf("C:");
  ASSERT_TRUE(space.has_value());
  EXPECT_GT(space->total_bytes, 0u);
  EXPECT_LE(space->free_bytes, space->total_bytes);
  EXPECT_FALSE(drives.SpaceOf("\\\\server\\share").has_value());
  for (char letter = 'Z'; letter > 'C'; --letter) {
    if ((drives.PresentMask() & (1u << (letter - 'A'))) == 0) {
      EXPECT_FALSE(drives.SpaceOf(std::string(1, letter)).has_value());
      break;
    }
  }
}

TEST(WindowsSystem, FoldersAsWindowsGivesThemAndThisProcessAmongItsOwn) {
  WindowsSystem system;
  const std::string folder = system.ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_EQ(system.ExecutablePath().rfind(folder, 0), 0u);
  EXPECT_EQ(system.TempFolder().back(), '\\');
  EXPECT_NE(system.WindowsFolder().back(), '\\');
  EXPECT_EQ(system.KindOf(system.ExecutablePath()), FileKind::File);
  EXPECT_EQ(system.KindOf(folder), FileKind::Folder);
  EXPECT_EQ(system.KindOf(folder + "no-such-file"), FileKind::Missing);
  const auto earlier = system.EarlierProcessExecutables();
  EXPECT_EQ(std::count(earlier.begin(), earlier.end(), system.ExecutablePath()), 1);
  // No earlier copy of the test program runs.
  EXPECT_EQ(system.ShowRunningCopy(), 0);
}

TEST(WindowsFiles, ReplacesWholeFilesAndStepsOverLeftoversOfCutWrites) {
  test::TempFolder temp("files");
  const std::string path = temp.Path("Settings.ini");
  WindowsFiles files;
  ASSERT_TRUE(files.Replace(path, "first"));
  EXPECT_EQ(Slurp(path), "first");
  std::ofstream(temp.Path(".Settings.ini.0.tmp")) << "leftover";
  ASSERT_TRUE(files.Replace(path, std::string("second\r\n\0end", 13)));
  EXPECT_EQ(Slurp(path), std::string("second\r\n\0end", 13));
  EXPECT_EQ(Slurp(temp.Path(".Settings.ini.0.tmp")), "leftover");
  EXPECT_FALSE(std::filesystem::exists(temp.Path(".Settings.ini.1.tmp")));
  // A folder in the way is no file to replace, and is left as it was.
  std::filesystem::create_directory(temp.Path("Folder.ini"));
  EXPECT_FALSE(files.Replace(temp.Path("Folder.ini"), "x"));
  EXPECT_TRUE(std::filesystem::is_directory(temp.Path("Folder.ini")));
  EXPECT_FALSE(files.Replace(temp.Path("missing-folder\\Settings.ini"), "x"));
}

}  // namespace
}  // namespace lumi::platform::windows_backend
