#include "platform/linux/linux_registry.h"

#include <utility>

#include "platform/linux/atomic_file.h"
#include "platform/linux/desktop_entry.h"
#include "platform/linux/png_writer.h"
#include "platform/linux/registry_names.h"
#include "platform/linux/registry_store.h"

namespace lumi::platform::linux_backend {

LinuxRegistry::LinuxRegistry(std::string config_home, std::string data_home)
    : config_home_(std::move(config_home)), data_home_(std::move(data_home)) {
  for (std::string* folder : {&config_home_, &data_home_}) {
    while (folder->size() > 1 && folder->back() == '/') folder->pop_back();
  }
}

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
    std::optional<std::string> contents = ReadRegistryFile(AutostartFolder() + "/" + *file);
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
