#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/linux_registry.h"

namespace lumi::platform::linux_backend {

// The autostart entries of the XDG autostart folder that stand for the Run key's
// values: one desktop entry per value, "NAME.desktop", whose Exec starts the program at
// the path the value holds.

inline constexpr std::string_view kDesktopSuffix = ".desktop";

// A desktop entry holds UTF-8 without control characters; tab, newline and carriage
// return have escapes of their own.
bool FitsDesktopEntry(std::string_view text);
// The command an autostart entry runs, or nothing when the entry will not run.
std::optional<std::string> ReadEntry(std::string_view contents);
// The entry for value `name` starting the program at `path`, presented by `look`.
std::string MakeEntry(const std::string& name, const std::string& path, const AutostartLook& look,
                      bool with_icon);
// The file name stands for the value name, so the name must be one path component; it
// is also the entry's Name, which holds no control characters.
bool IsEntryName(const std::string& name);
// Value names ignore case, file names do not: an entry written by hand as
// "murvane.desktop" is the value "Murvane".
std::optional<std::string> FindEntryFile(const std::string& folder, const std::string& name);

}  // namespace lumi::platform::linux_backend
