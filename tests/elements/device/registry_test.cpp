#include "elements/device/registry.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "elements/device/application.h"
#include "platform/registry.h"
#include "runtime/cp1251.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using namespace std::string_literals;
using platform::RegistryRoot;
using platform::RegistryType;
using platform::RegistryValue;

const Text kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Values by exact root, key and name, so the test sees what the element asked for.
class FakeRegistry final : public platform::Registry {
 public:
  using Id = std::tuple<RegistryRoot, std::string, std::string>;
  std::map<Id, RegistryValue> values;
  bool refuse = false;
  int sets = 0;

  std::optional<RegistryValue> Query(RegistryRoot root, const std::string& key,
                                     const std::string& name) override {
    auto it = values.find({root, key, name});
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  bool Set(RegistryRoot root, const std::string& key, const std::string& name,
           const RegistryValue& value) override {
    ++sets;
    if (refuse) return false;
    values[{root, key, name}] = value;
    return true;
  }
  void Delete(RegistryRoot root, const std::string& key, const std::string& name) override {
    values.erase({root, key, name});
  }
};

class RegistryTest : public test::RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    platform::Current().registry = &store_;
    // The application's autostart instance.
    reg_.Root = 1;
    reg_.Key = kRun;
    reg_.ValueName = "Murvane";
    reg_.DataType = 1;
    reg_.InValue = Link<&TElApplication::OutFileName>(&app_);
    reg_.OnValue = test::ToProbe(&probe_);
  }

  template <auto Action>
  void Do(TData data = {}) {
    Fire(Link<Action>(&reg_), data);
  }

  std::optional<RegistryValue> Stored(const Text& name = "Murvane") {
    return store_.Query(RegistryRoot::CurrentUser, kRun, name);
  }

  FakeRegistry store_;
  TElApplication app_;
  TElRegistry reg_;
  test::Probe probe_;
};

TEST_F(RegistryTest, AutostartOnWritesThePathOffDeletesIt) {
  // Absent at start: OnValue still fires, with the empty value the panel reads as off.
  Do<&TElRegistry::Read>();
  ASSERT_EQ(probe_.Count(), 1u);
  EXPECT_TRUE(probe_.Last().IsNull());

  Do<&TElRegistry::Write>(TData::Integer(1));
  auto value = Stored();
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, RegistryType::String);
  EXPECT_EQ(value->bytes, "/opt/lumiscope/lumiscope");

  Do<&TElRegistry::Read>();
  ASSERT_EQ(probe_.Count(), 2u);
  EXPECT_EQ(probe_.Last().type, DataType::String);
  EXPECT_EQ(probe_.Last().text, "/opt/lumiscope/lumiscope");
  TData out;
  reg_.OutValue(out, 0);
  EXPECT_EQ(out.text, "/opt/lumiscope/lumiscope");

  Do<&TElRegistry::Delete>(TData::Integer(0));
  EXPECT_FALSE(Stored());
  Do<&TElRegistry::Delete>(TData::Integer(0));
  EXPECT_FALSE(Stored());
  EXPECT_TRUE(messages.shown.empty());

  // OnlyExisting keeps a missing value quiet.
  reg_.OnlyExisting = true;
  Do<&TElRegistry::Read>();
  EXPECT_EQ(probe_.Count(), 2u);
}

TEST_F(RegistryTest, FailingWriteShowsTheMessageOncePerWrite) {
  store_.refuse = true;
  Do<&TElRegistry::Write>();
  Do<&TElRegistry::Write>();
  EXPECT_EQ(store_.sets, 2);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, cp1251::FromUtf8("Не удалось произвести запись в реестр"));
  EXPECT_EQ(messages.shown[0].caption, "String-Debug");

  // A root past the table is a failed write as well, without reaching the store.
  store_.refuse = false;
  reg_.Root = 7;
  Do<&TElRegistry::Write>();
  EXPECT_EQ(store_.sets, 2);
  EXPECT_EQ(messages.shown.size(), 3u);
  Do<&TElRegistry::Read>();
  EXPECT_TRUE(probe_.Last().IsNull());
}

TEST_F(RegistryTest, PullsKeyThenNameThenValue) {
  reg_.Key.clear();
  reg_.ValueName.clear();
  reg_.InValue = {};
  Do<&TElRegistry::Write>(
      test::Chain({TData::String("\\Software\\Lumi"), TData::String("Port"), TData::Integer(3)}));
  auto value = store_.Query(RegistryRoot::CurrentUser, "Software\\Lumi", "Port");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->bytes, "3");

  Do<&TElRegistry::Read>(test::Chain({TData::String("Software\\Lumi"), TData::String("Port")}));
  EXPECT_EQ(probe_.Last().text, "3");
}

TEST_F(RegistryTest, EveryDataTypeRoundTrips) {
  reg_.InValue = {};
  reg_.ValueName = "v";

  reg_.DataType = 0;
  reg_.Default = "-2";
  Do<&TElRegistry::Write>();
  EXPECT_EQ(store_.Query(RegistryRoot::CurrentUser, kRun, "v")->bytes, "\xFE\xFF\xFF\xFF"s);
  Do<&TElRegistry::Read>();
  EXPECT_EQ(probe_.Last().type, DataType::Integer);
  EXPECT_EQ(probe_.Last().integer, -2);

  // The incoming value counts only where no default is set.
  reg_.Default.clear();
  reg_.DataType = 2;
  Do<&TElRegistry::Write>(TData::Real(2.5));
  Do<&TElRegistry::Read>();
  EXPECT_EQ(probe_.Last().type, DataType::Real);
  EXPECT_EQ(probe_.Last().real, 2.5);

  reg_.DataType = 3;
  Do<&TElRegistry::Write>(TData::String("a\0b"s));
  Do<&TElRegistry::Read>();
  EXPECT_EQ(probe_.Last().type, DataType::Stream);
  EXPECT_EQ(probe_.Last().text, "a\0b"s);
  TData stream = probe_.Last();
  Do<&TElRegistry::Write>(stream);
  EXPECT_EQ(store_.Query(RegistryRoot::CurrentUser, kRun, "v")->bytes, "a\0b"s);

  // A string is read up to its first zero; data too long for an integer reads as nothing.
  reg_.DataType = 1;
  Do<&TElRegistry::Read>();
  EXPECT_EQ(probe_.Last().text, "a");
  store_.values[{RegistryRoot::CurrentUser, kRun, "v"}] = {RegistryType::Binary, "12345"};
  reg_.DataType = 0;
  Do<&TElRegistry::Read>();
  EXPECT_TRUE(probe_.Last().IsNull());
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace lumi
