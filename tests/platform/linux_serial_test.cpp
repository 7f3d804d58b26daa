#include "platform/linux/linux_serial.h"

// The kernel's terminal structures, to read back what the port set, speeds without a
// classic code included; never together with <termios.h>.
#include <asm/termbits.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/linux/serial_line.h"
#include "platform/linux/serial_mode.h"
#include "platform/linux/terminal_guard.h"

namespace lumi::platform::linux_backend {
namespace {

namespace fs = std::filesystem;

constexpr char kMode9600[] = "baud=9600 parity=N data=8 stop=1 octs=off";

std::string Mode(int baud, char parity = 'N') {
  return "baud=" + std::to_string(baud) + " parity=" + parity + " data=8 stop=1 octs=off";
}

// A pseudo-terminal pair: the port opens the slave, the test reads the master.
class Pty {
 public:
  Pty() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    char name[128];
    if (ptsname_r(master_, name, sizeof name) == 0) slave_ = name;
  }
  ~Pty() { HangUp(); }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  const std::string& slave() const { return slave_; }
  int master() const { return master_; }

  void HangUp() {
    if (master_ >= 0) close(master_);
    master_ = -1;
  }

  // What arrived, up to `count` bytes; gives up after a quiet while instead of hanging.
  std::string Read(size_t count) {
    std::string got;
    char buffer[256];
    while (got.size() < count) {
      pollfd ready{master_, POLLIN, 0};
      if (poll(&ready, 1, 2000) <= 0) break;
      ssize_t n = read(master_, buffer, std::min(sizeof buffer, count - got.size()));
      if (n <= 0) break;
      got.append(buffer, static_cast<size_t>(n));
    }
    return got;
  }

  // The line settings as the kernel holds them (ioctls on the master act on the slave).
  termios2 Line() const {
    termios2 line{};
    EXPECT_EQ(ioctl(master_, TCGETS2, &line), 0);
    return line;
  }

 private:
  int master_ = -1;
  std::string slave_;
};

bool SameLine(const termios2& a, const termios2& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
         a.c_lflag == b.c_lflag && a.c_ispeed == b.c_ispeed && a.c_ospeed == b.c_ospeed &&
         std::equal(a.c_cc, a.c_cc + NCCS, b.c_cc);
}

// A process in a session of its own whose controlling terminal is `terminal`, as a
// shell in a terminal window has it; it lives until the holder goes.
class SessionHolder {
 public:
  explicit SessionHolder(const std::string& terminal) {
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(ready[0]);
      const int fd = open(terminal.c_str(), O_RDWR | O_NOCTTY);
      if (setsid() < 0 || fd < 0 || ioctl(fd, TIOCSCTTY, 0) != 0) _exit(1);
      const char held = 1;
      if (write(ready[1], &held, 1) != 1) _exit(1);
      for (;;) pause();
    }
    close(ready[1]);
    char held = 0;
    held_ = pid_ > 0 && read(ready[0], &held, 1) == 1;
    close(ready[0]);
  }
  ~SessionHolder() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  SessionHolder(const SessionHolder&) = delete;
  SessionHolder& operator=(const SessionHolder&) = delete;

  bool held() const { return held_; }

 private:
  pid_t pid_ = -1;
  bool held_ = false;
};

class LinuxSerialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::path(::testing::TempDir()) /
              ("lumi_serial_" + std::string(info->name()) + "_" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "ports");
    ASSERT_FALSE(pty_.slave().empty());
    Map(3, pty_.slave());
  }
  void TearDown() override { fs::remove_all(folder_); }

  void Map(int number, const std::string& target) {
    fs::path link = folder_ / "ports" / ("COM" + std::to_string(number));
    fs::remove(link);
    fs::create_symlink(target, link);
  }
  std::string Folder() const { return folder_.string() + "/"; }

  fs::path folder_;
  Pty pty_;
};

TEST_F(LinuxSerialTest, WritesExactlyTheBytesOnARawLine) {
  LinuxSerial serial(Folder());
  auto port = serial.Open(3, kMode9600, 10);
  ASSERT_NE(port, nullptr);

  EXPECT_EQ(port->Write("AT\r\n"), 4u);
  EXPECT_EQ(pty_.Read(4), "AT\r\n");
  // The frame bytes: every value, NUL and the high half included, goes as it is.
  std::string frame("\x00\x7F\x80\xFF\n\r", 6);
  EXPECT_EQ(port->Write(frame), 6u);
  EXPECT_EQ(pty_.Read(6), frame);
  EXPECT_EQ(port->Write(""), 0u);
  EXPECT_TRUE(port->IsHealthy());

  termios2 line = pty_.Line();
  EXPECT_EQ(line.c_ospeed, 9600u);
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(line.c_cflag & (CSTOPB | CRTSCTS | PARODD | CMSPAR), 0u);
  EXPECT_NE(line.c_cflag & CLOCAL, 0u);
  EXPECT_EQ(line.c_iflag & (IXON | IXOFF | ICRNL | INLCR), 0u);
  EXPECT_EQ(line.c_oflag & OPOST, 0u);
  EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
}

