#include "platform/qt/display.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QLibraryInfo>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/qt/x11_probe.h"

namespace lumi::platform::qt_backend {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool WaylandPluginInstalled() {
  const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
  return !platforms.entryList({QStringLiteral("libqwayland*.so")}, QDir::Files).isEmpty();
}

bool WaylandAnswers() {
  const std::string name = Environment("WAYLAND_DISPLAY");
  if (name.empty() || !WaylandPluginInstalled()) return false;
  std::string path = name;
  if (name.front() != '/') {
    const std::string runtime = Environment("XDG_RUNTIME_DIR");
    if (runtime.empty()) return false;
    path = runtime + "/" + name;
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  close(fd);
  return connected;
}

DisplayKind TryPlatform(std::string_view entry) {
  // "name:option=value,...": only the name counts.
  const std::string_view name = entry.substr(0, entry.find(':'));
  if (name == "xcb") return XDisplayOpens() ? DisplayKind::X11 : DisplayKind::None;
  if (name.starts_with("wayland")) return WaylandAnswers() ? DisplayKind::Wayland : DisplayKind::None;
  if (name.empty()) return DisplayKind::None;
  // offscreen, minimal, vnc, linuxfb, eglfs: chosen on purpose; they do not depend
  // on a desktop being there.
  return DisplayKind::Virtual;
}

}  // namespace

DisplayKind FindDisplay() {
  const std::string requested = Environment("QT_QPA_PLATFORM");
  if (!requested.empty()) {
    std::string_view rest = requested;
    while (!rest.empty()) {
      const size_t end = rest.find(';');
      const DisplayKind kind = TryPlatform(rest.substr(0, end));
      if (kind != DisplayKind::None) return kind;
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end + 1);
    }
    return DisplayKind::None;
  }
  if (XDisplayOpens()) return DisplayKind::X11;
  if (WaylandAnswers()) return DisplayKind::Wayland;
  return DisplayKind::None;
}

bool PrepareDisplay() {
  const DisplayKind kind = FindDisplay();
  if (Environment("QT_QPA_PLATFORM").empty()) {
    if (kind == DisplayKind::X11) setenv("QT_QPA_PLATFORM", "xcb", 1);
    if (kind == DisplayKind::Wayland) setenv("QT_QPA_PLATFORM", "wayland", 1);
  }
  return kind != DisplayKind::None;
}

}  // namespace lumi::platform::qt_backend
