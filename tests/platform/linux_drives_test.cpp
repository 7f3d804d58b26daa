#include "platform/linux/linux_drives.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/temp_folder.h"

namespace lumi::platform::linux_backend {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t Bit(char letter) { return 1u << (letter - 'A'); }

class LinuxDrivesTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  std::string Program() const { return folder_.string() + "/"; }

  void Put(const std::string& name, const std::string& text) {
    fs::create_directories(fs::path(Path(name)).parent_path());
    std::ofstream(Path(name), std::ios::binary | std::ios::trunc) << text;
  }

  test::TempFolder temp_{"lumi-drives"};
  const fs::path& folder_ = temp_.path();
};

TEST_F(LinuxDrivesTest, DrivesFolderIsTheWholeMap) {
  fs::create_directories(Path("stick"));
  fs::create_directories(Path("backup"));
  fs::create_directories(Path("drives/F"));  // a plain folder will do too
  fs::create_directories(Path("drives"));
  fs::create_symlink(Path("stick"), Path("drives/D"));
  fs::create_symlink("../backup", Path("drives/e"));  // relative to the map, lower case
  fs::create_symlink(Path("unplugged"), Path("drives/Z"));
  Put("drives/Q", "not a folder");
  fs::create_symlink(Path("stick"), Path("drives/long-name"));
  fs::create_symlink(Path("stick"), Path("drives/1"));

  int64_t now_ms = 0;
  LinuxDrives drives(Program(), "/proc/self/mountinfo", "/sys", [&now_ms] { return now_ms; });
  EXPECT_EQ(drives.PresentMask(), Bit('D') | Bit('E') | Bit('F'));
  EXPECT_NE(drives.TypeOf('D'), DriveType::NoRootDirectory);
  EXPECT_NE(drives.TypeOf('e'), DriveType::NoRootDirectory);
  EXPECT_EQ(drives.TypeOf('Z'), DriveType::NoRootDirectory);
  EXPECT_EQ(drives.TypeOf('C'), DriveType::NoRootDirectory);  // not in the map: not there
  EXPECT_EQ(drives.TypeOf('?'), DriveType::NoRootDirectory);

  std::optional<DriveSpace> space = drives.SpaceOf("D:\\");
  ASSERT_TRUE(space);
  EXPECT_GT(space->total_bytes, 0u);
  EXPECT_LE(space->free_bytes, space->total_bytes);
  for (const char* form : {"D", "d", "D:", "d:/", "E:\\"}) EXPECT_TRUE(drives.SpaceOf(form)) << form;
  for (const char* form : {"Z:", "C:", "Q", "", "D:\\stick", "D\\", "DD", "D;", "1:", "/", "/tmp"}) {
    EXPECT_FALSE(drives.SpaceOf(form)) << form;
  }
  EXPECT_FALSE(drives.SpaceOf(Path("stick")));

  // The stick is pulled and another one plugged in: within one cycle the letters stay
  // as they were worked out, the next cycle reads them anew.
  fs::remove(Path("stick"));
  fs::create_directories(Path("unplugged"));
  now_ms += LinuxDrives::kFreshMs - 1;
  EXPECT_EQ(drives.PresentMask(), Bit('D') | Bit('E') | Bit('F'));
  now_ms += 1;
  EXPECT_EQ(drives.PresentMask(), Bit('E') | Bit('F') | Bit('Z'));
}

