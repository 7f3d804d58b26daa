#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/linux/linux_memory.h"
#include "platform/linux/linux_processors.h"
#include "platform/linux/mountinfo.h"
#include "platform/linux/proc_stat.h"

namespace lumi::platform::linux_backend {
namespace {

using namespace std::string_literals;

// ---- /proc/stat ----------------------------------------------------------------

TEST(ProcStat, ProcessorsByNumberWithTotalLast) {
  // cpu2 is offline: it has no line but keeps its place.
  const std::string text =
      "cpu  400 10 80 4000 200 12 8 28 160 16\n"
      "cpu0 100 5 20 1000 50 3 2 7 40 4\n"
      "cpu1 100 5 20 1000 50 3 2 7 40 4\n"
      "cpu3 200 0 40 2000 100 6 4 14 80 8\n"
      "intr 344608 0 0 0 0 0 0 0\n"
      "ctxt 486709\n"
      "btime 1700000000\n"
      "processes 1234\n";
  std::vector<ProcessorTimes> times = ParseProcStat(text);
  ASSERT_EQ(times.size(), 5u);
  // busy = user + nice + system + irq + softirq + steal; guest fields not added again.
  EXPECT_EQ(times[0].busy, 137u);
  EXPECT_EQ(times[0].total, 137u + 1050u);
  EXPECT_EQ(times[2].busy, 0u);
  EXPECT_EQ(times[2].total, 0u);
  EXPECT_EQ(times[3].busy, 264u);
  EXPECT_EQ(times[4].busy, 538u);
  EXPECT_EQ(times[4].total, 538u + 4200u);
}

TEST(ProcStat, GarbledOrMissingFieldsReadAsZeros) {
  std::vector<ProcessorTimes> times = ParseProcStat(
      "cpu0 12 abc 5 x1 7\n"  // nice and idle garbled
      "cpu1\n"                // no fields at all
      "cpufoo 1 2 3 4\n"      // not a processor line
      "cpu99999999 1 1 1 1\n"
      "cpu-1 5 5 5 5\n"
      "cpu1 50 50 50 50\n"  // a repeated line does not overwrite the first
      "cpu0 9\t9 9\r\n");
  ASSERT_EQ(times.size(), 3u);
  EXPECT_EQ(times[0].busy, 17u);
  EXPECT_EQ(times[0].total, 24u);
  EXPECT_EQ(times[1].total, 0u);
  // Without a "cpu" line the total is the sum of the processors.
  EXPECT_EQ(times[2].busy, 17u);
  EXPECT_EQ(times[2].total, 24u);

  // Counters that would overflow when added stay at the largest value.
  times = ParseProcStat("cpu 18446744073709551615 18446744073709551615 1 1\n");
  ASSERT_EQ(times.size(), 1u);
  EXPECT_EQ(times[0].busy, UINT64_MAX);
  EXPECT_EQ(times[0].total, UINT64_MAX);

  EXPECT_TRUE(ParseProcStat("").empty());
  EXPECT_TRUE(ParseProcStat("intr 1 2 3\nctxt 5\n").empty());
  EXPECT_TRUE(ParseProcStat("\0\xff\n\n\ncp"s).empty());
  EXPECT_EQ(ParseProcStat("cpu 1 2 3").size(), 1u);  // only the total: no processors
}

// ---- /proc/meminfo -------------------------------------------------------------

TEST(Meminfo, FourAmountsInBytesAndImplausibleValues) {
  MemoryStatus m = ParseMeminfo(
      "MemTotal:       24683748 kB\n"
      "MemFree:        22795904 kB\n"
      "MemAvailable:   23740640 kB\n"
      "Buffers:            6460 kB\n"
      "SwapCached:            0 kB\n"
      "SwapTotal:       2097148 kB\n"
      "SwapFree:        2000000 kB\n"
      "HugePages_Total:       0\n");
  EXPECT_EQ(m.total_physical, 24683748ull * 1024);
  EXPECT_EQ(m.available_physical, 23740640ull * 1024);
  EXPECT_EQ(m.total_swap, 2097148ull * 1024);
  EXPECT_EQ(m.available_swap, 2000000ull * 1024);

  // Old kernels have no MemAvailable: MemFree stands in.
  m = ParseMeminfo("MemTotal: 1000 kB\nMemFree: 300 kB\n");
  EXPECT_EQ(m.available_physical, 300u * 1024);
  EXPECT_EQ(m.total_swap, 0u);
  // MemAvailable above MemTotal is not believed; free never exceeds its total.
  m = ParseMeminfo(
      "MemTotal: 1000 kB\nMemAvailable: 5000 kB\nMemFree: 400 kB\nSwapTotal: 10 kB\nSwapFree: 20 kB\n");
  EXPECT_EQ(m.available_physical, 400u * 1024);
  EXPECT_EQ(m.available_swap, 10u * 1024);
  // Garbled values and units, and a count past 64 bits, read as 0.
  m = ParseMeminfo(
      "MemTotal: lots kB\nMemAvailable: 12 MB\nSwapTotal: 99999999999999999999 kB\nSwapFree 5 kB\n");
  EXPECT_EQ(m.total_physical + m.available_physical + m.total_swap + m.available_swap, 0u);
  EXPECT_EQ(ParseMeminfo("\xff:\0:"s).total_physical, 0u);
}

// ---- mountinfo -----------------------------------------------------------------

TEST(Mountinfo, FieldsEscapesAndGarbledLines) {
  std::vector<MountEntry> mounts = ParseMountinfo(
      "26 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
      "90 26 8:17 / /media/me/USB\\040STICK rw,nosuid shared:50 master:3 - vfat /dev/sdb1 rw,uid=1000\n"
      "91 26 0:50 /exports /mnt/nas rw - nfs4 server:/exports rw\n"
      "92 26 7:1 / /mnt/no-separator rw\n"
      "93 26 x:y / /mnt/garbled rw - ext4\n"
      "94 26 8:3 /\n"
      "95 26 8:3 / relative rw - ext4 /dev/sda3 rw\n"
      "\n");
  ASSERT_EQ(mounts.size(), 5u);
  EXPECT_EQ(mounts[0].mount_point, "/");
  EXPECT_EQ(mounts[0].major, 8u);
  EXPECT_EQ(mounts[0].minor, 2u);
  EXPECT_EQ(mounts[0].fs_type, "ext4");
  EXPECT_EQ(mounts[0].source, "/dev/sda2");
  EXPECT_EQ(mounts[1].mount_point, "/media/me/USB STICK");
  EXPECT_EQ(mounts[1].fs_type, "vfat");
  EXPECT_EQ(mounts[2].root, "/exports");
  EXPECT_EQ(mounts[3].fs_type, "");
  EXPECT_EQ(mounts[4].major, 0u);
  EXPECT_EQ(mounts[4].fs_type, "ext4");
  EXPECT_EQ(mounts[4].source, "");

  EXPECT_EQ(DecodeMountField("a\\134b\\011c\\012"), "a\\b\tc\n");
  EXPECT_EQ(DecodeMountField("end\\04"), "end\\04");
  EXPECT_EQ(DecodeMountField("\\999"), "\\999");
}

std::vector<std::string> Folders(const std::vector<MountEntry>& drives) {
  std::vector<std::string> folders;
  for (const MountEntry& m : drives) folders.push_back(m.mount_point);
  return folders;
}

TEST(Mountinfo, DriveLettersOfADesktop) {
  std::vector<MountEntry> mounts = ParseMountinfo(
      "22 28 0:21 / /sys rw - sysfs sysfs rw\n"
      "23 28 0:20 / /proc rw - proc proc rw\n"
      "24 28 0:5 / /dev rw - devtmpfs udev rw\n"
      "25 24 0:22 / /dev/pts rw - devpts devpts rw\n"
      "26 28 0:23 / /run rw - tmpfs tmpfs rw\n"
      "28 1 8:2 / / rw - ext4 /dev/sda2 rw\n"
      "29 22 0:26 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
      "30 28 8:1 / /boot/efi rw - vfat /dev/sda1 rw\n"
      "31 28 8:3 / /home rw - ext4 /dev/sda3 rw\n"
      "32 28 7:0 / /snap/core22/1234 ro - squashfs /dev/loop0 ro\n"
      "33 28 0:30 / /tmp rw - tmpfs tmpfs rw\n"
      "34 26 0:31 / /run/user/1000 rw - tmpfs tmpfs rw\n"
      "35 34 0:32 / /run/user/1000/gvfs rw - fuse.gvfsd-fuse gvfsd-fuse rw\n"
      "36 28 8:3 /me/shared /srv/shared rw - ext4 /dev/sda3 rw\n"  // bind: device already has E
      "37 28 0:40 / /mnt/ram rw - tmpfs tmpfs rw\n"
      "38 28 0:41 / /var/lib/docker/overlay2/x/merged rw - overlay overlay rw\n"
      "39 28 0:42 / /mnt/nas rw - nfs4 nas:/ rw\n"
      "40 28 0:43 / /mnt/auto rw - autofs systemd-1 rw\n"
      "41 28 8:33 / /mnt/old rw - ext4 /dev/sdc1 rw\n"
      "42 28 8:34 / /mnt/old rw - ext4 /dev/sdc2 rw\n"  // hides the previous one
      "43 26 8:17 / /run/media/me/STICK rw - vfat /dev/sdb1 rw\n"
      "44 26 11:0 / /run/media/me/CD ro - iso9660 /dev/sr0 ro\n");
  std::vector<MountEntry> drives = DriveMounts(mounts, [](const std::string&) { return true; });
  EXPECT_EQ(Folders(drives),
            (std::vector<std::string>{"/", "/boot/efi", "/home", "/mnt/ram", "/mnt/nas", "/mnt/old",
                                      "/run/media/me/STICK", "/run/media/me/CD"}));
  EXPECT_EQ(drives[5].minor, 34u);

  EXPECT_EQ(TypeOfMount(drives[0], false), DriveType::Fixed);
  EXPECT_EQ(TypeOfMount(drives[3], false), DriveType::RamDisk);
  EXPECT_EQ(TypeOfMount(drives[4], false), DriveType::Remote);
  EXPECT_EQ(TypeOfMount(drives[6], true), DriveType::Removable);
  EXPECT_EQ(TypeOfMount(drives[7], true), DriveType::CdRom);
  MountEntry udf;
  udf.fs_type = "udf";
  EXPECT_EQ(TypeOfMount(udf, false), DriveType::CdRom);
  MountEntry sshfs;
  sshfs.fs_type = "fuse.sshfs";
  EXPECT_EQ(TypeOfMount(sshfs, false), DriveType::Remote);
}

TEST(Mountinfo, DriveLettersInAContainer) {
  std::vector<MountEntry> mounts = ParseMountinfo(
      "500 400 0:60 / / rw - overlay overlay rw,lowerdir=/a\n"
      "501 500 0:61 / /proc rw - proc proc rw\n"
      "502 500 254:1 /docker/containers/abc/hosts /etc/hosts rw - ext4 /dev/vda1 rw\n"
      "503 500 254:1 /docker/containers/abc/hostname /etc/hostname rw - ext4 /dev/vda1 rw\n"
      "504 500 254:1 /srv/data /data rw - ext4 /dev/vda1 rw\n"
      "505 500 0:62 / /dev/shm rw - tmpfs shm rw\n");
  std::vector<std::string> asked;
  std::vector<MountEntry> drives = DriveMounts(mounts, [&asked](const std::string& path) {
    asked.push_back(path);
    return path == "/data";
  });
  EXPECT_EQ(Folders(drives), (std::vector<std::string>{"/", "/data"}));
  EXPECT_EQ(drives[0].fs_type, "overlay");
  EXPECT_EQ(asked, (std::vector<std::string>{"/etc/hosts", "/etc/hostname", "/data"}));

  // Nothing readable: C is still the root.
  drives = DriveMounts({}, nullptr);
  EXPECT_EQ(Folders(drives), std::vector<std::string>{"/"});

  // Letters end at Z.
  std::string many;
  for (int i = 0; i < 40; ++i) {
    many += std::to_string(100 + i) + " 1 8:" + std::to_string(i) + " / /m" + std::to_string(i) +
            " rw - ext4 /dev/x rw\n";
  }
  EXPECT_EQ(DriveMounts(ParseMountinfo(many), nullptr).size(), 24u);
}

TEST(Mountinfo, MountHoldingAPath) {
  std::vector<MountEntry> mounts = ParseMountinfo(
      "1 0 8:2 / / rw - ext4 /dev/sda2 rw\n"
      "2 1 8:3 / /home rw - ext4 /dev/sda3 rw\n"
      "3 1 0:9 / /home/me/nas rw - nfs nas:/ rw\n");
  EXPECT_EQ(MountHolding(mounts, NormalisePath("/home/me/./x/../nas//films/"))->fs_type, "nfs");
  EXPECT_EQ(MountHolding(mounts, "/home/me/nasty")->minor, 3u);
  EXPECT_EQ(MountHolding(mounts, "/homework")->minor, 2u);
  EXPECT_EQ(MountHolding({}, "/x"), nullptr);
  EXPECT_EQ(NormalisePath("/../.."), "/");
}

// ---- Live readings against an independent read of /proc ------------------------

struct CpuLine {
  unsigned long long f[8] = {};
};

// The "cpu" line read with the C library, the way a person would check it by hand.
CpuLine ReadCpuLine() {
  CpuLine line;
  FILE* file = std::fopen("/proc/stat", "r");
  if (file == nullptr) return line;
  if (std::fscanf(file, "cpu %llu %llu %llu %llu %llu %llu %llu %llu", &line.f[0], &line.f[1], &line.f[2],
                  &line.f[3], &line.f[4], &line.f[5], &line.f[6], &line.f[7]) != 8) {
    line = {};
  }
  std::fclose(file);
  return line;
}

int HighestProcessorPlusOne() {
  std::ifstream file("/proc/stat");
  int highest = -1;
  for (std::string line; std::getline(file, line);) {
    if (line.size() < 4 || line.compare(0, 3, "cpu") != 0 ||
        !std::isdigit(static_cast<unsigned char>(line[3]))) {
      continue;
    }
    highest = std::max(highest, std::stoi(line.substr(3)));
  }
  return highest + 1;
}

TEST(LiveReadings, ProcessorsMatchProcStat) {
  CpuLine before = ReadCpuLine();
  LinuxProcessors processors;
  std::vector<ProcessorTimes> sample = processors.Sample();
  CpuLine after = ReadCpuLine();

  ASSERT_GE(sample.size(), 2u);
  EXPECT_EQ(static_cast<int>(sample.size()) - 1, HighestProcessorPlusOne());
  EXPECT_EQ(processors.Count(), HighestProcessorPlusOne());
  auto busy = [](const CpuLine& l) { return l.f[0] + l.f[1] + l.f[2] + l.f[5] + l.f[6] + l.f[7]; };
  auto total = [&busy](const CpuLine& l) { return busy(l) + l.f[3] + l.f[4]; };
  const ProcessorTimes& all = sample.back();
  // iowait may step back a little between reads: allow a few ticks of slack.
  EXPECT_GE(all.busy + 5, busy(before));
  EXPECT_LE(all.busy, busy(after) + 5);
  EXPECT_GE(all.total + 5, total(before));
  EXPECT_LE(all.total, total(after) + 5);

  EXPECT_TRUE(LinuxProcessors("/nonexistent/stat").Sample().empty());
  EXPECT_EQ(LinuxProcessors("/nonexistent/stat").Count(), 0);
}

uint64_t MeminfoValue(const std::string& name) {
  std::ifstream file("/proc/meminfo");
  for (std::string line; std::getline(file, line);) {
    std::istringstream in(line);
    std::string key;
    unsigned long long value = 0;
    if (in >> key >> value && key == name + ":") return value * 1024;
  }
  return 0;
}

TEST(LiveReadings, MemoryMatchesMeminfo) {
  uint64_t available_before = MeminfoValue("MemAvailable");
  MemoryStatus status = LinuxMemory().Read();
  uint64_t available_after = MeminfoValue("MemAvailable");

  EXPECT_EQ(status.total_physical, MeminfoValue("MemTotal"));
  EXPECT_EQ(status.total_swap, MeminfoValue("SwapTotal"));
  ASSERT_GT(status.total_physical, 0u);
  // Other processes allocate meanwhile: a loose band of 5 % of the memory.
  uint64_t slack = status.total_physical / 20;
  EXPECT_GE(status.available_physical + slack, std::min(available_before, available_after));
  EXPECT_LE(status.available_physical, std::max(available_before, available_after) + slack);
  EXPECT_LE(status.available_swap, status.total_swap);

  MemoryStatus none = LinuxMemory("/nonexistent/meminfo").Read();
  EXPECT_EQ(none.total_physical, 0u);
}

}  // namespace
}  // namespace lumi::platform::linux_backend
