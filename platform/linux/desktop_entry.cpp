#include "platform/linux/desktop_entry.h"

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

#include "platform/linux/registry_names.h"
#include "runtime/cp1251.h"

namespace lumi::platform::linux_backend {
namespace {

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

}  // namespace

bool FitsDesktopEntry(std::string_view text) {
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) return false;
  }
  return cp1251::IsUtf8(text);
}

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

bool IsEntryName(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name.size() + kDesktopSuffix.size() > 255) return false;
  for (char c : name)
    if (c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return true;
}

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

}  // namespace lumi::platform::linux_backend
