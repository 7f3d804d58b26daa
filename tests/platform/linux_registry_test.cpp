#include "platform/linux/linux_registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/cp1251.h"

namespace lumi::platform::linux_backend {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr auto kUser = RegistryRoot::CurrentUser;
const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class LinuxRegistryTest : public ::testing::Test {
 protected:
  static fs::path MakeHome() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return fs::path(::testing::TempDir()) /
           ("lumi-registry-" + std::string(info->name()) + "-" + std::to_string(getpid())) / "config";
  }
  void SetUp() override { fs::remove_all(home_.parent_path()); }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(home_.parent_path(), ec);
  }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }

  fs::path Entry(const std::string& name) const { return home_ / "autostart" / (name + ".desktop"); }

  std::optional<std::string> Text(const std::string& key, const std::string& name) {
    auto value = registry_.Query(kUser, key, name);
    if (!value) return std::nullopt;
    EXPECT_EQ(value->type, RegistryType::String);
    return value->bytes;
  }

  bool SetText(const std::string& key, const std::string& name, const std::string& text) {
    return registry_.Set(kUser, key, name, {RegistryType::String, text});
  }

  // Output of desktop-file-validate, empty when the entry is valid; nothing when the tool
  // is not installed.
  static std::optional<std::string> Validate(const fs::path& entry) {
    if (std::system("command -v desktop-file-validate >/dev/null 2>&1") != 0) return std::nullopt;
    std::string command = "desktop-file-validate '" + entry.string() + "' 2>&1; echo rc=$?";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
      char buffer[512];
      while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
      pclose(pipe);
    }
    return output == "rc=0\n" ? std::string() : output;
  }

  fs::path home_ = MakeHome();
  LinuxRegistry registry_{home_.string()};
};

TEST_F(LinuxRegistryTest, StoreRoundTripsAnyBytes) {
  std::string every_byte;
  for (int c = 0; c < 256; ++c) every_byte += static_cast<char>(c);
  const std::string odd_name = "na\"me %41\n\0x"s;
  const std::string odd_key = "Software\\Lumi \"x\"\\%20\xE9";

  EXPECT_TRUE(registry_.Set(kUser, odd_key, odd_name, {RegistryType::Binary, every_byte}));
  EXPECT_TRUE(registry_.Set(kUser, odd_key, "", {RegistryType::String, "default value"}));
  EXPECT_TRUE(registry_.Set(RegistryRoot::LocalMachine, odd_key, "", {RegistryType::DWord, "\x01\0\0\x80"s}));
  EXPECT_TRUE(registry_.Set(kUser, "Other", "empty", {RegistryType::ExpandString, ""}));

  // A fresh instance reads only what the file holds.
  LinuxRegistry again(home_.string());
  auto binary = again.Query(kUser, odd_key, odd_name);
  ASSERT_TRUE(binary);
  EXPECT_EQ(binary->type, RegistryType::Binary);
  EXPECT_EQ(binary->bytes, every_byte);
  EXPECT_EQ(again.Query(kUser, odd_key, "")->bytes, "default value");
  auto dword = again.Query(RegistryRoot::LocalMachine, odd_key, "");
  ASSERT_TRUE(dword);
  EXPECT_EQ(dword->type, RegistryType::DWord);
  EXPECT_EQ(dword->bytes, "\x01\0\0\x80"s);
  auto empty = again.Query(kUser, "Other", "empty");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->type, RegistryType::ExpandString);
  EXPECT_EQ(empty->bytes, "");
  EXPECT_FALSE(again.Query(kUser, odd_key, "missing"));
  EXPECT_FALSE(again.Query(kUser, "Missing", ""));

  // Replacing a value changes its type too; the file stays plain printable text.
  EXPECT_TRUE(again.Set(kUser, odd_key, odd_name, {RegistryType::String, "short"}));
  EXPECT_EQ(Text(odd_key, odd_name), "short");
  for (char c : Read(registry_.StorePath())) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << int(c);
  EXPECT_EQ(fs::status(registry_.StorePath()).permissions() & fs::perms::others_read, fs::perms::none);
}

TEST_F(LinuxRegistryTest, AutostartEntryShowsTheProgramWithItsIconInTheStartUpList) {
  const fs::path data = home_.parent_path() / "data";
  LinuxRegistry registry(home_.string(), data.string());
  Picture icon{2, 1, {0xFFFF0000, 0x8000FF00}};
  registry.SetAutostartLook({"Lumiscope", "Индикатор", "lumiscope", icon});
  ASSERT_TRUE(registry.Set(kUser, kRun, "Murvane", {RegistryType::String, "/opt/lumi scope/lumiscope"}));

  const std::string entry = Read(Entry("Murvane"));
  EXPECT_NE(entry.find("\nName=Lumiscope\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nComment=Индикатор\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nIcon=lumiscope\n"), std::string::npos) << entry;
  if (auto problems = Validate(Entry("Murvane"))) {
    EXPECT_EQ(*problems, "");
  }
  // The value still reads back as the path, whatever the entry is called.
  EXPECT_EQ(Text(kRun, "Murvane"), "/opt/lumi scope/lumiscope");

  // The icon the entry names is in the user's theme, as a PNG of the picture's size.
  const std::string png = Read(data / "icons/hicolor/2x1/apps/lumiscope.png");
  ASSERT_GE(png.size(), 24u);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\x02\0\0\0\x01", 8));

  // Without a place for the icon the entry names none, rather than one that never shows.
  LinuxRegistry no_data(home_.string());
  no_data.SetAutostartLook({"Lumiscope", "Индикатор", "lumiscope", icon});
  ASSERT_TRUE(no_data.Set(kUser, kRun, "Murvane", {RegistryType::String, "/usr/bin/lumiscope"}));
  EXPECT_EQ(Read(Entry("Murvane")).find("Icon="), std::string::npos);
}