TEST_F(LinuxDrivesTest, MapTypesComeFromTheMountHoldingTheTarget) {
  fs::create_directories(Path("ram"));
  fs::create_directories(Path("share"));
  fs::create_directories(Path("drives"));
  fs::create_symlink(Path("ram"), Path("drives/R"));
  fs::create_symlink(Path("share"), Path("drives/S"));
  fs::create_symlink(Path("share/../ram"), Path("drives/T"));
  Put("mountinfo",
      "1 0 8:2 / / rw - ext4 /dev/sda2 rw\n"
      "2 1 0:40 / " +
          Path("ram") +
          " rw - tmpfs tmpfs rw\n"
          "3 1 0:41 / " +
          Path("share") + " rw - nfs4 nas:/ rw\n");

  LinuxDrives drives(Program(), Path("mountinfo"), Path("sys"));
  EXPECT_EQ(drives.PresentMask(), Bit('R') | Bit('S') | Bit('T'));
  EXPECT_EQ(drives.TypeOf('R'), DriveType::RamDisk);
  EXPECT_EQ(drives.TypeOf('S'), DriveType::Remote);
  EXPECT_EQ(drives.TypeOf('T'), DriveType::RamDisk);
  // A network drive is queried through the bounded path; here it answers at once.
  EXPECT_TRUE(drives.SpaceOf("S:"));
}

TEST_F(LinuxDrivesTest, MountOrderAndSysfsTypesWithoutMap) {
  // sysfs as the kernel lays it out: /sys/dev/block/M:m links to the device folder.
  fs::create_directories(Path("sys/devices/pci0/ata1/block/sda/sda1"));
  Put("sys/devices/pci0/ata1/block/sda/removable", "0\n");
  Put("sys/devices/pci0/ata1/block/sda/sda1/partition", "1\n");
  fs::create_directories(Path("sys/devices/pci0/usb2/2-1/block/sdb/sdb1"));
  Put("sys/devices/pci0/usb2/2-1/block/sdb/removable", "0\n");
  Put("sys/devices/pci0/usb2/2-1/block/sdb/sdb1/partition", "1\n");
  fs::create_directories(Path("sys/devices/pci0/mmc0/block/mmcblk0/mmcblk0p1"));
  Put("sys/devices/pci0/mmc0/block/mmcblk0/removable", "1\n");
  Put("sys/devices/pci0/mmc0/block/mmcblk0/mmcblk0p1/partition", "1\n");
  fs::create_directories(Path("sys/dev/block"));
  fs::create_symlink("../../devices/pci0/ata1/block/sda/sda1", Path("sys/dev/block/8:1"));
  fs::create_symlink("../../devices/pci0/usb2/2-1/block/sdb/sdb1", Path("sys/dev/block/8:17"));
  fs::create_symlink("../../devices/pci0/mmc0/block/mmcblk0/mmcblk0p1", Path("sys/dev/block/179:1"));
  Put("mountinfo",
      "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
      "2 1 0:20 / /proc rw - proc proc rw\n"
      "3 1 8:17 / /media/me/STICK rw - vfat /dev/sdb1 rw\n"
      "4 1 179:1 / /media/me/CARD rw - exfat /dev/mmcblk0p1 rw\n"
      "5 1 0:44 / /mnt/nas rw - cifs //nas/share rw\n");

  LinuxDrives drives(Program(), Path("mountinfo"), Path("sys"));
  EXPECT_EQ(drives.PresentMask(), Bit('C') | Bit('D') | Bit('E') | Bit('F'));
  EXPECT_EQ(drives.TypeOf('C'), DriveType::Fixed);
  EXPECT_EQ(drives.TypeOf('D'), DriveType::Removable);  // USB bus
  EXPECT_EQ(drives.TypeOf('E'), DriveType::Removable);  // the disk's flag
  EXPECT_EQ(drives.TypeOf('F'), DriveType::Remote);
  EXPECT_EQ(drives.TypeOf('G'), DriveType::NoRootDirectory);
  EXPECT_EQ(drives.TypeOf('A'), DriveType::NoRootDirectory);

  // C is the real root here.
  std::optional<DriveSpace> c = drives.SpaceOf("c:");
  ASSERT_TRUE(c);
  EXPECT_GT(c->total_bytes, 0u);
  EXPECT_FALSE(drives.SpaceOf("G:"));

  // Unreadable mount table: C is still "/".
  LinuxDrives bare(Program(), Path("missing"), Path("sys"));
  EXPECT_EQ(bare.PresentMask(), Bit('C'));
  EXPECT_EQ(bare.TypeOf('C'), DriveType::Fixed);
}

}  // namespace
}  // namespace lumi::platform::linux_backend
