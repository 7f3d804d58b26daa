#include "platform/linux/linux_registry.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/linux/atomic_file.h"
#include "platform/linux/png_writer.h"
#include "runtime/cp1251.h"

namespace lumi::platform::linux_backend {

namespace {

constexpr std::string_view kStoreHeader = "lumiscope-registry 1";
constexpr std::string_view kRunKey = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN";
constexpr std::string_view kDesktopSuffix = ".desktop";
// Neither the store nor a desktop entry grows anywhere near this; a bigger file is not ours.
constexpr size_t kMaxFileSize = 64u << 20;

// ---- Names -----------------------------------------------------------------------

// Upper case of a Windows-1251 byte: ASCII and the Cyrillic letters, as the registry
// folds names.
unsigned char UpperByte(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
  if (c >= 0xE0) return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0x90: return 0x80;
    case 0x83: return 0x81;
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9D: return 0x8D;
    case 0x9E: return 0x8E;
    case 0x9F: return 0x8F;
    case 0xA2: return 0xA1;
    case 0xBC: return 0xA3;
    case 0xB4: return 0xA5;
    case 0xB8: return 0xA8;
    case 0xBA: return 0xAA;
    case 0xBF: return 0xAF;
    case 0xB3: return 0xB2;
    case 0xBE: return 0xBD;
    default: return c;
  }
}

std::string Fold(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(UpperByte(static_cast<unsigned char>(c)));
  return folded;
}

// A leading "\" is ignored, as the element strips it; a trailing one names the same key.
std::string_view TrimKey(std::string_view key) {
  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  return key;
}

bool IsRunKey(RegistryRoot root, const std::string& key) {
  return root == RegistryRoot::CurrentUser && Fold(TrimKey(key)) == kRunKey;
}

bool IsKnownRoot(RegistryRoot root) {
  const int r = static_cast<int>(root);
  return r >= 0 && r <= 4;
}

// ---- Files -----------------------------------------------------------------------

// Regular files only: a FIFO or a device in the store's place must not hang or flood us.
// `missing` tells a file that is not there from one that cannot be read.
std::optional<std::string> ReadFile(const std::string& path, bool* missing = nullptr) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (missing != nullptr) *missing = fd < 0 && errno == ENOENT;
  if (fd < 0) return std::nullopt;
  struct stat info {};
  std::optional<std::string> result;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<uint64_t>(info.st_size) <= kMaxFileSize) {
    std::string bytes;
    char buffer[8192];
    for (;;) {
      ssize_t n = read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) break;
      if (n == 0) {
        result = std::move(bytes);
        break;
      }
      bytes.append(buffer, static_cast<size_t>(n));
      if (bytes.size() > kMaxFileSize) break;
    }
  }
  close(fd);
  return result;
}

// ---- The store -------------------------------------------------------------------

struct StoredValue {
  int root;
  std::string key;
  std::string name;
  RegistryType type;
  std::string bytes;
};

constexpr std::pair<RegistryType, std::string_view> kTypeWords[] = {
    {RegistryType::String, "sz"},
    {RegistryType::ExpandString, "expand_sz"},
    {RegistryType::DWord, "dword"},
    {RegistryType::Binary, "binary"},
};

// A field is quoted; inside, printable ASCII stands for itself and every other byte,
// the quote and "%" are written %HH, so the file is plain ASCII and splits on quotes.
void AppendField(std::string& out, std::string_view field) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '"';
  for (char ch : field) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '%') {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  out += '"';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads a quoted field at the start of `line` and moves past it and one blank after it.
std::optional<std::string> TakeField(std::string_view& line) {
  if (line.empty() || line.front() != '"') return std::nullopt;
  size_t end = line.find('"', 1);
  if (end == std::string_view::npos) return std::nullopt;
  std::string_view raw = line.substr(1, end - 1);
  std::string field;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '%') {
      field += raw[i];
      continue;
    }
    int high = i + 1 < raw.size() ? HexDigit(raw[i + 1]) : -1;
    int low = i + 2 < raw.size() ? HexDigit(raw[i + 2]) : -1;
    if (high < 0 || low < 0) return std::nullopt;
    field += static_cast<char>(high * 16 + low);
    i += 2;
  }
  line.remove_prefix(end + 1);
  if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  return field;
}

