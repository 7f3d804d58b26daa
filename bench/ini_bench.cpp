// One read of a key from the settings file as the program first writes it, with the
// file unchanged (the path every channel evaluation takes), next to a read that must
// parse the file anew.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/linux/ini_profile.h"

namespace {

namespace fs = std::filesystem;

// The default settings: sections "0".."13" with Signal, Var1, Var2 and an empty line,
// then "Main".
std::string DefaultSettings() {
  static const int kVar1[14] = {7, 14, 21, 28, 35, 42, 49, 56, 63, 70, 77, 84, 91, 99};
  std::string text;
  for (int i = 0; i < 14; ++i) {
    text +=
        "[" + std::to_string(i) + "]\r\nSignal=0\r\nVar1=" + std::to_string(kVar1[i]) + "\r\nVar2=C\r\n\r\n";
  }
  text += "[Main]\r\nPort=COM 1\r\nBaudRade=9600\r\nPause=1\r\n";
  return text;
}

class SettingsFile {
 public:
  SettingsFile() {
    std::string pattern = (fs::temp_directory_path() / "lumi-ini-bench-XXXXXX").string();
    folder_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    path_ = folder_ + "/Settings.ini";
    std::ofstream(path_, std::ios::binary) << DefaultSettings();
    // Settled, as the file is between two edits.
    fs::last_write_time(path_, fs::file_time_type::clock::now() - std::chrono::seconds(10));
  }
  ~SettingsFile() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string folder_;
  std::string path_;
};

void ReadStringUnchangedFile(benchmark::State& state) {
  SettingsFile file;
  lumi::platform::linux_backend::IniProfile profile;
  for (auto _ : state) {
    std::string value = profile.ReadString(file.Path(), "13", "Var2", "", 2047);
    benchmark::DoNotOptimize(value);
  }
  if (profile.ReadString(file.Path(), "13", "Var2", "", 2047) != "C") state.SkipWithError("wrong value");
}
BENCHMARK(ReadStringUnchangedFile);

void ReadIntegerUnchangedFile(benchmark::State& state) {
  SettingsFile file;
  lumi::platform::linux_backend::IniProfile profile;
  for (auto _ : state) benchmark::DoNotOptimize(profile.ReadInteger(file.Path(), "13", "Var1", 0));
  if (profile.ReadInteger(file.Path(), "13", "Var1", 0) != 99) state.SkipWithError("wrong value");
}
BENCHMARK(ReadIntegerUnchangedFile);

// The floor: the one system call every read makes to see whether the file changed.
void StatAlone(benchmark::State& state) {
  SettingsFile file;
  struct stat info {};
  for (auto _ : state) benchmark::DoNotOptimize(stat(file.Path().c_str(), &info));
}
BENCHMARK(StatAlone);

// A file that just changed is read and parsed on every read until it has settled.
void ReadStringJustWrittenFile(benchmark::State& state) {
  SettingsFile file;
  lumi::platform::linux_backend::IniProfile profile;
  fs::last_write_time(file.Path(), fs::file_time_type::clock::now() + std::chrono::hours(1));
  for (auto _ : state) {
    std::string value = profile.ReadString(file.Path(), "13", "Var2", "", 2047);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(ReadStringJustWrittenFile);

}  // namespace
