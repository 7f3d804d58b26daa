#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumi::test {

using namespace std::string_literals;

// How a settings file reads, as cases both the Linux reader and the Windows functions
// are run against: the Linux reader follows Windows, and where Windows (as Wine shows
// it) answers otherwise the case says so in `windows`.
struct IniReadCase {
  const char* what;
  std::string file;
  std::string section;
  std::string key;
  std::string expected;                // "<none>" when the fallback comes back
  std::optional<std::string> windows;  // where Windows differs
};

struct IniIntegerCase {
  const char* what;
  std::string text;
  int32_t expected;
  std::optional<int32_t> windows;
};

inline const std::string kIniSample =
    "; written by hand\r\n"
    "Stray=before any section\r\n"
    "[ Main ]  text after the bracket\r\n"
    "  Port = COM 3 \r\n"
    "BaudRade\t=\t\"9600\"\r\n"
    "Quoted='  padded  '\r\n"
    "Half=\"open\r\n"
    "# hash=is a key\r\n"
    "  ;Pause=5\r\n"
    "no equals sign\r\n"
    "Empty=\r\n"
    "Eq=a=b\r\n"
    "PORT=second of two equal keys\r\n"
    "[main]\r\n"
    "Pause=7\r\n"
    "[Last]\r\n"
    "Only=1";

inline std::vector<IniReadCase> IniReadCases() {
  return {
      {"names fold case and blanks", kIniSample, "  MAIN\t", " port ", "COM 3", {}},
      {"one pair of outer quotes goes", kIniSample, "Main", "BaudRade", "9600", {}},
      {"single quotes too, blanks inside stay", kIniSample, "Main", "Quoted", "  padded  ", {}},
      {"a lone quote stays", kIniSample, "Main", "Half", "\"open", {}},
      {"only ';' starts a comment", kIniSample, "Main", "# hash", "is a key", {}},
      {"a commented key is none", kIniSample, "Main", "Pause", "<none>", {}},
      {"the first of two equal keys counts", kIniSample, "Main", "Port", "COM 3", {}},
      {"a value may hold '='", kIniSample, "Main", "Eq", "a=b", {}},
      {"an empty value is empty", kIniSample, "Main", "Empty", "", {}},
      {"a key before any section is in none", kIniSample, "Main", "Stray", "<none>", {}},
      {"a line without '=' is no key", kIniSample, "Main", "no equals sign", "<none>", {}},
      {"a missing section", kIniSample, "Other", "Port", "<none>", {}},
      {"the last line without its line end", kIniSample, "Last", "Only", "1", {}},
      {"LF line ends", "[s]\nk=v\nk2=w\n", "s", "k2", "w", {}},
      {"Cyrillic names fold", "[\xD0\xE0\xE7\xE4\xE5\xEB]\r\nk=v\r\n", "\xF0\xC0\xC7\xC4\xC5\xCB", "K", "v",
       "<none>"},  // Wine folds ASCII letters only
      {"a zero byte is kept in a value", "[s]\r\nk=a\0b\r\n"s, "s", "k", "a\0b"s, "a"},
      {"a byte-order mark means UTF-8", "\xEF\xBB\xBF[s]\r\nk=\xD0\x96\r\n", "s", "k", "\xC6", {}},
      // Windows reads the bytes as they are; a Linux editor's file reads as UTF-8 here.
      {"UTF-8 without a byte-order mark", "[s]\r\nk=\xD0\x96\r\n", "s", "k", "\xC6", "\xD0\x96"},
  };
}

inline std::vector<IniIntegerCase> IniIntegerCases() {
  return {
      {"minus one", "-1", -1, {}},
      {"wraps at 32 bits", "4294967297", 1, {}},
      {"stops at the first non-digit", "42A", 42, {}},
      {"a letter is 0", "B", 0, {}},
      {"plus sign", "+5", 5, {}},
      {"in quotes", "\"  7\"", 7, {}},
      {"a lone sign is 0", "-", 0, {}},
      {"2^31 wraps to the lowest", "2147483648", INT32_MIN, {}},
      {"hexadecimal", "0x10", 16, {}},
      {"negative hexadecimal", "-0xFF", -255, {}},
      {"no octal", "010", 10, {}},
  };
}

}  // namespace lumi::test