std::optional<std::string_view> TakeWord(std::string_view& line) {
  size_t end = line.find(' ');
  if (end == 0 || line.empty()) return std::nullopt;
  std::string_view word = line.substr(0, end);
  line.remove_prefix(end == std::string_view::npos ? line.size() : end + 1);
  return word;
}

// Line: root "key" "name" type "data".
std::optional<StoredValue> ParseLine(std::string_view line) {
  StoredValue value{};
  auto root = TakeWord(line);
  if (!root || root->size() != 1 || (*root)[0] < '0' || (*root)[0] > '4') return std::nullopt;
  value.root = (*root)[0] - '0';
  auto key = TakeField(line);
  auto name = TakeField(line);
  auto type = TakeWord(line);
  if (!key || !name || !type) return std::nullopt;
  bool known = false;
  for (const auto& [t, word] : kTypeWords) {
    if (word == *type) {
      value.type = t;
      known = true;
    }
  }
  auto bytes = TakeField(line);
  if (!known || !bytes || !line.empty()) return std::nullopt;
  value.key = std::move(*key);
  value.name = std::move(*name);
  value.bytes = std::move(*bytes);
  return value;
}

bool SameValue(const StoredValue& v, int root, std::string_view folded_key, std::string_view folded_name) {
  return v.root == root && Fold(v.key) == folded_key && Fold(v.name) == folded_name;
}

struct Store {
  std::vector<StoredValue> values;
  bool readable = true;  // false: the file is there but cannot be read, so must not be replaced
  bool damaged = false;  // something in the file was not understood and is not in `values`
};

// A file that is not ours reads as empty; a line that does not parse (a careless hand
// edit) is left out and the rest kept. The first of two equal values wins.
Store LoadStore(const std::string& path) {
  Store store;
  bool missing = false;
  std::optional<std::string> bytes = ReadFile(path, &missing);
  if (!bytes) {
    store.readable = missing;
    return store;
  }
  std::string_view rest = *bytes;
  size_t end = rest.find('\n');
  if (rest.substr(0, end) != kStoreHeader) {
    store.damaged = !bytes->empty();
    return store;
  }
  std::vector<StoredValue>& values = store.values;
  while (end != std::string_view::npos) {
    rest.remove_prefix(end + 1);
    end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    std::optional<StoredValue> value = ParseLine(line);
    if (!value) {
      store.damaged = true;
      continue;
    }
    std::string key = Fold(value->key);
    std::string name = Fold(value->name);
    bool seen = false;
    for (const StoredValue& v : values) seen = seen || SameValue(v, value->root, key, name);
    if (!seen) values.push_back(std::move(*value));
  }
  return store;
}

std::string FormatStore(const std::vector<StoredValue>& values) {
  std::string out(kStoreHeader);
  out += '\n';
  for (const StoredValue& v : values) {
    out += static_cast<char>('0' + v.root);
    out += ' ';
    AppendField(out, v.key);
    out += ' ';
    AppendField(out, v.name);
    out += ' ';
    for (const auto& [t, word] : kTypeWords)
      if (t == v.type) out += word;
    out += ' ';
    AppendField(out, v.bytes);
    out += '\n';
  }
  return out;
}

// What could not be read stays beside the new store as "registry.damaged" instead of
// being lost with the next write.
bool SaveStore(const std::string& folder, const Store& store) {
  if (!store.readable) return false;
  if (store.damaged) {
    std::string damaged = folder + "/registry.damaged";
    unlink(damaged.c_str());
    if (link((folder + "/registry").c_str(), damaged.c_str()) != 0) return false;
  }
  return MakeFolders(folder) && ReplaceFile(folder + "/registry", FormatStore(store.values), 0600);
}

