#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace lumi::platform::linux_backend {

// Neither the store nor a desktop entry grows anywhere near this; a bigger file is not ours.
inline constexpr size_t kMaxRegistryFileSize = 64u << 20;

// Key paths and value names compare as the Windows registry compares them: without
// regard to case, ASCII and Cyrillic (Windows-1251) letters alike.
std::string Fold(std::string_view name);
// A leading "\" is ignored, as the element strips it; a trailing one names the same key.
std::string_view TrimKey(std::string_view key);
// The current user's Software\Microsoft\Windows\CurrentVersion\Run.
bool IsRunKey(RegistryRoot root, const std::string& key);
bool IsKnownRoot(RegistryRoot root);

// Regular files only: a FIFO or a device in a registry file's place must not hang or
// flood us. `missing` tells a file that is not there from one that cannot be read.
std::optional<std::string> ReadRegistryFile(const std::string& path, bool* missing = nullptr);

}  // namespace lumi::platform::linux_backend