// The probe written just before the scan closes the port must still reach a reader
// that comes to it late: closing drops only what the line never took.
TEST_F(LinuxSerialTest, BytesWrittenBeforeCloseAreNotTakenBack) {
  int held = open(pty_.slave().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);  // as the unit holds it
  ASSERT_GE(held, 0);
  LinuxSerial serial(Folder());
  auto port = serial.Open(3, kMode9600, 10);
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(port->Write("AT\r\n"), 4u);
  port.reset();
  EXPECT_EQ(pty_.Read(4), "AT\r\n");
  close(held);
}

TEST_F(LinuxSerialTest, EveryListedSpeedIsSetAndReadBack) {
  LinuxSerial serial(Folder());
  for (int baud : {75, 110, 134, 150, 300, 600, 1200, 1800, 2400, 4800, 7200, 9600, 14400, 19200, 38400,
                   57600, 115200}) {
    auto port = serial.Open(3, Mode(baud), 10);
    ASSERT_NE(port, nullptr) << baud;
    termios2 line = pty_.Line();
    EXPECT_EQ(line.c_ospeed, static_cast<speed_t>(baud));
    EXPECT_EQ(line.c_ispeed, static_cast<speed_t>(baud));
    EXPECT_EQ(port->Write("U"), 1u);
    EXPECT_EQ(pty_.Read(1), "U") << baud;
  }
}

TEST_F(LinuxSerialTest, ParityLetters) {
  // A pseudo-terminal keeps the odd and stick flags but holds the enable flag off
  // (it has no wire), so the flag word is checked on its own as well.
  struct Case {
    char letter;
    tcflag_t flags;
  };
  LinuxSerial serial(Folder());
  for (Case c : {Case{'N', 0}, Case{'O', PARENB | PARODD}, Case{'E', PARENB},
                 Case{'M', PARENB | CMSPAR | PARODD}, Case{'S', PARENB | CMSPAR}}) {
    auto mode = ParseSerialMode(Mode(9600, c.letter));
    ASSERT_TRUE(mode);
    tcflag_t word = LineControlFlags(*mode, CSTOPB | CRTSCTS | CS7 | PARENB | PARODD | CMSPAR | B9600);
    EXPECT_EQ(word & (PARENB | PARODD | CMSPAR), c.flags) << c.letter;
    EXPECT_EQ(word & (CSIZE | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8)) << c.letter;
    EXPECT_EQ(word & (CLOCAL | CREAD | CBAUD), static_cast<tcflag_t>(CLOCAL | CREAD | B9600)) << c.letter;

    auto port = serial.Open(3, Mode(9600, c.letter), 10);
    ASSERT_NE(port, nullptr) << c.letter;
    EXPECT_EQ(pty_.Line().c_cflag & (PARODD | CMSPAR), c.flags & (PARODD | CMSPAR)) << c.letter;
  }
}

TEST_F(LinuxSerialTest, RefusedSettingsDoNotOpen) {
  LinuxSerial serial(Folder());
  EXPECT_EQ(serial.Open(3, "baud=0 parity=N data=8 stop=1 octs=off", 10), nullptr);
  EXPECT_EQ(serial.Open(3, "baud=-9600 parity=N data=8 stop=1 octs=off", 10), nullptr);
  EXPECT_EQ(serial.Open(3, "baud=9600 parity=Q data=8 stop=1 octs=off", 10), nullptr);
  EXPECT_EQ(serial.Open(3, "baud=9600 dtr=on", 10), nullptr);
  // A refused open leaves the port free for the next one.
  EXPECT_NE(serial.Open(3, kMode9600, 10), nullptr);
}

TEST_F(LinuxSerialTest, OnlyMappedTerminalsOpen) {
  std::ofstream(folder_ / "plain.txt") << "not a device";
  fs::create_directory(folder_ / "folder");
  Map(5, (folder_ / "plain.txt").string());
  Map(6, (folder_ / "folder").string());
  Map(7, "/dev/null");  // a character device, but no terminal
  Map(8, (folder_ / "gone").string());
  std::ofstream(folder_ / "ports" / "COM9") << "a file in place of a link";
  fs::create_directory(folder_ / "ports" / "COM10");

  LinuxSerial serial(Folder());
  for (int number : {0, -1, 4, 5, 6, 7, 8, 9, 10, 33, 256}) {
    EXPECT_EQ(serial.Open(number, kMode9600, 10), nullptr) << number;
  }
  EXPECT_NE(serial.Open(3, kMode9600, 10), nullptr);
  // The map folder is the whole map: no default table behind it.
  EXPECT_EQ(serial.DevicePath(33), Folder() + "ports/COM33");
  EXPECT_EQ(serial.DevicePath(0), "");
}

