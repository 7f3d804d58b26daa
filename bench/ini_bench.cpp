// One read of a key from the settings file as the program first writes it, with the
// file unchanged (the path every channel evaluation takes), next to a read that must
// parse the file anew, and a big file stamped in the future.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

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
  // Modified `age` ago: by default settled, as the file is between two edits.
  explicit SettingsFile(std::chrono::seconds age = std::chrono::seconds(10), size_t padding = 0) {
    std::string pattern = (fs::temp_directory_path() / "lumi-ini-bench-XXXXXX").string();
    folder_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    path_ = folder_ + "/Settings.ini";
    // Comment lines before the sections, as a big hand-kept file has them.
    const std::string line = "; " + std::string(76, '-') + "\r\n";
    std::string text;
    text.reserve(padding + line.size());
    while (text.size() + line.size() <= padding) text += line;
    text += DefaultSettings();
    std::ofstream(path_, std::ios::binary) << text;
    fs::last_write_time(path_, fs::file_time_type::clock::now() - age);
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

// A file whose stamp has not settled is parsed on every read: the cost of a read
// without the cache (a clock that stands still keeps the stamp from settling).
void ReadStringUnsettledFile(benchmark::State& state) {
  SettingsFile file;
  lumi::platform::linux_backend::IniProfile profile([] { return int64_t{0}; });
  for (auto _ : state) {
    std::string value = profile.ReadString(file.Path(), "13", "Var2", "", 2047);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(ReadStringUnsettledFile);

// A 10 MB file stamped a year ahead, as a wrong clock or an unpacked archive leaves
// it: no wall clock is trusted, so it settles like any other and reads cost a stat.
void ReadStringFutureStampedBigFile(benchmark::State& state) {
  SettingsFile file(-std::chrono::hours(24 * 365), size_t{10} << 20);
  lumi::platform::linux_backend::IniProfile profile;
  (void)profile.ReadString(file.Path(), "13", "Var2", "", 2047);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  for (auto _ : state) {
    std::string value = profile.ReadString(file.Path(), "13", "Var2", "", 2047);
    benchmark::DoNotOptimize(value);
  }
  if (profile.ReadString(file.Path(), "13", "Var2", "", 2047) != "C") state.SkipWithError("wrong value");
}
BENCHMARK(ReadStringFutureStampedBigFile);

}  // namespace
