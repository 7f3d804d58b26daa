#include "elements/sensors/memory_status.h"

#include <gtest/gtest.h>

#include "elements/compute/math_parse.h"
#include "platform/sensors.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

class FakeMemory final : public platform::Memory {
 public:
  platform::MemoryStatus status;
  int reads = 0;
  platform::MemoryStatus Read() override {
    ++reads;
    return status;
  }
};

class MemoryStatusTest : public test::RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    platform::Current().memory = &memory;
  }

  void Refresh() { FireNull(Link<&TElMemoryStatus::Refresh>(&sensor)); }

  template <auto Point>
  TData Get() {
    TData value;
    Read(Link<Point>(&sensor), value);
    return value;
  }

  FakeMemory memory;
  TElMemoryStatus sensor;
};

constexpr uint64_t kGiB = 1024ull * 1024 * 1024;

TEST_F(MemoryStatusTest, ValuesOfTheLastRefreshInTheUnit) {
  memory.status = {1610612735, 805306368, 0, 0};
  sensor.Unit = 2;
  EXPECT_EQ(Get<&TElMemoryStatus::OutTotalPhys>().integer, 0);  // before any Refresh
  EXPECT_EQ(Get<&TElMemoryStatus::OutAvailPageFile>().integer, 0);
  EXPECT_EQ(memory.reads, 0);

  Refresh();
  TData total = Get<&TElMemoryStatus::OutTotalPhys>();
  EXPECT_EQ(total.type, DataType::Integer);
  EXPECT_EQ(total.integer, 1535);  // 1535.99... truncated
  EXPECT_EQ(Get<&TElMemoryStatus::OutAvailPhys>().integer, 768);
  EXPECT_EQ(Get<&TElMemoryStatus::OutTotalPageFile>().integer, 0);  // no swap
  EXPECT_EQ(Get<&TElMemoryStatus::OutAvailPageFile>().integer, 0);

  sensor.Unit = 1;
  EXPECT_EQ(Get<&TElMemoryStatus::OutAvailPhys>().integer, 786432);
  sensor.Unit = 3;  // no such unit
  EXPECT_EQ(Get<&TElMemoryStatus::OutTotalPhys>().AsReal(), 0.0);

  // Reading does not ask the system; the next Refresh does.
  memory.status.total_physical = 2048ull * 1024 * 1024;
  sensor.Unit = 2;
  EXPECT_EQ(Get<&TElMemoryStatus::OutTotalPhys>().integer, 1535);
  EXPECT_EQ(memory.reads, 1);
  Refresh();
  EXPECT_EQ(Get<&TElMemoryStatus::OutTotalPhys>().integer, 2048);
}

TEST_F(MemoryStatusTest, AmountsBeyond32BitsStayExact) {
  memory.status = {64 * kGiB, 16 * kGiB, 8 * kGiB + 1, 2 * kGiB};
  Refresh();
  sensor.Unit = 0;
  TData total = Get<&TElMemoryStatus::OutTotalPhys>();
  EXPECT_EQ(total.type, DataType::Real);
  EXPECT_EQ(total.real, 64.0 * kGiB);
  EXPECT_EQ(Get<&TElMemoryStatus::OutTotalPageFile>().real, 8.0 * kGiB + 1);
  EXPECT_EQ(Get<&TElMemoryStatus::OutAvailPageFile>().real, 2.0 * kGiB);  // 2^31 is one past Integer
  sensor.Unit = 1;
  EXPECT_EQ(Get<&TElMemoryStatus::OutTotalPhys>().type, DataType::Integer);
  EXPECT_EQ(Get<&TElMemoryStatus::OutTotalPhys>().integer, 64 * 1024 * 1024);

  // The used-RAM share, as the evaluator computes it from the byte counts.
  sensor.Unit = 0;
  TElMathParse used;
  used.MathStr = "((%1-%2)/%1)*100";
  used.SetArgCount(2);
  used.ResultType = 1;
  used.InArg[0] = Link<&TElMemoryStatus::OutTotalPhys>(&sensor);
  used.InArg[1] = Link<&TElMemoryStatus::OutAvailPhys>(&sensor);
  test::Probe probe;
  used.OnResult = test::ToProbe(&probe);
  FireNull(Link<&TElMathParse::Calc>(&used));
  ASSERT_EQ(probe.Count(), 1u);
  EXPECT_DOUBLE_EQ(probe.Last().AsReal(), 75.0);
}

}  // namespace
}  // namespace lumi
