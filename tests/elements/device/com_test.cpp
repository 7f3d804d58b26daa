#include "elements/device/com.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/serial.h"
#include "platform/services.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using test::Probe;
using test::ToProbe;

// Ports 1..9 exist; every open, close and write lands in one log, in order.
class FakeSerial final : public platform::Serial {
 public:
  struct Line {
    bool healthy = true;
    std::optional<size_t> answer;  // what a write reports; empty means "all of it"
    bool fail = false;
  };

  std::vector<std::string> log;
  std::vector<std::string> modes;
  std::vector<int32_t> timeouts;
  std::set<int32_t> busy;
  Line* last = nullptr;

  class FakePort final : public platform::SerialPort {
   public:
    FakePort(FakeSerial& owner, int32_t number) : owner_(owner), number_(number) { owner_.last = &line_; }
    ~FakePort() override {
      owner_.log.push_back("close " + std::to_string(number_));
      if (owner_.last == &line_) owner_.last = nullptr;
    }
    std::optional<size_t> Write(std::string_view bytes) override {
      owner_.log.push_back("write " + std::to_string(number_) + " " + std::string(bytes));
      if (line_.fail) return std::nullopt;
      return line_.answer ? line_.answer : bytes.size();
    }
    bool IsHealthy() override { return line_.healthy; }

   private:
    FakeSerial& owner_;
    int32_t number_;
    Line line_;
  };

  std::unique_ptr<platform::SerialPort> Open(int32_t number, std::string_view mode,
                                             int32_t timeout) override {
    log.push_back("open " + std::to_string(number));
    modes.emplace_back(mode);
    timeouts.push_back(timeout);
    if (number < 1 || number > 9 || busy.count(number) != 0) return nullptr;
    return std::make_unique<FakePort>(*this, number);
  }
};

// Answers a pull and notes the order of the pulls.
class Recorder : public TElement {
 public:
  TData value;
  std::string name;
  std::vector<std::string>* order = nullptr;
  void Out(TData& result, uint16_t) {
    order->push_back(name);
    result = value;
  }
};

class ComTest : public test::RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    platform::Current().serial = &serial;
    com.Baud = 9600;
    com.Timeout = 10;
    com.OnWrite = ToProbe(&written);
  }

  void Open() {
    TData none;
    com.Open(none, 0);
  }
  void Close() {
    TData none;
    com.Close(none, 0);
  }
  void Write(TData value) { Fire(Link<&TElCOM::Write>(&com), value); }

  FakeSerial serial;
  TElCOM com;
  Probe written;
};

TEST_F(ComTest, ModeTextAndPortNumber) {
  Open();
  ASSERT_EQ(serial.log, (std::vector<std::string>{"open 1"}));
  EXPECT_EQ(serial.modes.back(), "baud=9600 parity=N data=8 stop=1 octs=off");
  EXPECT_EQ(serial.timeouts.back(), 10);
  EXPECT_TRUE(com.IsOpen());

  com.Port = 4;
  com.Parity = 2;
  com.Baud = 115200;
  Open();
  EXPECT_EQ(serial.log.back(), "open 5");
  EXPECT_EQ(serial.modes.back(), "baud=115200 parity=E data=8 stop=1 octs=off");

  com.Parity = 4;
  Open();
  EXPECT_EQ(serial.modes.back(), "baud=115200 parity=S data=8 stop=1 octs=off");
}

TEST_F(ComTest, DataPointsAreReadPortFirstAndWin) {
  std::vector<std::string> order;
  Recorder port;
  port.name = "port";
  port.value = TData::Integer(3);
  port.order = &order;
  Recorder baud;
  baud.name = "baud";
  baud.value = TData::String("19200");  // the speed list's text
  baud.order = &order;
  com.Port = 7;
  com.InPort = Link<&Recorder::Out>(&port);
  com.InBaud = Link<&Recorder::Out>(&baud);

  Open();
  EXPECT_EQ(order, (std::vector<std::string>{"port", "baud"}));
  EXPECT_EQ(serial.log.back(), "open 3");
  EXPECT_EQ(serial.modes.back(), "baud=19200 parity=N data=8 stop=1 octs=off");
}

