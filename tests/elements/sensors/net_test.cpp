#include "elements/sensors/net.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sensors.h"
#include "platform/services.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

class FakeResolver final : public platform::Resolver {
 public:
  bool answer = false;
  std::vector<std::string> hosts;
  std::vector<int32_t> bounds;

  bool Reachable(const std::string& host, int32_t timeout_ms) override {
    hosts.push_back(host);
    bounds.push_back(timeout_ms);
    return answer;
  }
};

class NetTest : public test::RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    platform::Current().resolver = &resolver_;
  }

  TData ReadConnected() {
    TData result;
    Read(Link<&TElNET::OutConnected>(&net_), result);
    return result;
  }

  FakeResolver resolver_;
  TElNET net_;
};

TEST_F(NetTest, EveryReadingAsksTheResolverWithinTheBound) {
  resolver_.answer = true;
  TData connected = ReadConnected();
  EXPECT_EQ(connected.type, DataType::Integer);
  EXPECT_EQ(connected.integer, 1);

  resolver_.answer = false;
  connected = ReadConnected();
  EXPECT_EQ(connected.type, DataType::Integer);
  EXPECT_EQ(connected.integer, 0);

  ASSERT_EQ(resolver_.hosts.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(resolver_.hosts[i], TElNET::kProbeHost);
    EXPECT_GT(resolver_.bounds[i], 0);
    EXPECT_LE(resolver_.bounds[i], 2000);
  }
}

}  // namespace
}  // namespace lumi
