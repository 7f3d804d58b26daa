#include "elements/device/str_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/linux/linux_files.h"
#include "platform/services.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

namespace fs = std::filesystem;

Text ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Text(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const Text& content) {
  std::ofstream(path, std::ios::binary) << content;
}

class StrListTest : public test::RuntimeTest {
 protected:
  void SetUp() override {
    test::RuntimeTest::SetUp();
    platform::Current().files = &files_;
    folder_ = fs::temp_directory_path() / ("lumi-str-list-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(folder_, ec);
    test::RuntimeTest::TearDown();
  }

  void Save(TData incoming = {}) { Fire(Link<&TElStrList::SaveToFile>(&list_), incoming); }

  ArrayInterface* Array() {
    TData out;
    list_.OutArray(out, 2);
    EXPECT_EQ(out.type, DataType::Array);
    return out.AsArray();
  }

  size_t FilesIn(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
  }

  fs::path folder_;
  platform::linux_backend::LinuxFiles files_;
  TElStrList list_;
};

TEST_F(StrListTest, StringsSplitAtCarriageReturns) {
  list_.SetStrings("[0]\r\nSignal=0\r\n\r\nlast");
  EXPECT_EQ(list_.Lines(), (std::vector<Text>{"[0]", "Signal=0", "", "last"}));
  list_.SetStrings("a\rb\r\nc\r\n");
  EXPECT_EQ(list_.Lines(), (std::vector<Text>{"a", "b", "c"}));
  list_.SetStrings("a\nb\r\n\n");
  EXPECT_EQ(list_.Lines(), (std::vector<Text>{"a\nb", "\n"}));
  list_.SetStrings(Text("kept\r\n\0dropped", 14));
  EXPECT_EQ(list_.Lines(), (std::vector<Text>{"kept"}));
  list_.SetStrings("");
  EXPECT_TRUE(list_.Lines().empty());
}

TEST_F(StrListTest, ArrayReadsAndChangesTheLines) {
  list_.SetStrings("a\r\nb");
  ArrayInterface* array = Array();
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(Array(), array);  // made once and kept
  EXPECT_EQ(array->Count(), 2);

  TData item = TData::String("untouched");
  EXPECT_FALSE(array->Get(TData::String("abc"), item));
  EXPECT_FALSE(array->Get(TData::Integer(-1), item));
  EXPECT_FALSE(array->Get(TData::Integer(2), item));
  EXPECT_EQ(item.AsString(), "untouched");
  EXPECT_TRUE(array->Get(TData::String("1"), item));
  EXPECT_EQ(item.type, DataType::String);
  EXPECT_EQ(item.AsString(), "b");

  array->Set(TData::Integer(0), TData::Integer(42));
  array->Set(TData::Integer(5), TData::String("ignored"));
  array->Add(TData::Real(1.5));
  EXPECT_EQ(list_.Lines(), (std::vector<Text>{"42", "b", "1.5"}));
  EXPECT_EQ(array->Count(), 3);
}

TEST_F(StrListTest, SaveToFileReplacesTheWholeFile) {
  const fs::path path = folder_ / "Settings.ini";
  WriteFile(path, Text(1000, 'x'));
  list_.FileName = path.string();
  list_.SetStrings("[0]\r\nSignal=0\r\n");
  Save();
  EXPECT_EQ(ReadFile(path), "[0]\r\nSignal=0\r\n");
  EXPECT_EQ(FilesIn(folder_), 1u);  // no temporary left beside it

  list_.SetStrings("");
  Save();
  EXPECT_TRUE(fs::exists(path));
  EXPECT_EQ(ReadFile(path), "");
}

TEST_F(StrListTest, FileNameComesFromTheLinkOrTheIncomingValue) {
  list_.SetStrings("line");
  const fs::path linked = folder_ / "linked.txt";
  const fs::path incoming = folder_ / "incoming.txt";

  Save(TData::String(incoming.string()));  // FileName empty: the incoming value is the name
  EXPECT_EQ(ReadFile(incoming), "line\r\n");

  test::Source source(TData::String(linked.string()));
  list_.InFileName = test::FromSource(&source);
  list_.FileName = (folder_ / "default.txt").string();
  Save();
  EXPECT_EQ(ReadFile(linked), "line\r\n");
  EXPECT_FALSE(fs::exists(folder_ / "default.txt"));
}

TEST_F(StrListTest, UnwritableTargetsChangeNothing) {
  list_.SetStrings("new");

  // A parent that is a regular file fails for every user, root included.
  const fs::path blocker = folder_ / "plain";
  WriteFile(blocker, "keep");
  list_.FileName = (blocker / "Settings.ini").string();
  Save();
  EXPECT_EQ(ReadFile(blocker), "keep");

  // A folder in the target's place is not replaced by a file.
  const fs::path dir = folder_ / "dir";
  fs::create_directory(dir);
  list_.FileName = dir.string();
  Save();
  EXPECT_TRUE(fs::is_directory(dir));

  list_.FileName.clear();
  Save();  // no name at all
  EXPECT_EQ(FilesIn(folder_), 2u);
}

TEST_F(StrListTest, ReadOnlyFolderKeepsTheOldFile) {
  list_.SetStrings("new");
  const fs::path locked = folder_ / "locked";
  fs::create_directory(locked);
  const fs::path path = locked / "Settings.ini";
  WriteFile(path, "old");
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  if (std::ofstream(locked / "probe")) GTEST_SKIP() << "permissions do not hold for this user";
  list_.FileName = path.string();
  Save();
  EXPECT_EQ(ReadFile(path), "old");
}

TEST_F(StrListTest, SaveKeepsLinksAndPermissions) {
  const fs::path real = folder_ / "real.ini";
  const fs::path link = folder_ / "link.ini";
  WriteFile(real, "old old old");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(real, link);
  list_.FileName = link.string();
  list_.SetStrings("new");
  Save();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFile(real), "new\r\n");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
}  // namespace lumi
