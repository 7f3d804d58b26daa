#include "tests/gui/support/windows.h"

#include <regex>
#include <sstream>

#include "tests/gui/support/command.h"
#include "tests/gui/support/x_session.h"

namespace lumi::gui {
namespace {

// One line of `xwininfo -root -tree`.
struct TreeEntry {
  WindowId id = 0;
  std::string name;
  std::string instance;
  std::string window_class;
  Box place;  // absolute
};

std::vector<TreeEntry> Tree() {
  // 0x600015 "lumiscope": ("lumiscope" "lumiscope")  146x70+878+686  +878+686
  static const std::regex kLine(
      R"re(^\s*(0x[0-9a-f]+) (?:"(.*)"|\(has no name\)): \((?:"([^"]*)" "([^"]*)")?\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+))re");
  std::vector<TreeEntry> entries;
  std::istringstream lines(Run({"xwininfo", "-root", "-tree"}, Display()).output);
  std::string line;
  std::smatch match;
  while (std::getline(lines, line)) {
    if (!std::regex_search(line, match, kLine)) continue;
    TreeEntry entry;
    entry.id = std::stoul(match[1].str(), nullptr, 16);
    entry.name = match[2].str();
    entry.instance = match[3].str();
    entry.window_class = match[4].str();
    entry.place = {std::stoi(match[7].str()), std::stoi(match[8].str()), std::stoi(match[5].str()),
                   std::stoi(match[6].str())};
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string Hex(WindowId window) {
  std::ostringstream text;
  text << "0x" << std::hex << window;
  return text.str();
}

std::vector<int> Numbers(const std::string& text) {
  std::vector<int> numbers;
  static const std::regex kNumber(R"(-?\d+)");
  const std::string values = text.substr(text.find('=') == std::string::npos ? text.size() : text.find('='));
  for (auto it = std::sregex_iterator(values.begin(), values.end(), kNumber); it != std::sregex_iterator();
       ++it)
    numbers.push_back(std::stoi(it->str()));
  return numbers;
}

bool Small(const Box& box) { return box.width <= 64 && box.height <= 64; }
// Wine also keeps a sliver of a window of the tray's size over the notification area.
bool IconSized(const Box& box) { return Small(box) && box.width >= 8 && box.height >= 8; }

}  // namespace

bool IsShown(WindowId window) {
  return Run({"xwininfo", "-id", Hex(window)}, Display()).output.find("Map State: IsViewable") !=
         std::string::npos;
}

std::optional<WindowId> ShownWindow(const std::string& title) {
  for (const TreeEntry& entry : Tree()) {
    if (entry.name == title && IsShown(entry.id)) return entry.id;
  }
  return std::nullopt;
}

std::optional<Box> PlaceOf(WindowId window) {
  const std::string info = Run({"xwininfo", "-id", Hex(window)}, Display()).output;
  static const std::regex kField(R"((Absolute upper-left X|Absolute upper-left Y|Width|Height):\s+(-?\d+))");
  Box box;
  int found = 0;
  for (auto it = std::sregex_iterator(info.begin(), info.end(), kField); it != std::sregex_iterator(); ++it) {
    const std::string field = (*it)[1].str();
    const int value = std::stoi((*it)[2].str());
    if (field == "Absolute upper-left X") box.x = value;
    if (field == "Absolute upper-left Y") box.y = value;
    if (field == "Width") box.width = value;
    if (field == "Height") box.height = value;
    ++found;
  }
  if (found < 4) return std::nullopt;
  return box;
}

std::vector<int> FrameExtents(WindowId window) { return Numbers(Property(window, "_NET_FRAME_EXTENTS")); }

std::vector<WindowId> Stacking() {
  std::vector<WindowId> windows;
  const std::string text = Run({"xprop", "-root", "_NET_CLIENT_LIST_STACKING"}, Display()).output;
  static const std::regex kId(R"(0x[0-9a-f]+)");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), kId); it != std::sregex_iterator(); ++it)
    windows.push_back(std::stoul(it->str(), nullptr, 16));
  return windows;
}

std::string Property(WindowId window, const std::string& name) {
  const CommandResult result = Run({"xprop", "-id", Hex(window), name}, Display());
  if (result.status != 0 || result.output.find("not found") != std::string::npos) return {};
  return result.output;
}

std::optional<WindowId> TransientFor(WindowId window) {
  const std::string text = Property(window, "WM_TRANSIENT_FOR");
  static const std::regex kId(R"(0x[0-9a-f]+)");
  std::smatch match;
  if (!std::regex_search(text, match, kId)) return std::nullopt;
  return std::stoul(match.str(), nullptr, 16);
}

std::optional<WindowId> ActiveWindow() {
  const std::string text = Run({"xprop", "-root", "_NET_ACTIVE_WINDOW"}, Display()).output;
  static const std::regex kId(R"(0x[0-9a-f]+)");
  std::smatch match;
  if (!std::regex_search(text, match, kId)) return std::nullopt;
  return std::stoul(match.str(), nullptr, 16);
}

std::optional<Box> TrayIcon(const std::string& program) {
  const std::vector<TreeEntry> tree = Tree();
  std::optional<Box> panel;
  for (const TreeEntry& entry : tree) {
    if (entry.name == "panel" && entry.window_class == "trayer") panel = entry.place;
  }
  if (!panel) return std::nullopt;
  for (const TreeEntry& entry : tree) {
    if (entry.window_class == program && IconSized(entry.place) && panel->Contains(entry.place) &&
        IsShown(entry.id)) {
      return entry.place;
    }
  }
  return std::nullopt;
}

std::optional<Box> OpenPopup(const std::string& program) {
  for (const TreeEntry& entry : Tree()) {
    const Box& box = entry.place;
    // Qt names its popups after the program; Wine names none.
    if (entry.window_class != program || (entry.name != program && !entry.name.empty())) continue;
    if (box.height < 40 || box.height > 300 || box.width < 60 || box.width > 400) continue;
    if (IsShown(entry.id)) return box;
  }
  return std::nullopt;
}

}  // namespace lumi::gui
