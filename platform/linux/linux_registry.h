#pragma once

#include <optional>
#include <string>

#include "platform/registry.h"
#include "platform/ui.h"

namespace lumi::platform::linux_backend {

// The registry of one user, kept below the XDG config folder.
//
// Keys and values live in the store file "<config home>/lumiscope/registry", a text
// file in which every byte of names and data is escaped, so anything round-trips. Key
// paths and value names compare without regard to case (ASCII and Cyrillic letters),
// as the Windows registry compares them; a leading "\" of a key path does not count.
// The file is read anew for every operation and replaced atomically on every change;
// a store that is not ours or cannot be parsed reads as empty.
//
// The current user's key Software\Microsoft\Windows\CurrentVersion\Run is the XDG
// autostart folder instead: value NAME is "<config home>/autostart/NAME.desktop", a
// desktop entry whose Exec line starts the program at the path the value holds. An
// entry marked Hidden=true (or disabled for GNOME) reads as absent.
// How the program's autostart entries present it in a desktop's start-up list. The
// icon is installed into the user's hicolor theme when an entry is written.
struct AutostartLook {
  std::string name;       // UTF-8; empty: the value name
  std::string comment;    // UTF-8
  std::string icon_name;  // the icon's name in the theme
  Picture icon;
};

class LinuxRegistry final : public Registry {
 public:
  // `config_home` is the folder that stands for $XDG_CONFIG_HOME; an empty one makes
  // every read miss and every write fail. `data_home` stands for $XDG_DATA_HOME, where
  // the icon goes.
  explicit LinuxRegistry(std::string config_home, std::string data_home = {});

  void SetAutostartLook(AutostartLook look);

  std::optional<RegistryValue> Query(RegistryRoot root, const std::string& key,
                                     const std::string& name) override;
  bool Set(RegistryRoot root, const std::string& key, const std::string& name,
           const RegistryValue& value) override;
  void Delete(RegistryRoot root, const std::string& key, const std::string& name) override;

  std::string StorePath() const;
  std::string AutostartFolder() const;

 private:
  bool InstallIcon() const;

  std::string config_home_;
  std::string data_home_;
  AutostartLook look_;
};

}  // namespace lumi::platform::linux_backend