TEST_F(ComTest, StaysOpenWhileNothingChanged) {
  Open();
  Open();
  Open();
  EXPECT_EQ(serial.log, (std::vector<std::string>{"open 1"}));

  // Any change closes the old handle before the new open.
  com.Baud = 19200;
  Open();
  com.Timeout = 20;
  Open();
  com.Port = 1;
  Open();
  EXPECT_EQ(serial.log, (std::vector<std::string>{"open 1", "close 1", "open 1", "close 1", "open 1",
                                                  "close 1", "open 2"}));

  // A line that hung up is opened anew.
  serial.last->healthy = false;
  Open();
  EXPECT_EQ(serial.log.back(), "open 2");
  EXPECT_EQ(serial.log[serial.log.size() - 2], "close 2");
}

TEST_F(ComTest, CloseReallyClosesAndWritesThenDoNothing) {
  Close();  // nothing open: nothing to do
  Open();
  Close();
  EXPECT_FALSE(com.IsOpen());
  Write(TData::String("AB"));
  EXPECT_EQ(serial.log, (std::vector<std::string>{"open 1", "close 1"}));
  EXPECT_EQ(written.Count(), 0u);

  Open();  // after a Close the same settings open again
  EXPECT_EQ(serial.log.back(), "open 1");
}

TEST_F(ComTest, WriteReportsTheBytesTheLineTook) {
  Open();
  Write(TData::String("AT\r\n"));
  Write(TData::Integer(42));
  Write(TData::String(""));
  Write(TData::String("\xE0\xFF"));
  EXPECT_EQ(serial.log, (std::vector<std::string>{"open 1", "write 1 AT\r\n", "write 1 42", "write 1 ",
                                                  "write 1 \xE0\xFF"}));
  ASSERT_EQ(written.Count(), 4u);
  EXPECT_EQ(written.received[0].AsInteger(), 4);
  EXPECT_EQ(written.received[1].AsInteger(), 2);
  EXPECT_EQ(written.received[2].type, DataType::Integer);
  EXPECT_EQ(written.received[2].AsInteger(), 0);
  EXPECT_EQ(written.received[3].AsInteger(), 2);

  // A time-out that let one byte through: reported, and the port stays.
  serial.last->answer = 1;
  Write(TData::String("xy"));
  EXPECT_EQ(written.Last().AsInteger(), 1);
  EXPECT_TRUE(com.IsOpen());
}

TEST_F(ComTest, AFailedWriteClosesSoTheNextOpenRetries) {
  Open();
  serial.last->fail = true;
  Write(TData::String("\x01"));
  ASSERT_EQ(written.Count(), 1u);
  EXPECT_EQ(written.Last().AsInteger(), 0);
  EXPECT_FALSE(com.IsOpen());
  EXPECT_EQ(serial.log.back(), "close 1");

  // Unplugged: the next cycle's open fails silently and its write does nothing.
  serial.busy.insert(1);
  Open();
  Write(TData::String("\x81"));
  EXPECT_EQ(written.Count(), 1u);

  // Plugged in again: the next open finds it.
  serial.busy.clear();
  Open();
  Write(TData::String("\x01"));
  EXPECT_EQ(serial.log.back(), "write 1 \x01");
  EXPECT_EQ(written.Last().AsInteger(), 1);

  // A write that went through but left the line hung up also lets go of it.
  serial.last->healthy = false;
  Write(TData::String("\x81"));
  EXPECT_EQ(written.Last().AsInteger(), 1);
  EXPECT_FALSE(com.IsOpen());
}

TEST_F(ComTest, MissingPortsAndBadParityStayClosed) {
  com.Port = 199;  // COM 200 is not there
  Open();
  EXPECT_FALSE(com.IsOpen());
  Write(TData::String("AT\r\n"));
  EXPECT_EQ(written.Count(), 0u);

  // An open port is closed by the failing Open.
  com.Port = 0;
  Open();
  com.Parity = 5;
  Open();
  EXPECT_FALSE(com.IsOpen());
  com.Parity = -1;
  Open();
  EXPECT_FALSE(com.IsOpen());
  EXPECT_EQ(serial.log, (std::vector<std::string>{"open 200", "open 1", "close 1"}));
}

TEST_F(ComTest, DestroyingTheElementClosesThePort) {
  {
    TElCOM other;
    other.Baud = 9600;
    TData none;
    other.Open(none, 0);
  }
  EXPECT_EQ(serial.log, (std::vector<std::string>{"open 1", "close 1"}));
}

}  // namespace
}  // namespace lumi