TEST_F(LinuxRegistryTest, KeysAndNamesIgnoreCase) {
  const std::string cyrillic = lumi::cp1251::FromUtf8("Ключ\\Имя");
  const std::string cyrillic_upper = lumi::cp1251::FromUtf8("КЛЮЧ\\ИМЯ");
  EXPECT_TRUE(SetText("Software\\Lumiscope", "Port", "COM 3"));
  EXPECT_TRUE(SetText(cyrillic, "x", "1"));

  EXPECT_EQ(Text("\\SOFTWARE\\lumiscope\\", "PORT"), "COM 3");
  EXPECT_EQ(Text(cyrillic_upper, "X"), "1");
  EXPECT_FALSE(registry_.Query(RegistryRoot::LocalMachine, "Software\\Lumiscope", "Port"));
  EXPECT_FALSE(Text("Software", "Port"));

  // Writing through another spelling replaces the one value.
  EXPECT_TRUE(SetText("software\\LUMISCOPE", "port", "COM 4"));
  EXPECT_EQ(Text("Software\\Lumiscope", "Port"), "COM 4");
  registry_.Delete(kUser, "SOFTWARE\\Lumiscope", "pOrT");
  EXPECT_FALSE(Text("Software\\Lumiscope", "Port"));
  registry_.Delete(kUser, "SOFTWARE\\Lumiscope", "pOrT");
  EXPECT_EQ(Text(cyrillic, "x"), "1");
}

TEST_F(LinuxRegistryTest, DamagedStoreReadsEmptyAndIsKeptAside) {
  const fs::path store = registry_.StorePath();
  Write(store,
        "\x7F"
        "ELF\0\0garbage\n1 \"k\" \"n\" sz \"v\"\n"s);
  EXPECT_FALSE(Text("k", "n"));
  EXPECT_TRUE(SetText("k", "n", "fresh"));
  EXPECT_EQ(Text("k", "n"), "fresh");
  EXPECT_TRUE(fs::exists(store.string() + ".damaged"));

  // One bad line costs only itself.
  Write(
      store,
      "lumiscope-registry 1\n1 \"a\" \"b\" sz \"good\"\n1 \"a\" \"c\" sz \"%Z1\"\n1 \"a\" \"d\" qword \"\"\n"
      "1 \"a\" \"e\" sz \"unterminated\n9 \"a\" \"f\" sz \"\"\n");
  EXPECT_EQ(Text("a", "b"), "good");
  for (const char* name : {"c", "d", "e", "f"}) EXPECT_FALSE(Text("a", name)) << name;

  // Something that is no file in the store's place: no hang, no write over it.
  fs::remove(store);
  ASSERT_EQ(mkfifo(store.c_str(), 0600), 0);
  EXPECT_FALSE(Text("a", "b"));
  EXPECT_FALSE(SetText("a", "b", "x"));
  fs::remove(store);
  fs::create_directories(store);
  EXPECT_FALSE(SetText("a", "b", "x"));

  // Without a config folder nothing is read or written.
  LinuxRegistry nowhere("");
  EXPECT_FALSE(nowhere.Set(kUser, "a", "b", {RegistryType::String, "x"}));
  EXPECT_FALSE(nowhere.Query(kUser, kRun, "Murvane"));
}

TEST_F(LinuxRegistryTest, RunKeyIsTheAutostartFolder) {
  ASSERT_FALSE(fs::exists(home_));
  EXPECT_FALSE(Text(kRun, "Murvane"));
  EXPECT_TRUE(
      SetText("\\software\\microsoft\\windows\\currentversion\\RUN", "Murvane", "/usr/bin/lumiscope"));
  ASSERT_TRUE(fs::exists(Entry("Murvane")));
  EXPECT_FALSE(fs::exists(registry_.StorePath()));
  EXPECT_EQ(Text(kRun, "Murvane"), "/usr/bin/lumiscope");
  EXPECT_EQ(Text(kRun, "murvane"), "/usr/bin/lumiscope");

  const std::string entry = Read(Entry("Murvane"));
  EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
  EXPECT_NE(entry.find("\nType=Application\n"), std::string::npos);
  EXPECT_NE(entry.find("\nName=Murvane\n"), std::string::npos);
  EXPECT_NE(entry.find("\nExec=/usr/bin/lumiscope\n"), std::string::npos);
  auto problems = Validate(Entry("Murvane"));
  if (!problems) GTEST_SKIP() << "desktop-file-validate is not installed";
  EXPECT_EQ(*problems, "");

  // The current user's Run key only: elsewhere the name is an ordinary value.
  EXPECT_TRUE(registry_.Set(RegistryRoot::LocalMachine, kRun, "Murvane", {RegistryType::String, "x"}));
  EXPECT_TRUE(SetText(kRun + "\\Sub", "Murvane", "y"));
  EXPECT_EQ(Text(kRun, "Murvane"), "/usr/bin/lumiscope");
}

