#include "platform/linux/ini_profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "platform/headless/poll_loop.h"
#include "platform/services.h"
#include "runtime/cp1251.h"
#include "tests/platform/ini_cases.h"
#include "tests/support/temp_folder.h"

namespace lumi::platform::linux_backend {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class IniProfileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  void Put(const std::string& name, const std::string& bytes) {
    std::ofstream(Path(name), std::ios::binary | std::ios::trunc) << bytes;
  }

  std::string Get(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::string Str(const std::string& name, const std::string& section, const std::string& key,
                  size_t max = 2047) {
    return profile_.ReadString(Path(name), section, key, "<none>", max);
  }

  static ino_t Inode(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_ino;
  }

  // Moves the time stamp back so the file counts as settled rather than just written.
  void Age(const std::string& name, int seconds) {
    fs::last_write_time(Path(name), fs::file_time_type::clock::now() - std::chrono::seconds(seconds));
  }

  test::TempFolder temp_{"lumi-ini"};
  const fs::path& folder_ = temp_.path();
  IniProfile profile_;
};

// Beyond the cases shared with the Windows functions (below).
TEST_F(IniProfileTest, ReadsMixedQuotesUnclosedHeadersAndMissingFiles) {
  Put("a.ini",
      "[Main]\r\n"
      "Mixed=\"a'\r\n"
      "[Unclosed\r\n"
      "After=unclosed bracket\r\n");
  EXPECT_EQ(Str("a.ini", "Main", "Mixed"), "\"a'");
  // A line that opens a bracket without closing it is no header.
  EXPECT_EQ(Str("a.ini", "Main", "After"), "unclosed bracket");
  EXPECT_EQ(Str("missing.ini", "Main", "Port"), "<none>");
}

// The cases the Windows functions are run against under Wine.
TEST_F(IniProfileTest, ReadsTheSharedCasesAsWindowsDoes) {
  int file = 0;
  for (const test::IniReadCase& c : test::IniReadCases()) {
    const std::string name = "case" + std::to_string(++file) + ".ini";
    Put(name, c.file);
    EXPECT_EQ(Str(name, c.section, c.key), c.expected) << c.what;
  }
  for (const test::IniIntegerCase& c : test::IniIntegerCases()) {
    const std::string name = "case" + std::to_string(++file) + ".ini";
    Put(name, "[n]\r\nk=" + c.text + "\r\n");
    EXPECT_EQ(profile_.ReadInteger(Path(name), "n", "k", 9), c.expected) << c.what;
  }
}

TEST_F(IniProfileTest, CyrillicNamesMatchWithoutRegardToCase) {
  Put("ru.ini", cp1251::FromUtf8("[Раздел Ёж]\r\nКлюч=Значение\r\n"));
  EXPECT_EQ(Str("ru.ini", cp1251::FromUtf8("РАЗДЕЛ ЁЖ"), cp1251::FromUtf8("кЛЮЧ")),
            cp1251::FromUtf8("Значение"));
  EXPECT_EQ(Str("ru.ini", cp1251::FromUtf8("раздел ёж"), cp1251::FromUtf8("ключ")),
            cp1251::FromUtf8("Значение"));
  // Only letters fold: "Е" and "Ё" stay different names.
  EXPECT_EQ(Str("ru.ini", cp1251::FromUtf8("Раздел Еж"), cp1251::FromUtf8("Ключ")), "<none>");
}

// Beyond the shared integer cases: what stops a number, and the fallbacks.
TEST_F(IniProfileTest, IntegersStopAtABlankAndFallBackWhenThereIsNoNumber) {
  Put("n.ini", "[n]\r\nempty=\r\nspace=1 2\r\n");
  const std::string file = Path("n.ini");
  EXPECT_EQ(profile_.ReadInteger(file, "n", "space", 9), 1);
  EXPECT_EQ(profile_.ReadInteger(file, "n", "empty", 9), 9);
  EXPECT_EQ(profile_.ReadInteger(file, "n", "missing", 9), 9);
  EXPECT_EQ(profile_.ReadInteger(Path("none.ini"), "n", "minus", -5), -5);
}

TEST_F(IniProfileTest, BytesOfAnyKindAreKept) {
  // NUL bytes, LF-only lines, a byte-order mark, no final line end.
  Put("raw.ini", "\xEF\xBB\xBF[first]\nnul=a\0b\nnext=after nul\n[\xFF\x01]\n\x80=\xFE\nlast=1"s);
  EXPECT_EQ(Str("raw.ini", "first", "nul"), "a\0b"s);
  EXPECT_EQ(Str("raw.ini", "first", "next"), "after nul");
  EXPECT_EQ(Str("raw.ini", "\xFF\x01", "\x80"), "\xFE");
  EXPECT_EQ(Str("raw.ini", "\xFF\x01", "last"), "1");

  const std::string big(1 << 20, 'x');
  Put("big.ini", "[big]\r\nlong=" + big + "\r\nafter=2\r\n");
  EXPECT_EQ(Str("big.ini", "big", "long"), std::string(2047, 'x'));
  EXPECT_EQ(Str("big.ini", "big", "long", SIZE_MAX), big);
  EXPECT_EQ(Str("big.ini", "big", "after"), "2");

  std::mt19937 random(7);
  std::string garbage(1 << 16, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  Put("garbage.ini", garbage);
  (void)Str("garbage.ini", "a", "b");
  EXPECT_TRUE(profile_.WriteString(Path("garbage.ini"), "added", "key", "value"));
  EXPECT_EQ(Str("garbage.ini", "added", "key"), "value");
  EXPECT_EQ(Get("garbage.ini").substr(0, garbage.size()), garbage);
}

TEST_F(IniProfileTest, ReadsAreCutToTheMaximumLength) {
  Put("cut.ini", "[s]\r\nk=abcdef\r\n");
  EXPECT_EQ(Str("cut.ini", "s", "k", 3), "abc");
  EXPECT_EQ(Str("cut.ini", "s", "k", 0), "");
  EXPECT_EQ(profile_.ReadString(Path("cut.ini"), "s", "missing", "fallback", 4), "fall");
}

TEST_F(IniProfileTest, WritingCreatesFileSectionAndKey) {
  const std::string file = Path("new.ini");
  EXPECT_TRUE(profile_.WriteString(file, "Main", "Port", "COM 1"));
  EXPECT_EQ(Get("new.ini"), "[Main]\r\nPort=COM 1\r\n");
  EXPECT_TRUE(profile_.WriteString(file, "Main", "Pause", "1"));
  EXPECT_TRUE(profile_.WriteString(file, "0", "Signal", "0"));
  EXPECT_TRUE(profile_.WriteString(file, "MAIN", "PORT", "COM 2"));
  EXPECT_EQ(Get("new.ini"), "[Main]\r\nPort=COM 2\r\nPause=1\r\n[0]\r\nSignal=0\r\n");

  // A new file gets the mode the umask allows, like any file the user creates.
  const mode_t mask = umask(022);
  umask(mask);
  EXPECT_EQ(fs::status(file).permissions(), static_cast<fs::perms>(0666 & ~mask));
}

TEST_F(IniProfileTest, WritingLeavesEveryOtherLineAsItWas) {
  Put("keep.ini",
      "; top\n"
      "[A]\n"
      "  k1 = 1 \n"
      "\n"
      "; note\n"
      "[B]\r\n"
      "x=1\r\n"
      "\r\n"
      "[E]\n"
      "; only a comment\n"
      "[A]\n"
      "k1=duplicate section\n"
      "[C]\n"
      "last=1");
  const std::string file = Path("keep.ini");
  EXPECT_TRUE(profile_.WriteString(file, "a", "K1", "2"));
  EXPECT_TRUE(profile_.WriteString(file, "A", "new", "3"));
  EXPECT_TRUE(profile_.WriteString(file, "E", "e", "4"));
  EXPECT_TRUE(profile_.WriteString(file, "C", "z", " spaced "));
  EXPECT_TRUE(profile_.WriteString(file, "D", "q", "\"quoted\""));
  EXPECT_EQ(Get("keep.ini"),
            "; top\n"
            "[A]\n"
            "k1=2\r\n"
            "new=3\r\n"
            "\n"
            "; note\n"
            "[B]\r\n"
            "x=1\r\n"
            "\r\n"
            "[E]\n"
            "e=4\r\n"
            "; only a comment\n"
            "[A]\n"
            "k1=duplicate section\n"
            "[C]\n"
            "last=1\r\n"
            "z= spaced \r\n"
            "[D]\r\n"
            "q=\"quoted\"\r\n");
  // Values are written as they are and read by the usual rules.
  EXPECT_EQ(Str("keep.ini", "C", "z"), "spaced");
  EXPECT_EQ(Str("keep.ini", "D", "q"), "quoted");
}

TEST_F(IniProfileTest, WriteReplacesTheFileAtomicallyAndKeepsItsMode) {
  Put("mode.ini", "[s]\r\nk=1\r\n");
  const std::string file = Path("mode.ini");
  fs::permissions(file, static_cast<fs::perms>(0640));
  const ino_t before = Inode(file);
  EXPECT_TRUE(profile_.WriteString(file, "s", "k", "2"));
  EXPECT_NE(Inode(file), before);
  EXPECT_EQ(fs::status(file).permissions(), static_cast<fs::perms>(0640));
  // A value the key already has writes nothing at all.
  const ino_t after = Inode(file);
  EXPECT_TRUE(profile_.WriteString(file, "S", "K", "2"));
  EXPECT_EQ(Inode(file), after);
  // No temporary file stays behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);

  // A symbolic link is written through, not replaced.
  fs::create_symlink("mode.ini", folder_ / "link.ini");
  EXPECT_TRUE(profile_.WriteString(Path("link.ini"), "s", "k", "3"));
  EXPECT_TRUE(fs::is_symlink(folder_ / "link.ini"));
  EXPECT_EQ(Get("mode.ini"), "[s]\r\nk=3\r\n");
}

TEST_F(IniProfileTest, WritesThatCannotBeDoneChangeNothing) {
  const std::string original = "[s]\r\nk=1\r\n";
  Put("file.ini", original);
  const std::string file = Path("file.ini");
  // Parent is a regular file, folder missing, target is a folder.
  EXPECT_FALSE(profile_.WriteString(file + "/inner.ini", "s", "k", "2"));
  EXPECT_FALSE(profile_.WriteString(Path("no/such/folder.ini"), "s", "k", "2"));
  fs::create_directory(folder_ / "dir.ini");
  EXPECT_FALSE(profile_.WriteString(Path("dir.ini"), "s", "k", "2"));
  EXPECT_FALSE(profile_.WriteString("", "s", "k", "2"));
  // What would forge other lines or read back as something else.
  EXPECT_FALSE(profile_.WriteString(file, "s", "k", "2\r\n[t]"));
  EXPECT_FALSE(profile_.WriteString(file, "s", "k", "2\n"));
  EXPECT_FALSE(profile_.WriteString(file, "s\n", "k", "2"));
  EXPECT_FALSE(profile_.WriteString(file, "s]x", "k", "2"));
  EXPECT_FALSE(profile_.WriteString(file, "s", "a=b", "2"));
  EXPECT_FALSE(profile_.WriteString(file, "s", ";k", "2"));
  EXPECT_FALSE(profile_.WriteString(file, "s", " [k", "2"));
  EXPECT_EQ(Get("file.ini"), original);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
  EXPECT_FALSE(fs::exists(folder_ / "dir.ini" / "k"));
}

TEST_F(IniProfileTest, HandEditsAreSeenByTheNextRead) {
  const std::string file = Path("edit.ini");
  // Just written: an edit in the same clock tick keeps size and time stamp.
  Put("edit.ini", "[s]\r\nk=1\r\n");
  EXPECT_EQ(Str("edit.ini", "s", "k"), "1");
  Put("edit.ini", "[s]\r\nk=2\r\n");
  EXPECT_EQ(Str("edit.ini", "s", "k"), "2");

  // A settled file: a new time stamp, a new size, a new file under the same name.
  Age("edit.ini", 100);
  EXPECT_EQ(Str("edit.ini", "s", "k"), "2");
  EXPECT_EQ(Str("edit.ini", "s", "k"), "2");
  Put("edit.ini", "[s]\r\nk=3\r\n");
  Age("edit.ini", 50);
  EXPECT_EQ(Str("edit.ini", "s", "k"), "3");
  const auto stamp = fs::last_write_time(file);
  Put("edit.ini", "[s]\r\nk=44\r\n");
  fs::last_write_time(file, stamp);
  EXPECT_EQ(Str("edit.ini", "s", "k"), "44");
  Put("other.ini", "[s]\r\nk=55\r\n");
  fs::last_write_time(Path("other.ini"), stamp);
  fs::rename(Path("other.ini"), file);
  EXPECT_EQ(Str("edit.ini", "s", "k"), "55");
  EXPECT_EQ(profile_.ReadInteger(file, "s", "k", 0), 55);

  // Our own write, and the file vanishing.
  EXPECT_TRUE(profile_.WriteString(file, "s", "k", "66"));
  EXPECT_EQ(profile_.ReadInteger(file, "s", "k", 0), 66);
  fs::remove(file);
  EXPECT_EQ(Str("edit.ini", "s", "k"), "<none>");
}

TEST_F(IniProfileTest, ManyFilesStayCorrectPastTheCacheSize) {
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 40; ++i) {
      const std::string name = "f" + std::to_string(i) + ".ini";
      if (round == 0) {
        ASSERT_TRUE(profile_.WriteString(Path(name), "s", "k", std::to_string(i)));
      }
      EXPECT_EQ(profile_.ReadInteger(Path(name), "s", "k", -1), i);
    }
  }
}