// ---- Desktop entries -------------------------------------------------------------

// A desktop entry holds UTF-8 without control characters; tab, newline and carriage
// return have escapes of their own.
bool FitsDesktopEntry(std::string_view text) {
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) return false;
  }
  return cp1251::IsUtf8(text);
}

bool IsReserved(char c) {
  static constexpr std::string_view kReserved = " \t\n\r\"'\\><~|&;$*?#()`";
  return kReserved.find(c) != std::string_view::npos;
}

// The general escapes of a string value: the backslash doubled, and the blanks that
// would otherwise end or reshape the line.
void AppendEscaped(std::string& out, char c) {
  switch (c) {
    case '\\': out += "\\\\"; break;
    case '\n': out += "\\n"; break;
    case '\t': out += "\\t"; break;
    case '\r': out += "\\r"; break;
    default: out += c;
  }
}

// The program path as one argument of Exec: quoted when it holds a reserved character,
// with the characters that stay special inside quotes escaped, "%" doubled so it is no
// field code, then the general escapes applied over the result.
std::string ExecValue(std::string_view path) {
  bool quote = false;
  for (char c : path) quote = quote || IsReserved(c);
  std::string argument;
  if (quote) argument += '"';
  for (char c : path) {
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) argument += '\\';
    argument += c;
    if (c == '%') argument += '%';
  }
  if (quote) argument += '"';
  std::string value;
  for (char c : argument) AppendEscaped(value, c);
  return value;
}

std::string UnescapeString(std::string_view value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    char next = value[++i];
    switch (next) {
      case 's': out += ' '; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default: out += '\\'; out += next;
    }
  }
  return out;
}

// The arguments of an Exec value after the general escapes were undone. Lenient with
// hand-written lines: quoted and bare parts of one word join, field codes other than
// "%%" drop out, and a word that was nothing but a field code disappears.
std::vector<std::string> SplitExec(std::string_view exec) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;  // something real (text or quotes) belongs to the current word
  bool pending = false;  // characters were seen, maybe only field codes
  bool quoted = false;
  auto finish = [&] {
    if (in_word) words.push_back(word);
    word.clear();
    in_word = pending = false;
  };
  for (size_t i = 0; i < exec.size(); ++i) {
    char c = exec[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\' && i + 1 < exec.size() &&
                 std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos) {
        word += exec[++i];
      } else if (c == '%' && i + 1 < exec.size()) {
        if (exec[++i] == '%') word += '%';
      } else {
        word += c;
      }
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      if (pending || in_word) finish();
      continue;
    }
    pending = true;
    if (c == '"') {
      quoted = true;
      in_word = true;
    } else if (c == '%' && i + 1 < exec.size()) {
      if (exec[++i] == '%') {
        word += '%';
        in_word = true;
      }
    } else {
      word += c;
      in_word = true;
    }
  }
  finish();
  return words;
}

// What the Run value reads as: the program path alone, or with its arguments the way
// a Windows command line writes them.
std::string CommandOf(const std::vector<std::string>& words) {
  if (words.size() == 1) return words[0];
  std::string command;
  for (const std::string& w : words) {
    if (!command.empty()) command += ' ';
    bool blank = w.empty() || w.find_first_of(" \t") != std::string::npos;
    command += blank ? "\"" + w + "\"" : w;
  }
  return command;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

// The command an autostart entry runs, or nothing when the entry will not run.
std::optional<std::string> ReadEntry(std::string_view contents) {
  bool in_main_group = false;
  std::optional<std::string> exec;
  bool hidden = false;
  while (!contents.empty()) {
    size_t end = contents.find('\n');
    std::string_view line = Trim(contents.substr(0, end));
    contents.remove_prefix(end == std::string_view::npos ? contents.size() : end + 1);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      in_main_group = line == "[Desktop Entry]";
      continue;
    }
    size_t equals = line.find('=');
    if (!in_main_group || equals == std::string_view::npos) continue;
    std::string_view key = Trim(line.substr(0, equals));
    std::string_view value = Trim(line.substr(equals + 1));
    if (key == "Exec") exec = UnescapeString(value);
    if ((key == "Hidden" && value == "true") || (key == "X-GNOME-Autostart-enabled" && value == "false"))
      hidden = true;
  }
  if (hidden || !exec) return std::nullopt;
  std::vector<std::string> words = SplitExec(*exec);
  if (words.empty()) return std::nullopt;
  return CommandOf(words);
}