TEST_F(LinuxRegistryTest, ExecQuotesAndEscapesThePath) {
  ASSERT_TRUE(SetText(kRun, "Murvane", "/opt/My App/50%\"x"));
  EXPECT_NE(Read(Entry("Murvane")).find("\nExec=\"/opt/My App/50%%\\\\\"x\"\n"), std::string::npos)
      << Read(Entry("Murvane"));

  const bool have_validator = Validate(Entry("Murvane")).has_value();
  for (const std::string path :
       {"/opt/My App/50%\"x", "/opt/a b/c", "/opt/back\\slash\\\\x", "/opt/$HOME/`id`/it's", "/opt/%f %%u%",
        "/opt/tab\there/new\nline", "/opt/\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3/~x;(y)|&<>*?#", "/opt/a=b"}) {
    ASSERT_TRUE(SetText(kRun, "Murvane", path)) << path;
    EXPECT_EQ(Text(kRun, "Murvane"), path);
    if (have_validator) {
      EXPECT_EQ(Validate(Entry("Murvane")), "") << path;
    }
  }

  // What no entry can hold is refused, and the entry in place stays.
  EXPECT_FALSE(SetText(kRun, "Murvane", "/opt/\xC0\xE1"));  // no UTF-8
  EXPECT_FALSE(SetText(kRun, "Murvane", "/opt/bell\a"));
  EXPECT_FALSE(SetText(kRun, "Murvane", ""));
  EXPECT_FALSE(registry_.Set(kUser, kRun, "Murvane", {RegistryType::DWord, "\1\0\0\0"s}));
  for (const char* name : {"", ".", "..", "a/b"}) EXPECT_FALSE(SetText(kRun, name, "/bin/true")) << name;
  EXPECT_EQ(Text(kRun, "Murvane"), "/opt/a=b");
}

TEST_F(LinuxRegistryTest, HandWrittenEntries) {
  auto put = [&](const std::string& body) {
    Write(Entry("Murvane"), "[Desktop Entry]\nType=Application\n" + body);
  };
  put("Name=M\nExec=/usr/bin/lumiscope\nHidden=true\n");
  EXPECT_FALSE(Text(kRun, "Murvane"));
  put("Name=M\nExec=/usr/bin/lumiscope\nX-GNOME-Autostart-enabled=false\n");
  EXPECT_FALSE(Text(kRun, "Murvane"));
  put("Name=M\nHidden=false\nExec = /usr/bin/lumiscope %U\n[Other Group]\nExec=/bin/false\n");
  EXPECT_EQ(Text(kRun, "Murvane"), "/usr/bin/lumiscope");
  put("Exec=\"/opt/my app/run\" --tray \"two words\"\n");
  // Read back as a Windows command line.
  EXPECT_EQ(Text(kRun, "Murvane"), "\"/opt/my app/run\" --tray \"two words\"");
  put("Name=no exec\n");
  EXPECT_FALSE(Text(kRun, "Murvane"));

  // A differently cased file is the same value, and is the one replaced.
  fs::remove(Entry("Murvane"));
  Write(Entry("MURVANE"), "[Desktop Entry]\nExec=/old/path\n");
  EXPECT_EQ(Text(kRun, "Murvane"), "/old/path");
  EXPECT_TRUE(SetText(kRun, "Murvane", "/new/path"));
  EXPECT_EQ(Text(kRun, "murvane"), "/new/path");
  EXPECT_FALSE(fs::exists(Entry("Murvane")));
}

TEST_F(LinuxRegistryTest, DeleteRemovesTheEntryAndTwiceIsHarmless) {
  ASSERT_TRUE(SetText(kRun, "Murvane", "/usr/bin/lumiscope"));
  ASSERT_TRUE(SetText(kRun, "Other", "/usr/bin/other"));
  ASSERT_TRUE(SetText("Software\\Lumiscope", "Port", "COM 3"));
  registry_.Delete(kUser, kRun, "Murvane");
  EXPECT_FALSE(fs::exists(Entry("Murvane")));
  EXPECT_FALSE(Text(kRun, "Murvane"));
  registry_.Delete(kUser, kRun, "Murvane");
  registry_.Delete(kUser, "Software\\Lumiscope", "Port");
  registry_.Delete(kUser, "Software\\Lumiscope", "Port");
  registry_.Delete(kUser, "No\\Such\\Key", "x");
  EXPECT_FALSE(Text("Software\\Lumiscope", "Port"));
  EXPECT_EQ(Text(kRun, "Other"), "/usr/bin/other");
}

}  // namespace
}  // namespace lumi::platform::linux_backend