TEST_F(IniProfileTest, AFileStampedInTheFutureIsCachedLikeAnyOther) {
  int64_t now_ms = 1000;
  IniProfile profile([&] { return now_ms; });
  Put("future.ini", "[s]\r\nk=" + std::string(100'000, 'v') + "\r\n");
  fs::last_write_time(Path("future.ini"), fs::file_time_type::clock::now() + std::chrono::hours(24 * 365));
  const std::string file = Path("future.ini");
  EXPECT_EQ(profile.ReadInteger(file, "s", "missing", 5), 5);
  EXPECT_EQ(profile.ReadInteger(file, "s", "missing", 5), 5);
  EXPECT_EQ(profile.ParseCount(), 2u);  // not settled yet: a change in the same tick is seen
  now_ms += 150;
  for (int i = 0; i < 20; ++i) EXPECT_EQ(profile.ReadString(file, "s", "k", "", 1), "v");
  EXPECT_EQ(profile.ParseCount(), 3u);

  // A file of the past settles the same way, and a change of any kind is seen at once.
  Age("future.ini", 100);
  EXPECT_EQ(profile.ReadString(file, "s", "k", "", 1), "v");
  now_ms += 150;
  EXPECT_EQ(profile.ReadString(file, "s", "k", "", 1), "v");
  EXPECT_EQ(profile.ReadString(file, "s", "k", "", 1), "v");
  EXPECT_EQ(profile.ParseCount(), 5u);
  Put("future.ini", "[s]\r\nk=w\r\n");
  EXPECT_EQ(profile.ReadString(file, "s", "k", "", 1), "w");
}

TEST_F(IniProfileTest, Utf8FilesAreReadAndWrittenAsUtf8) {
  const std::string bom = "\xEF\xBB\xBF";
  for (const std::string& start : {bom, std::string()}) {
    SCOPED_TRACE(start.empty() ? "without a byte-order mark" : "with a byte-order mark");
    Put("utf8.ini", start +
                        "; языки 日本語\r\n"
                        "[Язык]\r\n"
                        "Имя=Русский\r\n"
                        "Знак=日本\r\n");
    const std::string file = Path("utf8.ini");
    EXPECT_EQ(Str("utf8.ini", cp1251::FromUtf8("ЯЗЫК"), cp1251::FromUtf8("имя")),
              cp1251::FromUtf8("Русский"));
    EXPECT_EQ(Str("utf8.ini", cp1251::FromUtf8("язык"), cp1251::FromUtf8("Имя"), 3), cp1251::FromUtf8("Рус"));
    // What Windows-1251 cannot hold reads as "?", and writing that back changes nothing.
    EXPECT_EQ(Str("utf8.ini", cp1251::FromUtf8("Язык"), cp1251::FromUtf8("Знак")), "??");
    EXPECT_TRUE(profile_.WriteString(file, cp1251::FromUtf8("Язык"), cp1251::FromUtf8("Знак"), "??"));

    EXPECT_TRUE(profile_.WriteString(file, cp1251::FromUtf8("язык"), cp1251::FromUtf8("ИМЯ"),
                                     cp1251::FromUtf8("Украинский")));
    EXPECT_TRUE(profile_.WriteString(file, cp1251::FromUtf8("Ещё"), cp1251::FromUtf8("Ключ"), "1"));
    EXPECT_EQ(Get("utf8.ini"), start +
                                   "; языки 日本語\r\n"
                                   "[Язык]\r\n"
                                   "Имя=Украинский\r\n"
                                   "Знак=日本\r\n"
                                   "[Ещё]\r\n"
                                   "Ключ=1\r\n");
    EXPECT_EQ(Str("utf8.ini", cp1251::FromUtf8("ЕЩЁ"), cp1251::FromUtf8("ключ")), "1");
  }
}

TEST_F(IniProfileTest, FilesThatAreNotUtf8StayWindows1251) {
  // Plain ASCII: what the program writes is Windows-1251.
  Put("ascii.ini", "[Main]\r\nPort=COM 1\r\n");
  const std::string ascii = Path("ascii.ini");
  EXPECT_TRUE(profile_.WriteString(ascii, "Main", "Lang", cp1251::FromUtf8("Русский")));
  EXPECT_EQ(Get("ascii.ini"), "[Main]\r\nPort=COM 1\r\nLang=" + cp1251::FromUtf8("Русский") + "\r\n");
  EXPECT_EQ(Str("ascii.ini", "main", "lang"), cp1251::FromUtf8("Русский"));

  // Windows-1251 bytes that happen to be UTF-8 ("ВЁ" is C2 A8) must still read back:
  // a file of ASCII takes them as UTF-8, one of other Windows-1251 text refuses them.
  Put("plain.ini", "[Main]\r\nPort=COM 1\r\n");
  EXPECT_TRUE(profile_.WriteString(Path("plain.ini"), "Main", "Word", cp1251::FromUtf8("ВЁ")));
  EXPECT_EQ(Get("plain.ini"), "[Main]\r\nPort=COM 1\r\nWord=ВЁ\r\n");
  EXPECT_EQ(Str("plain.ini", "Main", "Word"), cp1251::FromUtf8("ВЁ"));
  // Beside other Windows-1251 text that is no UTF-8, they stay as they are.
  EXPECT_TRUE(profile_.WriteString(ascii, "Main", "Word", cp1251::FromUtf8("ВЁ")));
  EXPECT_EQ(Str("ascii.ini", "Main", "Word"), cp1251::FromUtf8("ВЁ"));
  EXPECT_EQ(Str("ascii.ini", "Main", "Lang"), cp1251::FromUtf8("Русский"));
  // Where they would make the whole file UTF-8, the other text would read otherwise.
  const std::string before = Get("ascii.ini");
  EXPECT_FALSE(profile_.WriteString(ascii, "Main", "Lang", cp1251::FromUtf8("ВЁ")));
  EXPECT_EQ(Get("ascii.ini"), before);
}

TEST_F(IniProfileTest, ADanglingLinkIsWrittenThrough) {
  fs::create_directory(folder_ / "store");
  fs::create_symlink("store/Settings.ini", folder_ / "Settings.ini");
  EXPECT_TRUE(profile_.WriteString(Path("Settings.ini"), "Main", "Port", "COM 2"));
  EXPECT_TRUE(fs::is_symlink(folder_ / "Settings.ini"));
  EXPECT_EQ(Get("store/Settings.ini"), "[Main]\r\nPort=COM 2\r\n");
  EXPECT_EQ(Str("Settings.ini", "Main", "Port"), "COM 2");
}

TEST_F(IniProfileTest, TheFirstTouchRemovesWhatKilledWritesLeft) {
  Put("Settings.ini", "[s]\r\nk=1\r\n");
  Put(".Settings.ini.31415926.tmp", "[s]\r\nk=");
  Put("Settings.ini.~2.tmp", "[s]\r\n");
  Put("Settings.ini.mine", "a file of the user's");
  EXPECT_EQ(Str("Settings.ini", "s", "k"), "1");
  EXPECT_FALSE(fs::exists(folder_ / ".Settings.ini.31415926.tmp"));
  EXPECT_FALSE(fs::exists(folder_ / "Settings.ini.~2.tmp"));
  EXPECT_TRUE(fs::exists(folder_ / "Settings.ini.mine"));
}

}  // namespace
// With a loop that watches descriptors, as the program runs: reads cost no look at the
// file, and the loop hears of every change before the next read.
class WatchedIniProfileTest : public IniProfileTest {
 protected:
  void SetUp() override { platform::Current().loop = &loop_; }
  void TearDown() override { platform::ResetServices(); }
  // One turn of the loop, a poll included: what it heard of is handled.
  void Turn() {
    loop_.Post([this] { loop_.Post([this] { loop_.Quit(); }); });
    loop_.Run();
  }
  headless::PollLoop loop_;
};

TEST_F(WatchedIniProfileTest, AFileIsParsedOnceUntilAChangeIsHeard) {
  Put("a.ini", "[s]\r\nk=1\r\n");
  EXPECT_EQ(Str("a.ini", "s", "k"), "1");
  Turn();
  const uint64_t parses = profile_.ParseCount();
  for (int read = 0; read < 100; ++read) EXPECT_EQ(Str("a.ini", "s", "k"), "1");
  EXPECT_EQ(profile_.ParseCount(), parses);  // the file was trusted, not looked at

  // A hand edit as an editor saves it: a new file renamed over the old one.
  Put("a.ini.new", "[s]\r\nk=2\r\n");
  fs::rename(Path("a.ini.new"), Path("a.ini"));
  Turn();
  EXPECT_EQ(Str("a.ini", "s", "k"), "2");
  // Written in place, and removed.
  Put("a.ini", "[s]\r\nk=3\r\n");
  Turn();
  EXPECT_EQ(Str("a.ini", "s", "k"), "3");
  fs::remove(Path("a.ini"));
  Turn();
  EXPECT_EQ(Str("a.ini", "s", "k"), "<none>");
  // Our own writes are seen at once, loop or not.
  ASSERT_TRUE(profile_.WriteString(Path("a.ini"), "s", "k", "4"));
  EXPECT_EQ(Str("a.ini", "s", "k"), "4");
}

TEST_F(WatchedIniProfileTest, ALinkIsLookedAtAtEveryRead) {
  // Its target may live elsewhere, where no watch sees it change.
  fs::create_directory(folder_ / "elsewhere");
  Put("elsewhere/real.ini", "[s]\r\nk=1\r\n");
  fs::create_symlink(folder_ / "elsewhere" / "real.ini", folder_ / "link.ini");
  EXPECT_EQ(Str("link.ini", "s", "k"), "1");
  Put("elsewhere/real.ini", "[s]\r\nk=22\r\n");  // a new size: seen without the loop
  EXPECT_EQ(Str("link.ini", "s", "k"), "22");
}

}  // namespace lumi::platform::linux_backend
