#include "elements/sensors/hard_disk.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "elements/compute/math_parse.h"
#include "platform/sensors.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using platform::DriveSpace;
using platform::DriveType;

class FakeDrives final : public platform::Drives {
 public:
  uint32_t mask = 0;
  std::map<char, DriveType> types;
  std::map<std::string, DriveSpace> spaces;  // by the exact text asked for
  std::vector<std::string> asked;
  int mask_reads = 0;

  uint32_t PresentMask() override {
    ++mask_reads;
    return mask;
  }
  DriveType TypeOf(char letter) override {
    auto it = types.find(letter);
    return it == types.end() ? DriveType::NoRootDirectory : it->second;
  }
  std::optional<DriveSpace> SpaceOf(const std::string& drive) override {
    asked.push_back(drive);
    auto it = spaces.find(drive);
    if (it == spaces.end()) return std::nullopt;
    return it->second;
  }
};

class HardDiskTest : public test::RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    platform::Current().drives = &drives;
  }

  template <auto Point>
  TData Get() {
    TData value;
    Read(Link<Point>(&disk), value);
    return value;
  }

  // As the free-disk and used-disk panels compute it: "(%2/%1)*100" of the total.
  int32_t Percentage(TEl_Event part) {
    TElMathParse math;
    math.MathStr = "(%2/%1)*100";
    math.SetArgCount(2);
    math.InArg[0] = Link<&TElHardDisk::OutTotal>(&disk);
    math.InArg[1] = part;
    test::Probe probe;
    math.OnResult = test::ToProbe(&probe);
    FireNull(Link<&TElMathParse::Calc>(&math));
    return probe.Count() == 1 ? probe.Last().AsInteger() : -1;
  }

  FakeDrives drives;
  TElHardDisk disk;
};

constexpr uint64_t kTiB = 1024ull * 1024 * 1024 * 1024;

TEST_F(HardDiskTest, EnumFiresLetterAndTypeInLetterOrder) {
  drives.mask = 0b1101;  // A, C, D
  drives.types = {{'A', DriveType::Removable}, {'C', DriveType::Fixed}, {'D', DriveType::CdRom}};
  test::Probe probe;
  disk.OnDrive = test::ToProbe(&probe);
  FireNull(Link<&TElHardDisk::Enum>(&disk));

  ASSERT_EQ(probe.Count(), 3u);
  const char* letters[] = {"A", "C", "D"};
  const int32_t types[] = {2, 3, 5};
  for (size_t i = 0; i < 3; ++i) {
    const TData& got = probe.received[i];
    EXPECT_EQ(got.type, DataType::String);
    EXPECT_EQ(got.text, letters[i]);
    ASSERT_EQ(ChainLength(got), 2);
    EXPECT_EQ(got.next->type, DataType::Integer);
    EXPECT_EQ(got.next->integer, types[i]);
  }
  EXPECT_EQ(drives.mask_reads, 1);

  drives.mask = 0;
  FireNull(Link<&TElHardDisk::Enum>(&disk));
  EXPECT_EQ(probe.Count(), 3u);
}

TEST_F(HardDiskTest, DriveTextAndSpaceInKilobytes) {
  // 262 144 clusters of 4096 bytes free: 1 GB.
  drives.spaces["C:"] = {262144ull * 4096, 4 * 262144ull * 4096};
  drives.spaces["C:\\"] = {1023, 1024 * 1024};
  drives.spaces["E:"] = {1024, 1024 * 1024};

  disk.Drive = "C";
  EXPECT_EQ(Get<&TElHardDisk::OutFree>().integer, 1048576);
  EXPECT_EQ(Get<&TElHardDisk::OutTotal>().integer, 4194304);
  EXPECT_EQ(Get<&TElHardDisk::OutUsed>().integer, 3145728);
  disk.Unit = 1;
  EXPECT_EQ(Get<&TElHardDisk::OutFree>().integer, 1024);
  disk.Unit = 2;
  EXPECT_EQ(Get<&TElHardDisk::OutTotal>().integer, 4);
  disk.Unit = 0;

  // A linked InDrive wins over Drive; a longer text goes as it is.
  test::Source source(TData::String("C:\\"));
  disk.InDrive = test::FromSource(&source);
  EXPECT_EQ(Get<&TElHardDisk::OutFree>().integer, 0);  // 1023 bytes: less than a kilobyte
  EXPECT_EQ(Get<&TElHardDisk::OutUsed>().integer, 1023);
  source.value = TData::String("E");
  EXPECT_EQ(Get<&TElHardDisk::OutFree>().integer, 1);
  EXPECT_EQ(drives.asked, (std::vector<std::string>{"C:", "C:", "C:", "C:", "C:", "C:\\", "C:\\", "E:"}));
}

TEST_F(HardDiskTest, DriveThatCannotBeQueriedReadsZero) {
  disk.Drive = "Q";
  for (TData v :
       {Get<&TElHardDisk::OutFree>(), Get<&TElHardDisk::OutTotal>(), Get<&TElHardDisk::OutUsed>()}) {
    EXPECT_EQ(v.type, DataType::Integer);
    EXPECT_EQ(v.integer, 0);
  }
  disk.Drive.clear();  // nothing linked, nothing set
  EXPECT_EQ(Get<&TElHardDisk::OutTotal>().integer, 0);
  EXPECT_EQ(drives.asked.back(), "");

  // An inconsistent answer (free above total) does not make used wrap around.
  drives.spaces["D:"] = {8192, 4096};
  disk.Drive = "D";
  EXPECT_EQ(Get<&TElHardDisk::OutUsed>().integer, 0);
  EXPECT_EQ(Get<&TElHardDisk::OutFree>().integer, 4);
  disk.Unit = 7;  // no such unit
  EXPECT_EQ(Get<&TElHardDisk::OutTotal>().integer, 0);
}

TEST_F(HardDiskTest, PercentagesOfHugeVolumesStayRight) {
  drives.spaces["C:"] = {4 * kTiB, 16 * kTiB};
  disk.Drive = "C";
  TData total = Get<&TElHardDisk::OutTotal>();
  EXPECT_EQ(total.type, DataType::Real);
  EXPECT_EQ(total.real, 16.0 * kTiB / 1024);

  EXPECT_EQ(Percentage(Link<&TElHardDisk::OutFree>(&disk)), 25);
  EXPECT_EQ(Percentage(Link<&TElHardDisk::OutUsed>(&disk)), 75);

  // Total beyond an Integer, free within one.
  drives.spaces["C:"] = {kTiB / 8, 3 * kTiB};
  EXPECT_EQ(Get<&TElHardDisk::OutFree>().type, DataType::Integer);
  EXPECT_EQ(Percentage(Link<&TElHardDisk::OutFree>(&disk)), 4);  // 4.17
  EXPECT_EQ(Percentage(Link<&TElHardDisk::OutUsed>(&disk)), 96);
}

}  // namespace
}  // namespace lumi
