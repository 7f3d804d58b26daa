#include "elements/device/ini.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/linux/ini_profile.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class IniTest : public test::RuntimeTest {
 protected:
  void SetUp() override {
    test::RuntimeTest::SetUp();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::path(::testing::TempDir()) /
              ("lumi-ini-element-" + std::string(info->name()) + "-" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    system.executable_folder = folder_.string() + "/";
    platform::Current().profile = &profile_;
    ini_.OnValue = test::ToProbe(&probe_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
    test::RuntimeTest::TearDown();
  }

  void Put(const Text& bytes) { std::ofstream(folder_ / "Settings.ini", std::ios::binary) << bytes; }
  Text Get() {
    std::ifstream in(folder_ / "Settings.ini", std::ios::binary);
    return Text(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  void Read(TData incoming = {}) { Fire(Link<&TElini::Read>(&ini_), incoming); }
  void Write(TData incoming = {}) { Fire(Link<&TElini::Write>(&ini_), incoming); }

  fs::path folder_;
  platform::linux_backend::IniProfile profile_;
  TElini ini_;
  test::Probe probe_;
};

TEST_F(IniTest, RelativeNameIsTheProgramsFolderNotTheCurrentOne) {
  Put("[Main]\r\nPort=COM 4\r\n");
  ini_.FileName = "Settings.ini";
  ini_.Section = "Main";
  ini_.Key = "Port";
  ini_.ValueType = 1;
  Read();
  ASSERT_EQ(probe_.Count(), 1u);
  EXPECT_EQ(probe_.Last().type, DataType::String);
  EXPECT_EQ(probe_.Last().text, "COM 4");

  ini_.Key = "Pause";
  Write(TData::String("2.5"));
  EXPECT_EQ(Get(), "[Main]\r\nPort=COM 4\r\nPause=2.5\r\n");
  EXPECT_FALSE(fs::exists(fs::current_path() / "Settings.ini"));
}

TEST_F(IniTest, ReadsIntegersAndStringsFromSectionsGivenAsNumbers) {
  Put("[3]\r\nSignal=5\r\nVar1=42abc\r\nVar2=" + std::string(3000, 'z') + "\r\nNul=ab\0cd\r\n"s);
  test::Source file(TData::String("Settings.ini"));
  test::Source section(TData::Integer(3));
  ini_.InFileName = test::FromSource(&file);
  ini_.InSection = test::FromSource(&section);

  ini_.Key = "Signal";
  Read();
  ini_.Key = "var1";
  Read();
  ini_.Key = "Missing";
  Read();
  ASSERT_EQ(probe_.Count(), 3u);
  EXPECT_EQ(probe_.received[0].type, DataType::Integer);
  EXPECT_EQ(probe_.received[0].integer, 5);
  EXPECT_EQ(probe_.received[1].integer, 42);
  EXPECT_EQ(probe_.received[2].type, DataType::Integer);
  EXPECT_EQ(probe_.received[2].integer, 0);

  ini_.ValueType = 1;
  ini_.Key = "Var2";
  Read();
  EXPECT_EQ(probe_.Last().text, std::string(2047, 'z'));
  ini_.Key = "Nul";
  Read();
  EXPECT_EQ(probe_.Last().text, "ab");
  ini_.Key = "Missing";
  Read();
  EXPECT_EQ(probe_.Last().type, DataType::String);
  EXPECT_EQ(probe_.Last().text, "");

  // No file at all: the same empty values, and no file made by reading.
  file.value = TData::String("Nowhere.ini");
  Read();
  ini_.ValueType = 0;
  Read();
  ASSERT_EQ(probe_.Count(), 8u);
  EXPECT_EQ(probe_.received[6].text, "");
  EXPECT_EQ(probe_.received[7].integer, 0);
  EXPECT_FALSE(fs::exists(folder_ / "Nowhere.ini"));
}

TEST_F(IniTest, WritesIntegersAsDecimalText) {
  ini_.FileName = "Settings.ini";
  ini_.Section = "0";
  ini_.Key = "Var1";
  Write(TData::Integer(42));
  Write(TData::String("-7"));
  ini_.Key = "Signal";
  Write(TData::Real(2.6));
  EXPECT_EQ(Get(), "[0]\r\nVar1=-7\r\nSignal=3\r\n");
  EXPECT_TRUE(probe_.received.empty());
}

TEST_F(IniTest, UnlinkedPointsTakeTheIncomingValuesInOrder) {
  // Read: section, then key.
  Put("[5]\r\nVar2=five\r\n");
  ini_.FileName = "Settings.ini";
  ini_.ValueType = 1;
  Read(test::Chain({TData::Integer(5), TData::String("Var2")}));
  EXPECT_EQ(probe_.Last().text, "five");

  // Write: section, value, then key.
  Write(test::Chain({TData::String("6"), TData::String("D"), TData::String("Var2")}));
  EXPECT_EQ(Get(), "[5]\r\nVar2=five\r\n[6]\r\nVar2=D\r\n");

  // A value written by one instance is read by another at once.
  TElini other;
  other.FileName = "Settings.ini";
  other.Section = "6";
  other.Key = "var2";
  other.ValueType = 1;
  other.OnValue = test::ToProbe(&probe_);
  TData nothing;
  Fire(Link<&TElini::Read>(&other), nothing);
  EXPECT_EQ(probe_.Last().text, "D");
}

}  // namespace
}  // namespace lumi
