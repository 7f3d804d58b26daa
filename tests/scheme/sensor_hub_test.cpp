#include "scheme/sensor_hub.h"

#include <string>
#include <vector>

#include "runtime/multi_element.h"
#include "scheme/condition_selector.h"
#include "scheme/mode_geometry.h"
#include "scheme/single_instance_guard.h"
#include "tests/support/probe.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using test::Probe;

using SensorHubTest = test::SchemeTest;

TEST_F(SensorHubTest, OneSampleServesEveryReader) {
  TElMultiElement hub;
  hub.SetCreator(CreatorOf<SensorHub>());
  constexpr uint64_t kMb = 1024 * 1024;
  memory.status = {8192 * kMb, 3072 * kMb, 2048 * kMb, 512 * kMb};
  processors.SetLoad(0);
  TData none;
  hub.Work(none, 0);
  processors.SetLoad(40);
  hub.Work(none, 0);

  auto read = [&](uint16_t k) {
    TData value;
    hub.OutVar(value, k);
    return value.AsReal();
  };
  EXPECT_EQ(read(0), 40.0);
  EXPECT_EQ(read(1), 8192.0);
  EXPECT_EQ(read(3), 8192.0);
  EXPECT_EQ(read(2), 3072.0);
  EXPECT_EQ(read(4), 3072.0);
  EXPECT_EQ(read(5), 2048.0);
  EXPECT_EQ(read(7), 2048.0);
  EXPECT_EQ(read(6), 512.0);
  EXPECT_EQ(read(8), 512.0);

  // The values stay those of the last sample until the next one.
  processors.SetLoad(90);
  memory.status.available_physical = 1024 * kMb;
  EXPECT_EQ(read(0), 40.0);
  EXPECT_EQ(read(2), 3072.0);
  hub.Work(none, 0);
  EXPECT_EQ(read(0), 90.0);
  EXPECT_EQ(read(2), 1024.0);
}

TEST_F(SensorHubTest, ConditionSelectorAnswersEveryPanelInOrder) {
  TElMultiElement selector;
  selector.SetCreator(CreatorOf<ConditionSelector>());
  selector.OnEvent.Resize(11);
  Probe shown;
  for (uint16_t j = 0; j < 11; ++j) selector.OnEvent[j] = test::ToProbe(&shown, j);

  for (int k : {0, 4, 10, -1, 11}) {
    shown.received.clear();
    shown.indices.clear();
    TData type = TData::Integer(k);
    selector.Work(type, 0);
    ASSERT_EQ(shown.Count(), 11u) << k;
    for (int j = 0; j < 11; ++j) {
      EXPECT_EQ(shown.indices[static_cast<size_t>(j)], j);
      EXPECT_EQ(shown.received[static_cast<size_t>(j)].AsInteger(), j == k ? 1 : 0) << k << " " << j;
    }
  }
}

TEST_F(SensorHubTest, ModeGeometryGivesTheSizesOfEachMode) {
  TElMultiElement geometry;
  geometry.SetCreator(CreatorOf<ModeGeometry>());
  geometry.OnEvent.Resize(4);
  Probe sizes;
  for (uint16_t j = 0; j < 4; ++j) geometry.OnEvent[j] = test::ToProbe(&sizes, j);
  auto run = [&](uint16_t mode) {
    sizes.received.clear();
    sizes.indices.clear();
    TData none;
    geometry.Work(none, mode);
    std::vector<int32_t> values;
    for (const TData& v : sizes.received) values.push_back(v.AsInteger());
    EXPECT_EQ(sizes.indices, (std::vector<uint16_t>{0, 1, 2, 3}));
    return values;
  };
  EXPECT_EQ(run(0), (std::vector<int32_t>{554, 614, 311, 112}));
  EXPECT_EQ(run(1), (std::vector<int32_t>{287, 544, 280, 42}));
  EXPECT_EQ(run(0), (std::vector<int32_t>{554, 614, 311, 112}));
}

class ProcessList final : public platform::System {
 public:
  std::vector<std::string> running;
  std::string ExecutablePath() override { return "/opt/lumiscope/lumiscope"; }
  std::string ExecutableFolder() override { return "/opt/lumiscope/"; }
  std::string WindowsFolder() override { return "/etc"; }
  std::string SystemFolder() override { return "/usr/lib"; }
  std::string TempFolder() override { return "/tmp/"; }
  platform::FileKind KindOf(const std::string&) override { return platform::FileKind::Missing; }
  std::vector<std::string> ProcessExecutables() override { return running; }
};

TEST_F(SensorHubTest, SingleInstanceGuardCountsCopiesOfItsOwnName) {
  ProcessList processes;
  platform::Current().system = &processes;
  TElMultiElement guard;
  guard.SetCreator(CreatorOf<SingleInstanceGuard>());
  guard.OnEvent.Resize(2);
  Probe events;
  guard.OnEvent[0] = test::ToProbe(&events, 0);
  guard.OnEvent[1] = test::ToProbe(&events, 1);
  auto check = [&] {
    events.indices.clear();
    TData none;
    guard.Work(none, 0);
    return events.indices;
  };

  processes.running = {"/usr/bin/bash", "/opt/lumiscope/lumiscope", "/usr/bin/lumiscope-unit"};
  EXPECT_EQ(check(), (std::vector<uint16_t>{1}));
  // Another copy, wherever it was started from; the count starts afresh every check.
  processes.running = {"/opt/lumiscope/lumiscope", "/home/u/lumiscope"};
  EXPECT_EQ(check(), (std::vector<uint16_t>{0, 1}));
  EXPECT_EQ(check(), (std::vector<uint16_t>{0, 1}));
  // Three copies still close this one only once.
  processes.running = {"/a/lumiscope", "/b/lumiscope", "/c/lumiscope"};
  EXPECT_EQ(check(), (std::vector<uint16_t>{0, 1}));
  processes.running = {};
  EXPECT_EQ(check(), (std::vector<uint16_t>{1}));
}

}  // namespace
}  // namespace lumi