TEST_F(LinuxSerialTest, APortOpensOnlyOnceAtATime) {
  LinuxSerial serial(Folder());
  auto first = serial.Open(3, kMode9600, 10);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(serial.Open(3, kMode9600, 10), nullptr);
  // By a lock that ends with the process, not by the terminal's exclusive flag, which
  // would outlive a killed program and keep every later start out.
  const int other = open(pty_.slave().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(other, 0);
  int exclusive = -1;
  EXPECT_EQ(ioctl(other, TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 0);
  close(other);
  first.reset();
  auto again = serial.Open(3, kMode9600, 10);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->Write("x"), 1u);
  EXPECT_EQ(pty_.Read(1), "x");
}

TEST_F(LinuxSerialTest, AHungUpLineFailsAndTheReturningDeviceOpensAgain) {
  LinuxSerial serial(Folder());
  auto port = serial.Open(3, kMode9600, 10);
  ASSERT_NE(port, nullptr);
  pty_.HangUp();

  EXPECT_FALSE(port->IsHealthy());
  EXPECT_FALSE(port->Write("AT\r\n").has_value());
  EXPECT_FALSE(port->Write("").has_value());
  port.reset();
  // The device is gone: its node disappeared with the other side.
  EXPECT_EQ(serial.Open(3, kMode9600, 10), nullptr);

  Pty back;
  ASSERT_FALSE(back.slave().empty());
  Map(3, back.slave());
  port = serial.Open(3, kMode9600, 10);
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(port->Write("\x01\x81"), 2u);
  EXPECT_EQ(back.Read(2), "\x01\x81");
}

TEST_F(LinuxSerialTest, AWriteToAFullLineEndsWithWhatWent) {
  // Another descriptor of the same line fills it; the master reads nothing.
  int filler = open(pty_.slave().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(filler, 0);
  LinuxSerial serial(Folder());
  auto port = serial.Open(3, kMode9600, 10);
  ASSERT_NE(port, nullptr);
  std::vector<char> block(4096, 'z');
  size_t total = 0;
  // The kernel moves bytes on to the other side in the background, so the line is
  // full only once it stays unwritable for a while.
  for (;;) {
    ssize_t n = write(filler, block.data(), block.size());
    if (n > 0) {
      total += static_cast<size_t>(n);
      ASSERT_LT(total, 64u << 20) << "the line never filled";
      continue;
    }
    pollfd room{filler, POLLOUT, 0};
    if (poll(&room, 1, 200) == 0) break;
  }

  auto written = port->Write("AB");
  ASSERT_TRUE(written.has_value());
  EXPECT_LT(*written, 2u);
  EXPECT_TRUE(port->IsHealthy());
  close(filler);
}

TEST_F(LinuxSerialTest, DefaultTableWithoutAMapFolder) {
  fs::remove_all(folder_ / "ports");
  fs::path root = folder_ / "root";
  fs::create_directories(root / "dev");
  fs::create_directories(root / "sys/class/tty/ttyS0");
  fs::create_directories(root / "sys/class/tty/ttyS1");
  std::ofstream(root / "sys/class/tty/ttyS0/type") << "4\n";  // a 16550A answered
  std::ofstream(root / "sys/class/tty/ttyS1/type") << "0\n";  // reserved, nothing there
  for (const char* name : {"ttyS0", "ttyS1", "ttyS2", "ttyUSB2", "ttyACM31"}) {
    fs::create_symlink(pty_.slave(), root / "dev" / name);
  }
  LinuxSerial serial(Folder(), root.string());

  EXPECT_EQ(serial.DevicePath(1), root.string() + "/dev/ttyS0");
  EXPECT_EQ(serial.DevicePath(2), "");
  EXPECT_EQ(serial.DevicePath(3), "");
  EXPECT_EQ(serial.DevicePath(32), "");
  EXPECT_EQ(serial.DevicePath(33), root.string() + "/dev/ttyUSB0");
  EXPECT_EQ(serial.DevicePath(64), root.string() + "/dev/ttyUSB31");
  EXPECT_EQ(serial.DevicePath(65), root.string() + "/dev/ttyACM0");
  EXPECT_EQ(serial.DevicePath(96), root.string() + "/dev/ttyACM31");
  EXPECT_EQ(serial.DevicePath(97), "");
  EXPECT_EQ(serial.DevicePath(0), "");

  for (int number : {1, 35, 96}) {
    auto port = serial.Open(number, kMode9600, 10);
    ASSERT_NE(port, nullptr) << number;
    EXPECT_EQ(port->Write("k"), 1u);
    EXPECT_EQ(pty_.Read(1), "k");
  }
  for (int number : {2, 3, 33, 97}) EXPECT_EQ(serial.Open(number, kMode9600, 10), nullptr) << number;
}

TEST_F(LinuxSerialTest, ClosingGivesTheLineBackAsItWasFound) {
  // A line as a shell leaves it: cooked, echoing, another speed.
  termios2 cooked = pty_.Line();
  cooked.c_iflag |= ICRNL | IXON;
  cooked.c_oflag |= OPOST | ONLCR;
  cooked.c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
  cooked.c_cflag = (cooked.c_cflag & ~static_cast<tcflag_t>(CBAUD)) | B38400;
  cooked.c_ispeed = cooked.c_ospeed = 38400;
  ASSERT_EQ(ioctl(pty_.master(), TCSETS2, &cooked), 0);
  const termios2 before = pty_.Line();

  LinuxSerial serial(Folder());
  for (const std::string& mode : {Mode(9600), Mode(7200, 'E')}) {
    auto port = serial.Open(3, mode, 10);
    ASSERT_NE(port, nullptr);
    EXPECT_FALSE(SameLine(pty_.Line(), before));
    EXPECT_EQ(port->Write("AT\r\n"), 4u);
    port.reset();
    EXPECT_TRUE(SameLine(pty_.Line(), before)) << mode;
    EXPECT_EQ(pty_.Read(4), "AT\r\n");
  }
  // A port let go of because its link was pointed elsewhere gives its line back too.
  auto port = serial.Open(3, kMode9600, 10);
  ASSERT_NE(port, nullptr);
  Pty other;
  Map(3, other.slave());
  EXPECT_FALSE(port->IsHealthy());
  port.reset();
  EXPECT_TRUE(SameLine(pty_.Line(), before));
}

TEST_F(LinuxSerialTest, APortMapLinkPointedElsewhereMakesTheOpenPortStale) {
  LinuxSerial serial(Folder());
  auto port = serial.Open(3, kMode9600, 10);
  ASSERT_NE(port, nullptr);
  EXPECT_TRUE(port->IsHealthy());
  Map(3, pty_.slave());  // the same target again: nothing changed
  EXPECT_TRUE(port->IsHealthy());

  Pty other;
  ASSERT_FALSE(other.slave().empty());
  Map(3, other.slave());
  EXPECT_FALSE(port->IsHealthy());
  port = serial.Open(3, kMode9600, 10);
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(port->Write("n"), 1u);
  EXPECT_EQ(other.Read(1), "n");

  // A link taken away: the port is gone, not still writing to the old device.
  fs::remove(folder_ / "ports" / "COM3");
  EXPECT_FALSE(port->IsHealthy());
}

TEST_F(LinuxSerialTest, ASessionsTerminalIsNeverOpenedNorChanged) {
  SessionHolder shell(pty_.slave());
  ASSERT_TRUE(shell.held());
  const termios2 before = pty_.Line();
  LinuxSerial serial(Folder());
  EXPECT_EQ(serial.Open(3, kMode9600, 10), nullptr);
  EXPECT_TRUE(SameLine(pty_.Line(), before));
  pollfd input{pty_.master(), POLLIN, 0};
  EXPECT_EQ(poll(&input, 1, 0), 0);
}

TEST_F(LinuxSerialTest, AliasesOfOtherTerminalsNeverOpen) {
  Map(4, "/dev/tty");
  Map(5, "/dev/ptmx");
  Map(6, "/dev/console");
  Map(7, "/dev/tty0");
  LinuxSerial serial(Folder());
  for (int number : {4, 5, 6, 7}) EXPECT_EQ(serial.Open(number, kMode9600, 10), nullptr) << number;
  EXPECT_TRUE(IsTerminalAlias(makedev(5, 0)));
  EXPECT_TRUE(IsTerminalAlias(makedev(5, 2)));
  EXPECT_FALSE(IsTerminalAlias(makedev(4, 64)));  // ttyS0
  EXPECT_FALSE(IsTerminalAlias(makedev(136, 0)));
}

TEST(TerminalNumberTest, DecodesTheKernelsEncodingBeyondMinor255) {
  EXPECT_EQ(DecodeTerminalNumber((136 << 8) | 3), makedev(136, 3));
  EXPECT_EQ(DecodeTerminalNumber((300 & 0xFF) | (136 << 8) | ((300 & ~0xFF) << 12)), makedev(136, 300));
  EXPECT_EQ(DecodeTerminalNumber(0), makedev(0, 0));
}

}  // namespace
}  // namespace lumi::platform::linux_backend
