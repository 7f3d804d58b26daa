// Any file must parse without harm, and a write must change exactly the key written:
// the key reads back as written, every other readable entry stays as it was (read in
// the program's code page, whichever encoding the file has), and a write that is
// refused leaves the file untouched.
#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>

#include "platform/linux/ini_document.h"
#include "platform/linux/ini_profile.h"

namespace {

namespace fs = std::filesystem;
using lumi::platform::linux_backend::FoldName;
using lumi::platform::linux_backend::IniDocument;
using lumi::platform::linux_backend::IniProfile;
using lumi::platform::linux_backend::TrimBlanks;

const std::string& FilePath() {
  static const std::string path = [] {
    // Memory-backed when possible: every write is flushed to disk.
    fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "lumi-ini-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern + "/Settings.ini";
  }();
  return path;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

using Entries = std::map<std::pair<std::string, std::string>, std::string>;

Entries EntriesOf(const IniDocument& document) {
  Entries entries;
  document.ForEach([&](std::string_view section, std::string_view key, std::string_view value) {
    entries.emplace(std::pair(FoldName(section), FoldName(key)), std::string(value));
  });
  return entries;
}

bool Storable(std::string_view section, std::string_view key, std::string_view value) {
  auto has_break = [](std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; };
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  return !has_break(section) && !has_break(key) && !has_break(value) &&
         section.find(']') == std::string_view::npos && key.find('=') == std::string_view::npos &&
         (key.empty() || (key.front() != ';' && key.front() != '['));
}

// What a read gives back for a stored value: blanks around it are not part of it, and
// one pair of matching outer quotes is taken off.
std::string ReadsAs(std::string_view value) {
  value = TrimBlanks(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  static IniProfile profile;
  FuzzedDataProvider input(bytes, size);
  const std::string section = input.ConsumeRandomLengthString(64);
  const std::string key = input.ConsumeRandomLengthString(64);
  const std::string value = input.ConsumeRandomLengthString(256);
  const std::string content = input.ConsumeRemainingBytesAsString();
  const std::string& path = FilePath();
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;

  (void)profile.ReadInteger(path, section, key, 0);
  (void)profile.ReadString(path, section, key, "", 2047);

  const IniDocument before(content);
  const bool written = profile.WriteString(path, section, key, value);
  // Text that would make a file of other Windows-1251 text read as UTF-8 is refused too.
  const bool storable = Storable(section, key, value);
  const bool encoding_refused =
      storable && before.With(section, key, value).outcome == IniDocument::Outcome::Rejected;
  if (encoding_refused && IniDocument::EncodingOf(content) != IniDocument::Encoding::Windows1251)
    std::abort();
  if (written != (storable && !encoding_refused)) std::abort();
  const std::string after_bytes = Slurp(path);
  if (!written) {
    if (after_bytes != content) std::abort();
    return 0;
  }

  const IniDocument after(after_bytes);
  // A plain value (no blanks or quotes at its ends) comes back exactly as written.
  const std::string expected = ReadsAs(value);
  auto found = after.Find(section, key);
  if (!found || *found != expected) std::abort();
  if (profile.ReadString(path, section, key, "<none>", SIZE_MAX) != expected) std::abort();

  Entries old_entries = EntriesOf(before);
  Entries new_entries = EntriesOf(after);
  const auto written_key = std::pair(FoldName(TrimBlanks(section)), FoldName(TrimBlanks(key)));
  old_entries.erase(written_key);
  new_entries.erase(written_key);
  if (old_entries != new_entries) std::abort();
  return 0;
}