std::string MakeEntry(const std::string& name, const std::string& path, const AutostartLook& look,
                      bool with_icon) {
  // The value name is the program's own text; a name that is no UTF-8 is Windows-1251.
  std::string title = !look.name.empty() ? look.name : cp1251::IsUtf8(name) ? name : cp1251::ToUtf8(name);
  std::string entry = "[Desktop Entry]\nType=Application\nVersion=1.0\nName=";
  for (char c : title) AppendEscaped(entry, c);
  entry += "\nComment=";
  for (char c : look.comment.empty() ? std::string("Started with the desktop session") : look.comment)
    AppendEscaped(entry, c);
  if (with_icon) {
    entry += "\nIcon=";
    for (char c : look.icon_name) AppendEscaped(entry, c);
  }
  entry += "\nExec=";
  entry += ExecValue(path);
  entry += "\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
  return entry;
}

// The file name stands for the value name, so the name must be one path component; it
// is also the entry's Name, which holds no control characters.
bool IsEntryName(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name.size() + kDesktopSuffix.size() > 255) return false;
  for (char c : name)
    if (c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return true;
}

// Value names ignore case, file names do not: an entry written by hand as
// "murvane.desktop" is the value "Murvane".
std::optional<std::string> FindEntryFile(const std::string& folder, const std::string& name) {
  std::string wanted = name + std::string(kDesktopSuffix);
  struct stat info {};
  if (lstat((folder + "/" + wanted).c_str(), &info) == 0) return wanted;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::optional<std::string> found;
  std::string folded = Fold(wanted);
  while (dirent* entry = readdir(dir)) {
    if (Fold(entry->d_name) == folded) {
      found = entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

}  // namespace

LinuxRegistry::LinuxRegistry(std::string config_home, std::string data_home)
    : config_home_(std::move(config_home)), data_home_(std::move(data_home)) {
  for (std::string* folder : {&config_home_, &data_home_}) {
    while (folder->size() > 1 && folder->back() == '/') folder->pop_back();
  }
}

namespace {

// An XDG base folder: the variable when it holds an absolute path, else the home
// folder's `fallback`; empty when neither is known.
std::string XdgFolder(const char* variable, const char* fallback) {
  const char* xdg = std::getenv(variable);
  if (xdg != nullptr && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + fallback;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* result = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 && result != nullptr &&
      result->pw_dir != nullptr && result->pw_dir[0] == '/')
    return std::string(result->pw_dir) + fallback;
  return {};
}

}  // namespace

std::string LinuxRegistry::DefaultConfigHome() { return XdgFolder("XDG_CONFIG_HOME", "/.config"); }

std::string LinuxRegistry::DefaultDataHome() { return XdgFolder("XDG_DATA_HOME", "/.local/share"); }

void LinuxRegistry::SetAutostartLook(AutostartLook look) { look_ = std::move(look); }

bool LinuxRegistry::InstallIcon() const {
  if (data_home_.empty() || look_.icon_name.empty() || look_.icon.IsEmpty() ||
      look_.icon_name.find('/') != std::string::npos)
    return false;
  const std::string png = EncodePng(look_.icon);
  const std::string folder = data_home_ + "/icons/hicolor/" + std::to_string(look_.icon.width) + "x" +
                             std::to_string(look_.icon.height) + "/apps";
  return !png.empty() && MakeFolders(folder) &&
         ReplaceFile(folder + "/" + look_.icon_name + ".png", png, 0644);
}

std::string LinuxRegistry::StorePath() const { return config_home_ + "/lumiscope/registry"; }

std::string LinuxRegistry::AutostartFolder() const { return config_home_ + "/autostart"; }

std::optional<RegistryValue> LinuxRegistry::Query(RegistryRoot root, const std::string& key,
                                                  const std::string& name) {
  if (config_home_.empty() || !IsKnownRoot(root)) return std::nullopt;
  if (IsRunKey(root, key)) {
    if (!IsEntryName(name)) return std::nullopt;
    std::optional<std::string> file = FindEntryFile(AutostartFolder(), name);
    if (!file) return std::nullopt;
    std::optional<std::string> contents = ReadFile(AutostartFolder() + "/" + *file);
    if (!contents) return std::nullopt;
    std::optional<std::string> command = ReadEntry(*contents);
    if (!command) return std::nullopt;
    return RegistryValue{RegistryType::String, std::move(*command)};
  }
  std::string folded_key = Fold(TrimKey(key));
  std::string folded_name = Fold(name);
  Store store = LoadStore(StorePath());
  for (StoredValue& v : store.values) {
    if (SameValue(v, static_cast<int>(root), folded_key, folded_name))
      return RegistryValue{v.type, std::move(v.bytes)};
  }
  return std::nullopt;
}

bool LinuxRegistry::Set(RegistryRoot root, const std::string& key, const std::string& name,
                        const RegistryValue& value) {
  if (config_home_.empty() || !IsKnownRoot(root)) return false;
  if (IsRunKey(root, key)) {
    // Only a command can start the program; the path is the one argument of Exec.
    if (value.type != RegistryType::String && value.type != RegistryType::ExpandString) return false;
    if (!IsEntryName(name) || value.bytes.empty() || !FitsDesktopEntry(value.bytes)) return false;
    std::string file = FindEntryFile(AutostartFolder(), name).value_or(name + std::string(kDesktopSuffix));
    // A desktop's start-up list shows the entry with the program's own icon.
    const bool with_icon = InstallIcon();
    return MakeFolders(AutostartFolder()) &&
           ReplaceFile(AutostartFolder() + "/" + file, MakeEntry(name, value.bytes, look_, with_icon), 0644);
  }
  std::string trimmed(TrimKey(key));
  std::string folded_key = Fold(trimmed);
  std::string folded_name = Fold(name);
  Store store = LoadStore(StorePath());
  bool found = false;
  for (StoredValue& v : store.values) {
    if (!SameValue(v, static_cast<int>(root), folded_key, folded_name)) continue;
    if (v.type == value.type && v.bytes == value.bytes) return true;
    v.type = value.type;
    v.bytes = value.bytes;
    found = true;
  }
  if (!found) store.values.push_back({static_cast<int>(root), trimmed, name, value.type, value.bytes});
  return SaveStore(config_home_ + "/lumiscope", store);
}

void LinuxRegistry::Delete(RegistryRoot root, const std::string& key, const std::string& name) {
  if (config_home_.empty() || !IsKnownRoot(root)) return;
  if (IsRunKey(root, key)) {
    if (!IsEntryName(name)) return;
    if (std::optional<std::string> file = FindEntryFile(AutostartFolder(), name))
      unlink((AutostartFolder() + "/" + *file).c_str());
    return;
  }
  std::string folded_key = Fold(TrimKey(key));
  std::string folded_name = Fold(name);
  Store store = LoadStore(StorePath());
  size_t removed = std::erase_if(store.values, [&](const StoredValue& v) {
    return SameValue(v, static_cast<int>(root), folded_key, folded_name);
  });
  if (removed > 0) SaveStore(config_home_ + "/lumiscope", store);
}

}  // namespace lumi::platform::linux_backend
